#include "ObjectDescription.h"

#include "objects/LevelText.h"
#include "support/Table.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

struct TextRow {
  std::string name;
  std::string text;
  Lines objects;
  std::size_t skipped;
  // The text of those objects, which must parse back to them.
  std::string written;
};

class LevelText : public testing::TestWithParam<TextRow> {};

TEST_P(LevelText, ParsesWritesAndParsesBack) {
  const TextRow& row = GetParam();
  const ParsedLevel parsed = parseLevelText(row.text);
  EXPECT_EQ(describe(parsed.objects), row.objects);
  EXPECT_EQ(parsed.skippedLines, row.skipped);
  const std::string written = levelText(parsed.objects);
  EXPECT_EQ(written, row.written);
  const ParsedLevel again = parseLevelText(written);
  EXPECT_EQ(describe(again.objects), row.objects);
  EXPECT_EQ(again.skippedLines, 0u);
}

// Fields are split at single spaces and read like atoi times 10; lines too
// short for their type, of unknown type or whose numbers leave the int range
// (tenfold, for coordinates) are skipped, empty lines are not counted.
// Whole values of any size are written as their digits.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, LevelText, testing::Values(
    TextRow{"WorkedLines", "1 10 40 20 2 1 \n2 4 38 2 2 \n3 60 30 10 10 \n4 25 38 2 2 \n",
            {"platform 100 400 200 20 kind 1", "spawn 40 380 20 20", "goal 600 300 100 100",
             "monster 250 380 20 20 hp 100/100"}, 0,
            "1 10 40 20 2 1 \n2 4 38 2 2 \n3 60 30 10 10 \n4 25 38 2 2 \n"},
    TextRow{"EmptyText", "", {}, 0, ""},
    TextRow{"HandWrittenFiveFieldPlatformIsClimbable", "1 5 5 3 1",
            {"platform 50 50 30 10 kind 0"}, 0, "1 5 5 3 1 0 \n"},
    TextRow{"LeadingSpaceStaysInTypeField", " 2 1 1 2 2", {"spawn 10 10 20 20"}, 0,
            "2 1 1 2 2 \n"},
    TextRow{"TabDoesNotSeparate", "1\t5 5 3 1 0", {"platform 50 30 10 0 kind 0"}, 0,
            "1 5 3 1 0 0 \n"},
    TextRow{"TwoSpacesGiveEmptyFieldThatShifts", "1 5  5 3 1 2 ", {"platform 50 0 50 30 kind 1"},
            0, "1 5 0 5 3 1 \n"},
    TextRow{"FractionsAndExponentsReadAsLeadingInteger", "1 12.5 -3.5 1 1 0\n3 1.23457e+06 0 1 1",
            {"platform 120 -30 10 10 kind 0", "goal 10 0 10 10"}, 0,
            "1 12 -3 1 1 0 \n3 1 0 1 1 \n"},
    TextRow{"UnknownTypeSkipped", "7 1 1 1 1\n2 1 1 2 2 \n", {"spawn 10 10 20 20"}, 1,
            "2 1 1 2 2 \n"},
    TextRow{"EmptyLinesNotCounted", "\n3 1 2 3 4 \n\n", {"goal 10 20 30 40"}, 0, "3 1 2 3 4 \n"},
    TextRow{"FourFieldObjectGetsZeroHeight", "2 1 1 2", {"spawn 10 10 20 0"}, 0, "2 1 1 2 0 \n"},
    TextRow{"TooFewFieldsSkipped", "1 5 5 3\n3 1 1\n4 1 1 1 1 \n",
            {"monster 10 10 10 10 hp 100/100"}, 2, "4 1 1 1 1 \n"},
    TextRow{"ExtraFieldsIgnored", "2 1 1 2 2 9 9 9 \n", {"spawn 10 10 20 20"}, 0, "2 1 1 2 2 \n"},
    TextRow{"UnknownPlatformKindKept", "1 1 1 1 1 -1 \n", {"platform 10 10 10 10 kind -1"}, 0,
            "1 1 1 1 1 -1 \n"},
    TextRow{"OutOfRangeSkipped",
            "3 214748365 0 1 1 \n3 0 0 1 -214748365 \n4294967297 1 1 1 1 \n1 1 1 1 1 99999999999 \n",
            {}, 4, ""},
    TextRow{"LargestTenthsWrittenAsDigits", "3 214748364 -214748364 1 1 \n",
            {"goal 2147483640 -2147483640 10 10"}, 0, "3 214748364 -214748364 1 1 \n"},
    TextRow{"HugeValuesWrittenAsDigits", "1 20000000 -1234567 1000000 999999 2 \n",
            {"platform 200000000 -12345670 10000000 9999990 kind 2"}, 0,
            "1 20000000 -1234567 1000000 999999 2 \n"}),
    RowName{});
// clang-format on

} // namespace
