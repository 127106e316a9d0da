#include "common/NumberText.h"
#include "common/ResourceFiles.h"
#include "support/Table.h"
#include "support/TempResources.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

using Lines = std::vector<std::string>;

namespace {

// A process whose stream locale groups digits and writes a decimal comma
// must still write level files in the classic form.
struct CommaPoint : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

// Whole values at any magnitude as their exact digits; zero, fractions and
// what is not finite as %g writes them.
TEST(AppendNumber, WritesWholeValuesAsDigitsAndOthersAsPercentGWhateverTheGlobalLocale) {
  const struct {
    double value;
    const char* bytes;
  } whole[] = {{-30, "-30"},
               {999999, "999999"},
               {1234567, "1234567"},
               {-2147483648.0 * 10, "-21474836480"},
               {0x1p63 - 1024, "9223372036854774784"},
               {0x1p63, "9223372036854775808"},
               {-0x1p63, "-9223372036854775808"},
               {1e23, "99999999999999991611392"}};
  for (const auto& row : whole) {
    std::string out = "prefix ";
    appendNumber(out, row.value);
    EXPECT_EQ(out, std::string("prefix ") + row.bytes);
  }
  for (const double value : {-0.0, 0.0, 12.5, 999999.5, -1234567.5, 0.0001, 0.00001, 123.4567,
                             5e-324, HUGE_VAL, -HUGE_VAL, std::nan("")}) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%g", value);
    std::string out = "prefix ";
    appendNumber(out, value);
    EXPECT_EQ(out, std::string("prefix ") + expected);
  }
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
  EXPECT_EQ(value, row.fits ? row.value : -12345);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, ParseLeadingInt, testing::Values(
    IntRow{"LeadingSpaces", "  7", true, 7}, IntRow{"LeadingTab", "\t-3", true, -3},
    IntRow{"PlusSign", "+5", true, 5}, IntRow{"NegativeFractionTowardZero", "-3.5", true, -3},
    IntRow{"Letters", "abc", true, 0}, IntRow{"DoubleSign", "+-3", true, 0},
    IntRow{"LeadingZeros", "0000000000000000000012", true, 12},
    IntRow{"IntMax", "2147483647", true, INT_MAX}, IntRow{"IntMin", "-2147483648", true, INT_MIN},
    IntRow{"PastIntMax", "2147483648", false, 0}, IntRow{"PastIntMin", "-2147483649", false, 0},
    IntRow{"FarPastLong", "99999999999999999999999", false, 0},
    IntRow{"WrapsToOneIn64Bits", "4294967297", false, 0}),
    RowName{});
// clang-format on

// A separator in the first position belongs to the first field.
TEST(ReadFile, GivesEveryLineAndAnEmptyOneAfterTheLastLineFeed) {
  TempResources res;
  const fs::path cwd = fs::current_path();
  const struct {
    std::string content;
    Lines lines;
  } rows[] = {{"x\ny\n", {"x", "y", ""}},
              {"x\n\ny", {"x", "", "y"}},
              {"", {""}},
              {std::string("a\0b\r\n", 5), {std::string("a\0b\r", 4), ""}}};
  for (const auto& row : rows) {
    res.write("Levels/file.txt", row.content);
    testing::internal::CaptureStdout();
    EXPECT_EQ(readFile(res.resourceRoot(), "Levels/file.txt"), row.lines);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  }
  EXPECT_EQ(fs::current_path(), cwd);
  for (const char* path : {"Levels/none.data", "Levels"}) {
    testing::internal::CaptureStdout();
    EXPECT_TRUE(readFile(res.resourceRoot(), path).empty()) << path;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "FAILED\n") << path;
  }
}

TEST(GetLevelList, KeepsDataFilesCutAtDataSortedByByteOrderAndNoneWithoutTheFolder) {
  TempResources res;
  for (const char* name : {"a.data", "b.data.bak", "loadlevel.txt", "notes", "B.data", "_x.data",
                           "a2.data", ".hidden.data"}) {
    res.write(std::string("Levels/") + name, "");
  }
  EXPECT_EQ(getLevelList(res.resourceRoot()), (Lines{"B", "_x", "a", "a2", "b"}));
  fs::remove_all(res.path() / "Levels");
  EXPECT_TRUE(getLevelList(res.resourceRoot()).empty());
}

// Pasted into a shell command, this folder would run "touch pwned".
TEST(GetLevelList, FolderPathWithSpaceAndSemicolonIsListedAndRunsNothing) {
  TempResources res("my levels;touch pwned;x");
  res.write("Levels/a.data", "");
  res.write("Levels/c.data", "");
  EXPECT_EQ(getLevelList(res.resourceRoot()), (Lines{"a", "c"}));
  EXPECT_FALSE(fs::exists(fs::current_path() / "pwned"));
}

} // namespace
