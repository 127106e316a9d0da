#include "Probes.h"

#include "actors/Projectile.h"
#include "support/Table.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

struct FlightRow {
  std::string name;
  int lifetime, dt;
  double x, y;
  int lifetimeAfter;
  bool alive;
};

class ProjectileFlight : public testing::TestWithParam<FlightRow> {};

TEST_P(ProjectileFlight, MovesAndCountsDown) {
  const FlightRow& row = GetParam();
  Projectile shot(10, 20, 200, -100, row.lifetime);
  EXPECT_EQ(shot.update(row.dt), row.alive);
  EXPECT_DOUBLE_EQ(shot.getX(), row.x);
  EXPECT_DOUBLE_EQ(shot.getY(), row.y);
  EXPECT_EQ(shot.getLifetime(), row.lifetimeAfter);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, ProjectileFlight, testing::Values(
    FlightRow{"OneFrame", 2000, 16, 13.2, 18.4, 1984, true},
    FlightRow{"LastFrameStillMoves", 10, 16, 13.2, 18.4, -6, false},
    FlightRow{"ExactlyUsedUp", 16, 16, 13.2, 18.4, 0, false},
    FlightRow{"NoTime", 2000, 0, 10, 20, 2000, true}),
    RowName{});
// clang-format on

// Edges truncate toward zero: a left edge of -7.5 becomes -7, not -8. The
// boxes are window pixels, bounds inclusive.
TEST(ProjectileDraw, GreenSquareOfFourPixels) {
  const struct {
    double x, y, cameraX;
    int left, top, right, bottom;
  } cases[] = {{10.7, 5.2, 0, 8, 3, 11, 6}, {-5.5, 50.2, -20, 13, 48, 16, 51}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    GLWindow::clear();
    glTranslated(-c.cameraX, 0, 0);
    Projectile(c.x, c.y, 0, 0, 2000).draw();
    glLoadIdentity();
    expectBox(c.left, c.top, c.right, c.bottom, rgb(0, 255, 0), rgb(0, 0, 0));
  }
}

// A shot fired by a character that has fallen past the int range: its right
// edge does not fit an int and must not wrap round to the far left, which
// would stretch the square across the window.
TEST(ProjectileDraw, BeyondTheIntRangeDrawsNothingOnScreen) {
  GLWindow::clear();
  Projectile(2147483646.5, 100, 0, 0, 2000).draw();
  for (const int x : {0, 320, 639}) {
    EXPECT_EQ(GLWindow::pixel(x, 100), rgb(0, 0, 0)) << "at x " << x;
  }
}

} // namespace
