#include "character/CharacterRig.h"

#include "support/GLWindow.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <ostream>

namespace {

using ::PrintTo;

const Rgb BLUE = rgb(0, 0, 255);
const Rgb BACKGROUND = rgb(0, 0, 0);

// The filled square expected on screen, in window pixels: columns left to
// right - 1 and rows top to bottom - 1.
struct DrawRow {
  const char* name;
  Point2D position;
  // The camera translation the world draws the character in.
  double cameraX;
  int left, top, right, bottom;
};

class DrawTest : public CharacterTableTest<DrawRow> {};

// One pixel inside and one outside each edge, on the square's middle lines.
TEST_P(DrawTest, FillsTheTwentyPixelSquareInBlue) {
  const DrawRow& row = GetParam();
  GLWindow::clear();
  glTranslated(row.cameraX, 0, 0);
  character.position = row.position;

  character.draw();

  const int midX = (row.left + row.right) / 2;
  const int midY = (row.top + row.bottom) / 2;
  EXPECT_EQ(BLUE, GLWindow::pixel(row.left, midY)) << "left edge, inside";
  EXPECT_EQ(BACKGROUND, GLWindow::pixel(row.left - 1, midY)) << "left edge, outside";
  EXPECT_EQ(BLUE, GLWindow::pixel(row.right - 1, midY)) << "right edge, inside";
  EXPECT_EQ(BACKGROUND, GLWindow::pixel(row.right, midY)) << "right edge, outside";
  EXPECT_EQ(BLUE, GLWindow::pixel(midX, row.top)) << "top edge, inside";
  EXPECT_EQ(BACKGROUND, GLWindow::pixel(midX, row.top - 1)) << "top edge, outside";
  EXPECT_EQ(BLUE, GLWindow::pixel(midX, row.bottom - 1)) << "bottom edge, inside";
  EXPECT_EQ(BACKGROUND, GLWindow::pixel(midX, row.bottom)) << "bottom edge, outside";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DrawTest,
    ::testing::Values(
        DrawRow{"WholePixels", {100, 50}, 0, 90, 40, 110, 60},
        // 90.7..110.7 and 40.9..60.9 truncate, not round.
        DrawRow{"FractionsTruncate", {100.7, 50.9}, 0, 90, 40, 110, 60},
        // -20.5..-0.5 truncate toward zero to -20..0, not down
        // to -21..-1; the camera shifts them by 100.
        DrawRow{"NegativeFractionsTruncateTowardZero", {-10.5, 50}, 100, 80, 40, 100, 60}),
    RowName{});

TEST_F(CharacterTest, DrawsNothingOnScreenAfterFallingBeyondTheIntRange) {
  GLWindow::clear();
  character.position = Point2D(100, 1e12);

  character.draw();

  for (const int y : {0, 240, 470, 479}) {
    EXPECT_EQ(BACKGROUND, GLWindow::pixel(100, y)) << "at y " << y;
  }
}

} // namespace
