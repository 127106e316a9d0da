#include "common/Functions.h"
#include "support/Table.h"
#include "support/TempResources.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

using Lines = std::vector<std::string>;

namespace {

struct NumberRow {
  std::string name;
  double value;
};

class AppendNumber : public testing::TestWithParam<NumberRow> {};

TEST_P(AppendNumber, WritesTheSameBytesAsPercentG) {
  char expected[64];
  std::snprintf(expected, sizeof expected, "%g", GetParam().value);
  std::string out = "prefix ";
  appendNumber(out, GetParam().value);
  EXPECT_EQ(out, std::string("prefix ") + expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, AppendNumber, testing::Values(
    NumberRow{"NegativeZero", -0.0}, NumberRow{"OffGridTenth", 12.5}, NumberRow{"Whole", -30.0},
    NumberRow{"SixDigits", 999999.0}, NumberRow{"RoundsUpToExponent", 999999.5},
    NumberRow{"LargeCoordinate", 1234567.0}, NumberRow{"TenThousandth", 0.0001},
    NumberRow{"BelowTenThousandth", 0.00001}, NumberRow{"SevenSignificant", 123.4567},
    NumberRow{"Denormal", 5e-324}, NumberRow{"Infinity", std::numeric_limits<double>::infinity()}),
    RowName{});
// clang-format on

// A process whose stream locale groups digits and writes a decimal comma
// must still write level files in the classic form.
struct CommaPoint : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(AppendNumberLocale, IgnoresTheGlobalLocale) {
  const std::locale previous = std::locale::global(std::locale(std::locale(), new CommaPoint));
  std::ostringstream probe;
  probe << 1234.5;
  std::string out;
  appendNumber(out, 1234.5);
  std::locale::global(previous);
  ASSERT_EQ(probe.str(), "1.234,5"); // the locale is really in force
  EXPECT_EQ(out, "1234.5");
}

struct IntRow {
  std::string name;
  std::string field;
  bool fits;
  int value;
};

class ParseLeadingInt : public testing::TestWithParam<IntRow> {};

TEST_P(ParseLeadingInt, ReadsLikeAtoiAndRefusesOverflow) {
  const IntRow& row = GetParam();
  int value = -12345;
  ASSERT_EQ(parseLeadingInt(row.field, value), row.fits);
  if (row.fits) {
    EXPECT_EQ(value, row.value);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, ParseLeadingInt, testing::Values(
    IntRow{"LeadingSpaces", "  7", true, 7}, IntRow{"LeadingTab", "\t-3", true, -3},
    IntRow{"PlusSign", "+5", true, 5}, IntRow{"NegativeFractionTowardZero", "-3.5", true, -3},
    IntRow{"ExponentStops", "1.23457e+06", true, 1}, IntRow{"Empty", "", true, 0},
    IntRow{"Letters", "abc", true, 0}, IntRow{"SignOnly", "-", true, 0},
    IntRow{"DoubleSign", "+-3", true, 0}, IntRow{"LeadingZeros", "0000000000000000000012", true, 12},
    IntRow{"IntMax", "2147483647", true, INT_MAX}, IntRow{"IntMin", "-2147483648", true, INT_MIN},
    IntRow{"PastIntMax", "2147483648", false, 0}, IntRow{"PastIntMin", "-2147483649", false, 0},
    IntRow{"FarPastLong", "99999999999999999999999", false, 0},
    IntRow{"WrapsToOneIn64Bits", "4294967297", false, 0}),
    RowName{});
// clang-format on

// A separator in the first position belongs to the first field.
TEST(SplitString, KeepsEveryFieldEvenEmptyOnes) {
  EXPECT_EQ(splitString("a,,b,", ','), (Lines{"a", "", "b", ""}));
  EXPECT_EQ(splitString(",a", ','), (Lines{",a"}));
  EXPECT_EQ(splitString(",,", ','), (Lines{",", ""}));
  EXPECT_EQ(splitString("", ','), (Lines{""}));
}

struct ReadRow {
  std::string name;
  std::string content;
  Lines lines;
};

class ReadFile : public testing::TestWithParam<ReadRow> {};

// The path is relative to the resource folder, and reading it leaves the
// working directory alone.
TEST_P(ReadFile, Lines) {
  TempResources res;
  res.write("Levels/file.txt", GetParam().content);
  const fs::path cwd = fs::current_path();
  testing::internal::CaptureStdout();
  const Lines lines = readFile("Levels/file.txt");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(lines, GetParam().lines);
  EXPECT_EQ(fs::current_path(), cwd);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, ReadFile, testing::Values(
    ReadRow{"FinalLineFeedGivesEmptyLastLine", "x\ny\n", {"x", "y", ""}},
    ReadRow{"NoFinalLineFeed", "x\n\ny", {"x", "", "y"}},
    ReadRow{"EmptyFileIsOneEmptyLine", "", {""}},
    ReadRow{"CarriageReturnKept", "a\r\nb", {"a\r", "b"}},
    ReadRow{"NulBytesKept", std::string("a\0b\n", 4), {std::string("a\0b", 3), ""}}),
    RowName{});
// clang-format on

TEST(ReadFileFailure, MissingFileOrFolderPrintsFailedAndGivesNoLines) {
  TempResources res;
  for (const char* path : {"Levels/none.data", "Levels"}) {
    testing::internal::CaptureStdout();
    const Lines lines = readFile(path);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "FAILED\n") << path;
    EXPECT_TRUE(lines.empty()) << path;
  }
}

TEST(GetLevelList, KeepsDataFilesCutAtDataSortedByByteOrder) {
  TempResources res;
  for (const char* name : {"a.data", "b.data.bak", "loadlevel.txt", "notes", "B.data", "_x.data",
                           "a2.data", ".hidden.data"}) {
    res.write(std::string("Levels/") + name, "");
  }
  EXPECT_EQ(getLevelList(), (Lines{"B", "_x", "a", "a2", "b"}));
}

TEST(GetLevelList, MissingFolderGivesEmptyList) {
  TempResources res;
  fs::remove_all(res.path() / "Levels");
  EXPECT_TRUE(getLevelList().empty());
}

// Pasted into a shell command, this folder would run "touch pwned".
TEST(GetLevelList, FolderPathWithSpaceAndSemicolonIsListedAndRunsNothing) {
  TempResources res("my levels;touch pwned;x");
  res.write("Levels/a.data", "");
  res.write("Levels/c.data", "");
  EXPECT_EQ(getLevelList(), (Lines{"a", "c"}));
  EXPECT_FALSE(fs::exists(fs::current_path() / "pwned"));
}

} // namespace
