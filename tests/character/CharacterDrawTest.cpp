#include "character/CharacterRig.h"

#include "support/GLWindow.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

const Rgb blue = rgb(0, 0, 255);
const Rgb black = rgb(0, 0, 0);

// Edges truncate toward zero: -20.5..-0.5 becomes -20..0, not -21..-1. The
// camera is the translation the world draws the character in.
TEST_F(CharacterTest, DrawFillsTheTwentyPixelSquareInBlue) {
  const struct {
    Point2D position;
    double cameraX;
    int left, top, right, bottom; // window pixels, inclusive
  } cases[] = {{{100.7, 50.9}, 0, 90, 40, 109, 59}, {{-10.5, 50}, 100, 80, 40, 99, 59}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position.x);
    GLWindow::clear();
    glTranslated(c.cameraX, 0, 0);
    character.position = c.position;
    character.draw();
    expectBox(c.left, c.top, c.right, c.bottom, blue, black);
  }
}

TEST_F(CharacterTest, DrawsNothingOnScreenAfterFallingBeyondTheIntRange) {
  GLWindow::clear();
  character.position = Point2D(100, 1e12);
  character.draw();
  for (const int y : {0, 240, 479}) {
    EXPECT_EQ(GLWindow::pixel(100, y), black) << "at y " << y;
  }
}

} // namespace
