#include "Probes.h"

#include "actors/Point2D.h"
#include "common/Functions.h"
#include "gfx/FloatingText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const Rgb black = rgb(0, 0, 0);
// Unlike any shade of grey the text can take.
const Rgb backdrop = rgb(0, 0, 128);

// ---- Ageing -------------------------------------------------------------------------

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
  EXPECT_EQ(text.getRemaining(), row.duration);
  bool kept = true;
  for (const int ms : row.frames) {
    kept = text.update(ms);
  }
  EXPECT_EQ(kept, row.kept);
  EXPECT_EQ(text.getRemaining(), row.remaining);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FloatingTextAge,
    testing::Values(AgeRow{"OneFrame", 2000, {16}, true, 1984},
                    AgeRow{"NoTime", 2000, {0}, true, 2000},
                    AgeRow{"ReachingExactlyZeroStays", 2000, {1000, 1000}, true, 0},
                    AgeRow{"NextPositiveUpdateDrops", 2000, {1000, 1000, 1}, false, -1},
                    AgeRow{"LongFrameDropsAtOnce", 2000, {5000}, false, -3000},
                    AgeRow{"ZeroDurationStaysForANoTimeFrame", 0, {0}, true, 0},
                    AgeRow{"ZeroDurationDropsOnAnyTime", 0, {1}, false, -1}),
    [](const auto& info) { return info.param.name; });

// ---- Drawing ------------------------------------------------------------------------

// Draws onto a dark blue window so that black text still shows.
class FloatingTextDraw : public testing::Test {
protected:
  void SetUp() override { GLWindow::clear(0, 0, 0.5f); }

  static PixelBlock textArea() { return PixelBlock(0, 0, 320, 40); }
};

struct BrightnessRow {
  std::string name;
  int duration;
  int aged;
  double brightness;
};

class FloatingTextBrightness : public FloatingTextDraw,
                               public testing::WithParamInterface<BrightnessRow> {};

TEST_P(FloatingTextBrightness, FadesFromWhiteToBlack) {
  const BrightnessRow& row = GetParam();
  FloatingText text(5, 20, "Level Complete!", row.duration, true);
  text.update(row.aged);
  text.draw(Point2D(0, 0));
  const PixelBlock block = textArea();
  const auto drawn = block.drawn(backdrop);
  ASSERT_TRUE(drawn);
  // Bitmap glyphs have no soft edges: every text pixel has the one colour.
  for (int y = drawn->top; y <= drawn->bottom; ++y) {
    for (int x = drawn->left; x <= drawn->right; ++x) {
      const Rgb pixel = block.at(x, y);
      if (pixel == backdrop) {
        continue;
      }
      ASSERT_EQ(pixel.r, pixel.g);
      ASSERT_EQ(pixel.r, pixel.b);
      ASSERT_NEAR(pixel.r, row.brightness * 255, 1.0) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FloatingTextBrightness,
    testing::Values(BrightnessRow{"New", 2000, 0, 1.0}, BrightnessRow{"Quarter", 2000, 500, 0.75},
                    BrightnessRow{"Half", 2000, 1000, 0.5},
                    BrightnessRow{"TimeUp", 2000, 2000, 0.0},
                    BrightnessRow{"ZeroDurationShowsExpired", 0, 0, 0.0},
                    BrightnessRow{"NegativeDurationShowsExpired", -50, 0, 0.0}),
    [](const auto& info) { return info.param.name; });

TEST_F(FloatingTextDraw, FixedTextIgnoresTheCamera) {
  FloatingText(5, 20, "Saved as a!", 2000, true).draw(Point2D(100, 40));
  const PixelBlock moved = textArea();
  GLWindow::clear(0, 0, 0.5f);
  drawText(5, 20, "Saved as a!");
  const PixelBlock direct = textArea();
  ASSERT_TRUE(direct.drawn(backdrop));
  EXPECT_EQ(moved.drawn(backdrop), direct.drawn(backdrop));
}

struct CameraRow {
  std::string name;
  int worldX, worldY;
  Point2D offset;
  int windowX, windowY;
};

class FloatingTextCamera : public FloatingTextDraw,
                           public testing::WithParamInterface<CameraRow> {};

TEST_P(FloatingTextCamera, WorldTextMovesOppositeToTheCamera) {
  const CameraRow& row = GetParam();
  FloatingText(row.worldX, row.worldY, "Ouch", 2000, false).draw(row.offset);
  const PixelBlock moved(0, 0, 400, 200);
  GLWindow::clear(0, 0, 0.5f);
  drawText(row.windowX, row.windowY, "Ouch");
  const PixelBlock direct(0, 0, 400, 200);
  const auto expected = direct.drawn(backdrop);
  ASSERT_TRUE(expected);
  EXPECT_EQ(moved.drawn(backdrop), expected);
  EXPECT_GE(expected->left, row.windowX);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FloatingTextCamera,
    testing::Values(CameraRow{"ScrolledRight", 150, 60, {100, 0}, 50, 60},
                    CameraRow{"ScrolledDown", 150, 160, {0, 100}, 150, 60},
                    CameraRow{"FractionalOffsetTruncates", 150, 60, {99.5, -0.5}, 50, 60},
                    CameraRow{"ScrolledLeft", 150, 60, {-100, 0}, 250, 60}),
    [](const auto& info) { return info.param.name; });

TEST_F(FloatingTextDraw, LaterNoticeCoversEarlierAtTheSameSpot) {
  std::vector<FloatingText> texts;
  texts.emplace_back(5, 20, "Loaded level1!", 2000, true);
  texts.emplace_back(5, 20, "Loaded level1!", 2000, true);
  texts[1].update(1000);
  for (const FloatingText& text : texts) {
    text.draw(Point2D(0, 0));
  }
  const PixelBlock block = textArea();
  EXPECT_NEAR(block.maxRed(), 128, 1) << "the dimmer second text is on top";
}

} // namespace
