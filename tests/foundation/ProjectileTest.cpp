#include "Probes.h"

#include "actors/Projectile.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

const Rgb black = rgb(0, 0, 0);
const Rgb green = rgb(0, 255, 0);

struct FlightRow {
  std::string name;
  int lifetime;
  int dt;
  double x, y;
  int lifetimeAfter;
  bool alive;
};

class ProjectileFlight : public testing::TestWithParam<FlightRow> {};

TEST_P(ProjectileFlight, MovesAndCountsDown) {
  const FlightRow& row = GetParam();
  Projectile shot(10, 20, 200, 0, row.lifetime);
  EXPECT_EQ(shot.update(row.dt), row.alive);
  EXPECT_DOUBLE_EQ(shot.getX(), row.x);
  EXPECT_DOUBLE_EQ(shot.getY(), row.y);
  EXPECT_EQ(shot.getLifetime(), row.lifetimeAfter);
}

INSTANTIATE_TEST_SUITE_P(Rows, ProjectileFlight,
                         testing::Values(FlightRow{"OneFrame", 2000, 16, 13.2, 20, 1984, true},
                                         FlightRow{"LastFrameStillMoves", 10, 16, 13.2, 20, -6,
                                                   false},
                                         FlightRow{"ExactlyUsedUp", 16, 16, 13.2, 20, 0, false},
                                         FlightRow{"NoTime", 2000, 0, 10, 20, 2000, true},
                                         FlightRow{"NoTimeWhenSpent", 0, 0, 10, 20, 0, false}),
                         [](const auto& info) { return info.param.name; });

TEST(Projectile, ExpiresOnTheUpdateThatUsesUpItsLifetime) {
  Projectile shot(0, 0, 200, -100, 2000);
  for (int frame = 1; frame < 125; ++frame) {
    ASSERT_TRUE(shot.update(16)) << "frame " << frame;
  }
  EXPECT_FALSE(shot.update(16)) << "125 frames of 16 ms make 2000";
  EXPECT_NEAR(shot.getX(), 400, 1e-9);
  EXPECT_NEAR(shot.getY(), -200, 1e-9);
}

TEST(Projectile, FliesDiagonally) {
  Projectile shot(0, 0, 120, -160, 2000);
  shot.update(500);
  EXPECT_DOUBLE_EQ(shot.getX(), 60);
  EXPECT_DOUBLE_EQ(shot.getY(), -80);
  shot.incX(1.5);
  shot.incY(-2);
  EXPECT_DOUBLE_EQ(shot.getX(), 61.5);
  EXPECT_DOUBLE_EQ(shot.getY(), -82);
}

struct SquareRow {
  std::string name;
  double x, y;
  double cameraX;
  int left, top, right, bottom; // window pixels covered, inclusive
};

class ProjectileDraw : public testing::TestWithParam<SquareRow> {};

TEST_P(ProjectileDraw, GreenSquareOfFourPixels) {
  const SquareRow& row = GetParam();
  GLWindow::clear();
  glTranslated(-row.cameraX, 0, 0);
  Projectile(row.x, row.y, 0, 0, 2000).draw();
  glLoadIdentity();
  EXPECT_EQ(GLWindow::pixel(row.left, row.top), green) << "top-left";
  EXPECT_EQ(GLWindow::pixel(row.right, row.bottom), green) << "bottom-right";
  EXPECT_EQ(GLWindow::pixel(row.left - 1, row.top), black) << "left of it";
  EXPECT_EQ(GLWindow::pixel(row.right + 1, row.top), black) << "right of it";
  EXPECT_EQ(GLWindow::pixel(row.left, row.top - 1), black) << "above it";
  EXPECT_EQ(GLWindow::pixel(row.left, row.bottom + 1), black) << "below it";
}

INSTANTIATE_TEST_SUITE_P(Rows, ProjectileDraw,
                         testing::Values(SquareRow{"FractionsDropped", 10.7, 5.2, 0, 8, 3, 11, 6},
                                         SquareRow{"Whole", 100, 200, 0, 98, 198, 101, 201},
                                         // Left edge -7.5 truncates to -7, not down to -8.
                                         SquareRow{"NegativeTruncatesTowardZero", -5.5, 50.2, -20,
                                                   13, 48, 16, 51}),
                         [](const auto& info) { return info.param.name; });

} // namespace
