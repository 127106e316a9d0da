#include "common/Functions.h"
#include "support/TempResources.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

using Lines = std::vector<std::string>;

// ---- Numbers ----------------------------------------------------------------

struct NumberRow {
  const char* name;
  double value;
};

class AppendNumberMatchesPrintf : public ::testing::TestWithParam<NumberRow> {};

TEST_P(AppendNumberMatchesPrintf, SameBytesAsPercentG) {
  const double value = GetParam().value;
  char expected[64];
  std::snprintf(expected, sizeof expected, "%g", value);
  std::string out = "prefix ";
  appendNumber(out, value);
  EXPECT_EQ(out, std::string("prefix ") + expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AppendNumberMatchesPrintf,
    ::testing::Values(
        NumberRow{"zero", 0.0}, NumberRow{"negativeZero", -0.0}, NumberRow{"half", 0.5},
        NumberRow{"negativeThreeAndAHalf", -3.5}, NumberRow{"wholeTenth", 40.0},
        NumberRow{"wholeNegative", -30.0}, NumberRow{"negativeSixDigits", -999999.0},
        NumberRow{"belowMillionNegative", -999999.5}, NumberRow{"offGridTenth", 12.5},
        NumberRow{"sixDigits", 999999.0}, NumberRow{"roundsUpToExponent", 999999.5},
        NumberRow{"million", 1000000.0}, NumberRow{"largeCoordinate", 1234567.0},
        NumberRow{"negativeLarge", -1234567.0}, NumberRow{"tenThousandth", 0.0001},
        NumberRow{"belowTenThousandth", 0.00001}, NumberRow{"sevenSignificant", 123.4567},
        NumberRow{"negativeSmall", -0.000123456}, NumberRow{"huge", 1e300},
        NumberRow{"tiny", 5e-324}, NumberRow{"infinity", std::numeric_limits<double>::infinity()},
        NumberRow{"negativeInfinity", -std::numeric_limits<double>::infinity()},
        NumberRow{"oneThird", 1.0 / 3.0}, NumberRow{"intMaxTenth", INT_MAX / 10.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AppendNumber, WorkedFormsOfTheLevelFormat) {
  const std::vector<std::pair<double, std::string>> rows = {
      {12.5, "12.5"}, {-3.5, "-3.5"}, {40, "40"}, {1234567, "1.23457e+06"}, {0.00001, "1e-05"}};
  for (const auto& [value, text] : rows) {
    std::string out;
    appendNumber(out, value);
    EXPECT_EQ(out, text) << value;
  }
}

// A process whose stream locale groups digits and writes a decimal comma
// must still write level files in the classic form.
struct CommaPoint : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(AppendNumber, IgnoresTheGlobalLocale) {
  const std::locale previous = std::locale::global(std::locale(std::locale(), new CommaPoint));
  std::ostringstream probe;
  probe << 1234.5;
  std::string out;
  appendNumber(out, 1234.5);
  std::locale::global(previous);
  ASSERT_EQ(probe.str(), "1.234,5"); // the locale is really in force
  EXPECT_EQ(out, "1234.5");
}

// ---- Leading integers ---------------------------------------------------------

struct IntRow {
  const char* name;
  const char* field;
  bool fits;
  int value;
};

class ParseLeadingInt : public ::testing::TestWithParam<IntRow> {};

TEST_P(ParseLeadingInt, ReadsLikeAtoiAndRefusesOverflow) {
  const IntRow& row = GetParam();
  int value = -12345;
  ASSERT_EQ(parseLeadingInt(row.field, value), row.fits);
  if (row.fits) {
    EXPECT_EQ(value, row.value);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseLeadingInt,
    ::testing::Values(IntRow{"plain", "42", true, 42}, IntRow{"leadingSpaces", "  7", true, 7},
                      IntRow{"leadingTab", "\t-3", true, -3}, IntRow{"plusSign", "+5", true, 5},
                      IntRow{"fractionDropped", "12.5", true, 12},
                      IntRow{"negativeFractionTowardZero", "-3.5", true, -3},
                      IntRow{"exponentStops", "1.23457e+06", true, 1}, IntRow{"empty", "", true, 0},
                      IntRow{"letters", "abc", true, 0}, IntRow{"signOnly", "-", true, 0},
                      IntRow{"doubleSign", "+-3", true, 0},
                      IntRow{"trailingCarriageReturn", "5\r", true, 5},
                      IntRow{"tabInside", "1\t5", true, 1},
                      IntRow{"leadingZeros", "0000000000000000000012", true, 12},
                      IntRow{"intMax", "2147483647", true, INT_MAX},
                      IntRow{"intMin", "-2147483648", true, INT_MIN},
                      IntRow{"pastIntMax", "2147483648", false, 0},
                      IntRow{"pastIntMin", "-2147483649", false, 0},
                      IntRow{"farPastLong", "99999999999999999999999", false, 0},
                      IntRow{"wrapsToOneIn64Bits", "4294967297", false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- splitString ----------------------------------------------------------------

struct SplitRow {
  const char* name;
  std::string text;
  char separator;
  Lines fields;
};

class SplitString : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitString, Fields) {
  EXPECT_EQ(splitString(GetParam().text, GetParam().separator), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitString,
    ::testing::Values(
        SplitRow{"emptyFieldsInsideAndAtTheEnd", "a,,b,", ',', {"a", "", "b", ""}},
        SplitRow{"leadingSeparatorStaysInFirstField", ",a", ',', {",a"}},
        SplitRow{"twoLeadingSeparators", ",,", ',', {",", ""}},
        SplitRow{"emptyText", "", ',', {""}}, SplitRow{"noSeparator", "abc", ',', {"abc"}},
        SplitRow{"savedLine", "1 10 40 20 2 1 ", ' ', {"1", "10", "40", "20", "2", "1", ""}},
        SplitRow{"leadingSpace", " 2 1", ' ', {" 2", "1"}},
        SplitRow{"tabIsNoSeparator", "1\t5 5", ' ', {"1\t5", "5"}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- readFile -------------------------------------------------------------------

struct ReadRow {
  const char* name;
  std::string content;
  Lines lines;
};

class ReadFile : public ::testing::TestWithParam<ReadRow> {};

TEST_P(ReadFile, Lines) {
  TempResources res;
  res.write("Levels/file.txt", GetParam().content);
  testing::internal::CaptureStdout();
  const Lines lines = readFile("Levels/file.txt");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadFile,
    ::testing::Values(ReadRow{"finalLineFeedGivesEmptyLastLine", "x\ny\n", {"x", "y", ""}},
                      ReadRow{"noFinalLineFeed", "x\ny", {"x", "y"}},
                      ReadRow{"emptyFileIsOneEmptyLine", "", {""}},
                      ReadRow{"emptyLinesKept", "\n\nz", {"", "", "z"}},
                      ReadRow{"carriageReturnKept", "a\r\nb", {"a\r", "b"}},
                      ReadRow{
                          "nulBytesKept", std::string("a\0b\n", 4), {std::string("a\0b", 3), ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadFile, MissingFilePrintsFailedAndGivesNoLines) {
  TempResources res;
  testing::internal::CaptureStdout();
  const Lines lines = readFile("Levels/none.data");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "FAILED\n");
  EXPECT_TRUE(lines.empty());
}

TEST(ReadFile, FolderIsUnreadable) {
  TempResources res;
  testing::internal::CaptureStdout();
  const Lines lines = readFile("Levels");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "FAILED\n");
  EXPECT_TRUE(lines.empty());
}

TEST(ReadFile, PathIsRelativeToTheResourceFolderNotTheWorkingDirectory) {
  TempResources res;
  res.write("Levels/loadlevel.txt", "first.data\nsecond.data\n");
  const fs::path before = fs::current_path();
  EXPECT_EQ(readFile("Levels/loadlevel.txt"), (Lines{"first.data", "second.data", ""}));
  EXPECT_EQ(fs::current_path(), before);
}

// ---- getLevelList -----------------------------------------------------------------

TEST(GetLevelList, KeepsDataFilesCutAtDataAndDropsDecoys) {
  TempResources res;
  for (const char* name : {"a.data", "b.data.bak", "loadlevel.txt", "notes"}) {
    res.write(std::string("Levels/") + name, "");
  }
  EXPECT_EQ(getLevelList(), (Lines{"a", "b"}));
}

TEST(GetLevelList, SortedByByteOrder) {
  TempResources res;
  for (const char* name : {"a.data", "B.data", "_x.data", "a2.data", "Z.data.old"}) {
    res.write(std::string("Levels/") + name, "");
  }
  EXPECT_EQ(getLevelList(), (Lines{"B", "Z", "_x", "a", "a2"}));
}

TEST(GetLevelList, HiddenFilesAreNotListed) {
  TempResources res;
  res.write("Levels/.hidden.data", "");
  res.write("Levels/shown.data", "");
  EXPECT_EQ(getLevelList(), (Lines{"shown"}));
}

TEST(GetLevelList, MissingFolderGivesEmptyList) {
  TempResources res;
  fs::remove_all(res.path() / "Levels");
  EXPECT_TRUE(getLevelList().empty());
}

TEST(GetLevelList, FolderPathWithSpaceAndSemicolonIsListedAndRunsNothing) {
  // Pasted into a shell command, this would run "touch pwned" in the
  // working directory.
  TempResources res("my levels;touch pwned;x");
  res.write("Levels/a.data", "");
  res.write("Levels/c.data", "");
  const fs::path cwd = fs::current_path();
  EXPECT_EQ(getLevelList(), (Lines{"a", "c"}));
  EXPECT_FALSE(fs::exists(cwd / "pwned"));
}
