// A level file's text reads back as the objects it was saved from, and
// hand-edited lines read as they always have: the worked lines of the
// format, parsed and written again in memory.

#include "objects/LevelText.h"
#include "objects/Platform.h"
#include "support/Table.h"

#include <gtest/gtest.h>

namespace {

struct TextRow {
  std::string name;
  std::string text;
  std::size_t skipped;
  const char* written = nullptr; // none: the text itself
  friend void PrintTo(const TextRow& row, std::ostream* out) { *out << row.name; }
};

class LevelText : public testing::TestWithParam<TextRow> {};

TEST_P(LevelText, ReadsAndWritesBack) {
  const ParsedLevel parsed = parseLevelText(GetParam().text);
  EXPECT_EQ(parsed.skippedLines, GetParam().skipped);
  EXPECT_EQ(levelText(parsed.objects), GetParam().written ? GetParam().written : GetParam().text);
}

// Fields are split at single spaces and read like atoi: type, then x, y,
// width and height in tenths of a pixel, then a platform's kind.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, LevelText, testing::Values(
    TextRow{"PlatformOfEachKindSpawnGoalMonster",
            "1 10 40 20 2 0 \n1 1 4 2 2 1 \n1 2 4 2 2 2 \n2 4 38 2 2 \n3 60 30 10 10 \n4 25 38 2 2 \n", 0},
    TextRow{"FiveFieldPlatformIsClimbable", "1 5 5 3 1", 0, "1 5 5 3 1 0 \n"},
    TextRow{"LeadingSpaceStaysInTypeField", " 2 1 1 2 2", 0, "2 1 1 2 2 \n"},
    TextRow{"TabDoesNotSeparate", "1\t5 5 3 1 0", 0, "1 5 3 1 0 0 \n"},
    TextRow{"UnknownTypeSkipped", "7 1 1 1 1 \n", 1, ""},
    TextRow{"TooFewFieldsSkippedEmptyLinesNot", "1 5 5 3\n\n3 1 1\n", 2, ""},
    TextRow{"OutOfRangeSkipped", "3 214748365 0 1 1 \n", 1, ""},
    TextRow{"HugeWholeValuesAsDigits", "1 20000000 -1234567 1000000 999999 2 \n", 0}),
    RowName{});
// clang-format on

// Off the tenths grid, a value keeps six significant digits.
TEST(LevelTextWriting, ValuesOffTheGridHaveAFraction) {
  std::vector<std::unique_ptr<GameObject>> objects;
  objects.push_back(std::make_unique<Platform>(125, -35, 10.5, 123.4567, Platform::JUMPABLE));
  EXPECT_EQ(levelText(objects), "1 12.5 -3.5 1.05 12.3457 1 \n");
}

} // namespace
