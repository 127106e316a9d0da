#include "Probes.h"

#include "actors/Point2D.h"
#include "common/Functions.h"
#include "gfx/FloatingText.h"
#include "support/Table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Unlike any shade of grey the text can take.
const Rgb backdrop = rgb(0, 0, 128);

struct AgeRow {
  std::string name;
  int duration;
  std::vector<int> frames;
  bool kept;
  int remaining;
};

class FloatingTextAge : public testing::TestWithParam<AgeRow> {};

TEST_P(FloatingTextAge, KeptWhileRemainingIsNotNegative) {
  const AgeRow& row = GetParam();
  FloatingText text(5, 20, "Saved as level1!", row.duration, true);
  bool kept = true;
  for (const int ms : row.frames) {
    kept = text.update(ms);
  }
  EXPECT_EQ(kept, row.kept);
  EXPECT_EQ(text.getRemaining(), row.remaining);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, FloatingTextAge, testing::Values(
    AgeRow{"OneFrame", 2000, {16}, true, 1984},
    AgeRow{"ReachingExactlyZeroStays", 2000, {1000, 1000}, true, 0},
    AgeRow{"NextPositiveUpdateDrops", 2000, {1000, 1000, 1}, false, -1},
    AgeRow{"ZeroDurationStaysForANoTimeFrame", 0, {0}, true, 0}),
    RowName{});
// clang-format on

struct BrightnessRow {
  std::string name;
  int duration, aged;
  double brightness;
};

class FloatingTextBrightness : public testing::TestWithParam<BrightnessRow> {};

TEST_P(FloatingTextBrightness, FadesFromWhiteToBlack) {
  const BrightnessRow& row = GetParam();
  GLWindow::clear(0, 0, 0.5f);
  FloatingText text(5, 20, "Level Complete!", row.duration, true);
  text.update(row.aged);
  text.draw(Point2D(0, 0));
  const PixelBlock block(0, 0, 320, 40);
  const auto drawn = block.drawn(backdrop);
  ASSERT_TRUE(drawn);
  // Bitmap glyphs have no soft edges: every text pixel has the one colour.
  for (int y = drawn->top; y <= drawn->bottom; ++y) {
    for (int x = drawn->left; x <= drawn->right; ++x) {
      const Rgb pixel = block.at(x, y);
      if (!(pixel == backdrop)) {
        ASSERT_EQ(pixel.r, pixel.g);
        ASSERT_EQ(pixel.r, pixel.b);
        ASSERT_NEAR(pixel.r, row.brightness * 255, 1.0) << x << "," << y;
      }
    }
  }
}

// A text with no positive duration shows as already faded, with no
// division by its duration.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, FloatingTextBrightness, testing::Values(
    BrightnessRow{"New", 2000, 0, 1.0}, BrightnessRow{"Half", 2000, 1000, 0.5},
    BrightnessRow{"ZeroDurationShowsExpired", 0, 0, 0.0},
    BrightnessRow{"NegativeDurationShowsExpired", -50, 0, 0.0}),
    RowName{});
// clang-format on

struct CameraRow {
  std::string name;
  bool fixed;
  Point2D offset;
  int windowX, windowY; // where the text at (150, 60) lands
};

class FloatingTextCamera : public testing::TestWithParam<CameraRow> {};

TEST_P(FloatingTextCamera, WorldTextMovesOppositeToTheCameraFixedTextStays) {
  const CameraRow& row = GetParam();
  GLWindow::clear(0, 0, 0.5f);
  FloatingText(150, 60, "Ouch", 2000, row.fixed).draw(row.offset);
  const PixelBlock moved(0, 0, 400, 200);
  GLWindow::clear(0, 0, 0.5f);
  drawText(row.windowX, row.windowY, "Ouch");
  const auto expected = PixelBlock(0, 0, 400, 200).drawn(backdrop);
  ASSERT_TRUE(expected);
  EXPECT_EQ(moved.drawn(backdrop), expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, FloatingTextCamera, testing::Values(
    CameraRow{"FixedIgnoresTheCamera", true, {100, 40}, 150, 60},
    CameraRow{"ScrolledRight", false, {100, 0}, 50, 60},
    CameraRow{"ScrolledDown", false, {0, 40}, 150, 20},
    CameraRow{"FractionalOffsetTruncates", false, {99.5, -0.5}, 50, 60}),
    RowName{});
// clang-format on

} // namespace
