#include "Probes.h"

#include "actors/Point2D.h"
#include "actors/RectangularSector.h"
#include "common/Units.h"

#include <gtest/gtest.h>

namespace {

TEST(Point2D, ArithmeticWorksComponentWise) {
  const Point2D a(3, -4);
  const Point2D b(0.5, 2);
  EXPECT_EQ(a + b, Point2D(3.5, -2));
  EXPECT_EQ(a - b, Point2D(2.5, -6));
  EXPECT_EQ(-a * 2, Point2D(-6, 8));
  EXPECT_EQ(a / 2, Point2D(1.5, -2));
  Point2D c = a;
  c += b;
  EXPECT_EQ(c, Point2D(3.5, -2));
  EXPECT_EQ(a.magnitude(), 5);
  EXPECT_EQ(a.unitVector(), Point2D(0.6, -0.8));
}

// The multiplication comes first: 16 / 1000 in integers would be 0.
TEST(Functions, PerSecondQuantitiesScaleToTheElapsedTimeInDoubles) {
  EXPECT_DOUBLE_EQ(pps(-700, 16), -11.2);
  EXPECT_DOUBLE_EQ(pps(1, 999), 0.999);
  const Point2D jump = Point2D(200, -700).convertPixelPerSecond(16);
  EXPECT_DOUBLE_EQ(jump.x, 3.2);
  EXPECT_DOUBLE_EQ(jump.y, -11.2);
}

// Sizes are used as stored: a negative width puts the right edge left of x.
TEST(RectangularSector, EdgesFollowPositionAndSize) {
  RectangularSector r(10, 20, -5, 40);
  EXPECT_EQ(r.getRight(), 5);
  EXPECT_EQ(r.getBottom(), 60);
  r.grow(-1, -1, 2, 2);
  EXPECT_EQ(r.pos, Point2D(9, 19));
  EXPECT_EQ(r.size, Point2D(-3, 42));
  const RectangularSector handle = RectangularSector(10, 20, 30, 40).getResizeBox();
  EXPECT_EQ(handle.pos, Point2D(40, 60));
  EXPECT_EQ(handle.size, Point2D(10, 10));
}

TEST(RectangularSector, IntersectsOnlyWithAnOverlapAndBothWays) {
  const struct {
    const char* name;
    RectangularSector other;
    bool expected;
  } rows[] = {{"SharedVerticalEdge", {10, 0, 10, 10}, false},
              {"HalfPixelOverlap", {9.5, 0, 10, 10}, true},
              {"SharedHorizontalEdge", {0, 10, 10, 10}, false},
              {"ZeroSizeStrictlyInside", {5, 5, 0, 0}, true},
              {"ZeroSizeOnEdge", {10, 5, 0, 0}, false}};
  const RectangularSector square(0, 0, 10, 10);
  for (const auto& row : rows) {
    EXPECT_EQ(square.intersects(row.other), row.expected) << row.name;
    EXPECT_EQ(row.other.intersects(square), row.expected) << row.name;
  }
}

// Compared in double, so a fractional edge is not rounded.
TEST(RectangularSector, ContainsLeavesTheBorderOutside) {
  const RectangularSector r(0, 0, 10, 10);
  EXPECT_FALSE(r.contains(0, 5));
  EXPECT_TRUE(r.contains(1, 5));
  EXPECT_FALSE(r.contains(10, 5));
  EXPECT_TRUE(r.contains(9, 9));
  EXPECT_FALSE(r.contains(5, 0));
  EXPECT_FALSE(r.contains(5, 10));
  EXPECT_TRUE(RectangularSector(0.5, 0.5, 10, 10).contains(1, 1));
  EXPECT_FALSE(RectangularSector(1.5, 0, 10, 10).contains(1, 1));
}

// Left, top, right, bottom truncated toward zero, not down: -0.9..9.7 by
// 2.7..5.7 gives 0..9 by 2..5.
TEST(RectangularSector, GlVerteciesEmitsTruncatedCornersClockwiseFromTopLeft) {
  GLWindow::clear();
  const RectangularSector r(-0.9, 2.7, 10.6, 3);
  const auto vertices = captureVertices([&] { r.glVertecies(); });
  ASSERT_EQ(vertices.size(), 4u);
  const int xs[] = {0, 9, 9, 0};
  const int ys[] = {2, 2, 5, 5};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(vertices[i].x, xs[i] + 0.325, 1e-3) << "corner " << i;
    EXPECT_NEAR(vertices[i].y, ys[i] + 0.325, 1e-3) << "corner " << i;
  }
}

} // namespace
