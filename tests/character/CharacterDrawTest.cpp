#include "character/CharacterRig.h"

#include "support/GLWindow.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <ostream>

// Found by argument-dependent lookup, so it lives beside Rgb.
static std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "rgb(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

namespace {

using ::PrintTo;

const Rgb BLUE = rgb(0, 0, 255);
const Rgb BACKGROUND = rgb(0, 0, 0);

struct Probe {
  int x, y;
  Rgb expected;
};

struct DrawRow {
  const char* name;
  Point2D position;
  // The camera translation the world draws the character in.
  double cameraX;
  Probe probes[8];
};

class DrawTest : public CharacterTableTest<DrawRow> {};

TEST_P(DrawTest, FillsTheTwentyPixelSquareInBlue) {
  const DrawRow& row = GetParam();
  GLWindow::clear();
  glTranslated(row.cameraX, 0, 0);
  character.position = row.position;

  character.draw();

  for (const Probe& p : row.probes) {
    EXPECT_EQ(p.expected, GLWindow::pixel(p.x, p.y)) << "at (" << p.x << ", " << p.y << ")";
  }
}

// Each row probes one pixel inside and one outside every edge.
INSTANTIATE_TEST_SUITE_P(
    Rows, DrawTest,
    ::testing::Values(DrawRow{"WholePixels",
                              {100, 50},
                              0,
                              {{90, 50, BLUE},
                               {89, 50, BACKGROUND},
                               {109, 50, BLUE},
                               {110, 50, BACKGROUND},
                               {100, 40, BLUE},
                               {100, 39, BACKGROUND},
                               {100, 59, BLUE},
                               {100, 60, BACKGROUND}}},
                      // 90.7 to 110.7 and 40.9 to 60.9 truncate, not round, to 90..110 and 40..60.
                      DrawRow{"FractionsTruncate",
                              {100.7, 50.9},
                              0,
                              {{90, 50, BLUE},
                               {89, 50, BACKGROUND},
                               {109, 50, BLUE},
                               {110, 50, BACKGROUND},
                               {100, 40, BLUE},
                               {100, 39, BACKGROUND},
                               {100, 59, BLUE},
                               {100, 60, BACKGROUND}}},
                      // -20.5 to -0.5 truncate toward zero to -20..0, not down to -21..-1.
                      DrawRow{"NegativeFractionsTruncateTowardZero",
                              {-10.5, 50},
                              100,
                              {{80, 50, BLUE},
                               {79, 50, BACKGROUND},
                               {99, 50, BLUE},
                               {100, 50, BACKGROUND},
                               {90, 40, BLUE},
                               {90, 39, BACKGROUND},
                               {90, 59, BLUE},
                               {90, 60, BACKGROUND}}},
                      // Far beyond the int range after a long fall: nothing on screen.
                      DrawRow{"FarBelowTheLevelDrawsNothing",
                              {100, 1e12},
                              0,
                              {{100, 0, BACKGROUND},
                               {100, 240, BACKGROUND},
                               {100, 479, BACKGROUND},
                               {0, 0, BACKGROUND},
                               {639, 479, BACKGROUND},
                               {90, 470, BACKGROUND},
                               {109, 470, BACKGROUND},
                               {320, 240, BACKGROUND}}}),
    RowName{});

} // namespace
