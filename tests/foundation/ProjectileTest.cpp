#include "Probes.h"

#include "actors/Projectile.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

// The frame that uses up the lifetime still moves the shot.
TEST(Projectile, MovesAndLivesWhileItsLifetimeIsPositive) {
  Projectile shot(10, 20, 200, -100, 32);
  EXPECT_TRUE(shot.update(16));
  EXPECT_EQ(shot.getLifetime(), 16);
  EXPECT_FALSE(shot.update(16));
  EXPECT_DOUBLE_EQ(shot.getX(), 16.4);
  EXPECT_DOUBLE_EQ(shot.getY(), 16.8);
  EXPECT_EQ(shot.getLifetime(), 0);
}

// Edges truncate toward zero: the left edge -7.5 becomes -7, not -8, and
// the camera at -20 puts the square at 13..16. A shot past the int range
// must not wrap round to the far left, stretching across the window.
TEST(Projectile, IsDrawnAsAGreenSquareOfFourPixels) {
  GLWindow::clear();
  glTranslated(20, 0, 0);
  Projectile(-5.5, 50.2, 0, 0, 2000).draw();
  glLoadIdentity();
  expectBox(13, 48, 16, 51, rgb(0, 255, 0), rgb(0, 0, 0));
  GLWindow::clear();
  Projectile(2147483646.5, 100, 0, 0, 2000).draw();
  for (const int x : {0, 320, 639}) {
    EXPECT_EQ(GLWindow::pixel(x, 100), rgb(0, 0, 0)) << "at x " << x;
  }
}

} // namespace
