#include "character/CharacterRig.h"

#include "support/GLWindow.h"
#include "support/Table.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

const Rgb blue = rgb(0, 0, 255);
const Rgb black = rgb(0, 0, 0);

struct DrawRow {
  std::string name;
  Point2D position;
  double cameraX;               // the translation the world draws the character in
  int left, top, right, bottom; // window pixels covered, inclusive
};

class Draw : public CharacterTableTest<DrawRow> {};

TEST_P(Draw, FillsTheTwentyPixelSquareInBlue) {
  const DrawRow& row = GetParam();
  GLWindow::clear();
  glTranslated(row.cameraX, 0, 0);
  character.position = row.position;
  character.draw();
  expectBox(row.left, row.top, row.right, row.bottom, blue, black);
}

// Edges truncate toward zero: -20.5..-0.5 becomes -20..0, not -21..-1.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, Draw, testing::Values(
    DrawRow{"FractionsTruncate", {100.7, 50.9}, 0, 90, 40, 109, 59},
    DrawRow{"NegativeFractionsTruncateTowardZero", {-10.5, 50}, 100, 80, 40, 99, 59}),
    RowName{});
// clang-format on

TEST_F(CharacterTest, DrawsNothingOnScreenAfterFallingBeyondTheIntRange) {
  GLWindow::clear();
  character.position = Point2D(100, 1e12);
  character.draw();
  for (const int y : {0, 240, 479}) {
    EXPECT_EQ(GLWindow::pixel(100, y), black) << "at y " << y;
  }
}

} // namespace
