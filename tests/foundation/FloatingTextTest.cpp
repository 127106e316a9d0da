#include "Probes.h"

#include "actors/Point2D.h"
#include "common/Draw.h"
#include "gfx/FloatingText.h"
#include "support/Table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Unlike any shade of grey the text can take.
const Rgb backdrop = rgb(0, 0, 128);

TEST(FloatingText, IsKeptWhileItsRemainingTimeIsNotNegative) {
  FloatingText text(5, 20, "Saved as level1!", 2000, true);
  EXPECT_TRUE(text.update(16));
  EXPECT_EQ(text.getRemaining(), 1984);
  EXPECT_TRUE(text.update(1984));
  EXPECT_EQ(text.getRemaining(), 0);
  EXPECT_FALSE(text.update(1));
}

struct BrightnessRow {
  std::string name;
  int duration, aged;
  int grey; // of every text pixel
};

class FloatingTextBrightness : public testing::TestWithParam<BrightnessRow> {};

// Bitmap glyphs have no soft edges: every text pixel has the one grey. A
// text with no positive duration shows as already faded, with no division
// by its duration.
TEST_P(FloatingTextBrightness, FadesFromWhiteToBlack) {
  const BrightnessRow& row = GetParam();
  GLWindow::clear(0, 0, 0.5f);
  FloatingText text(5, 20, "Level Complete!", row.duration, true);
  text.update(row.aged);
  text.draw(Point2D(0, 0));
  const Rgb ink = rgb(row.grey, row.grey, row.grey);
  const PixelBlock block(0, 0, 320, 40);
  EXPECT_TRUE(block.onlyColours({backdrop, ink}));
  EXPECT_TRUE(block.drawn(backdrop));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, FloatingTextBrightness, testing::Values(
    BrightnessRow{"QuarterGone", 2000, 500, 191},
    BrightnessRow{"ZeroDurationShowsExpired", 0, 0, 0},
    BrightnessRow{"NegativeDurationShowsExpired", -50, 0, 0}),
    RowName{});
// clang-format on

// A text at (150, 60) lands where drawText would put it at the window
// position: fixed text ignores the camera, world text moves against it,
// truncated toward zero.
TEST(FloatingText, WorldTextMovesOppositeToTheCameraFixedTextStays) {
  const struct {
    bool fixed;
    Point2D offset;
    int windowX, windowY;
  } rows[] = {{true, {100, 40}, 150, 60}, {false, {99.5, 40.5}, 50, 19}};
  for (const auto& row : rows) {
    GLWindow::clear(0, 0, 0.5f);
    FloatingText(150, 60, "Ouch", 2000, row.fixed).draw(row.offset);
    const auto drawn = PixelBlock(0, 0, 400, 200).drawn(backdrop);
    GLWindow::clear(0, 0, 0.5f);
    drawText(row.windowX, row.windowY, "Ouch");
    const auto expected = PixelBlock(0, 0, 400, 200).drawn(backdrop);
    ASSERT_TRUE(expected);
    EXPECT_EQ(drawn, expected) << (row.fixed ? "fixed" : "in the world");
  }
}

} // namespace
