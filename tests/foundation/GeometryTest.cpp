#include "Probes.h"

#include "actors/Point2D.h"
#include "actors/RectangularSector.h"
#include "common/Functions.h"
#include "support/Table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Point2D, ArithmeticWorksComponentWise) {
  const Point2D a(3, -4);
  const Point2D b(0.5, 2);
  EXPECT_EQ(a + b, Point2D(3.5, -2));
  EXPECT_EQ(a - b, Point2D(2.5, -6));
  EXPECT_EQ(-a, Point2D(-3, 4));
  EXPECT_EQ(a * 2, Point2D(6, -8));
  EXPECT_EQ(a / 2, Point2D(1.5, -2));
  Point2D c = a;
  c += b;
  EXPECT_EQ(c, Point2D(3.5, -2));
  EXPECT_EQ(a.magnitudeSquared(), 25);
  EXPECT_EQ(a.magnitude(), 5);
  EXPECT_DOUBLE_EQ(a.unitVector().x, 0.6);
  EXPECT_DOUBLE_EQ(a.unitVector().y, -0.8);
}

// The multiplication comes first: 16 / 1000 in integers would be 0.
TEST(Point2D, ConvertPixelPerSecondScalesToTheElapsedTime) {
  const Point2D jump = Point2D(200, -700).convertPixelPerSecond(16);
  EXPECT_DOUBLE_EQ(jump.x, 3.2);
  EXPECT_DOUBLE_EQ(jump.y, -11.2);
  const Point2D slow = Point2D(-50, 25).convertPixelPerSecond(2500);
  EXPECT_DOUBLE_EQ(slow.x, -125);
  EXPECT_DOUBLE_EQ(slow.y, 62.5);
}

TEST(Functions, PpsScalesAPerSecondQuantityInDoubles) {
  EXPECT_DOUBLE_EQ(pps(1000, 16), 16);
  EXPECT_DOUBLE_EQ(pps(-700, 16), -11.2);
  EXPECT_DOUBLE_EQ(pps(1, 999), 0.999);
  EXPECT_EQ(min(2, 7), 2);
  EXPECT_EQ(min(7, -2), -2);
  EXPECT_EQ(max(2, 7), 7);
  EXPECT_EQ(max(7, -2), 7);
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

struct IntersectRow {
  std::string name;
  RectangularSector a, b;
  bool expected;
};

class Intersects : public testing::TestWithParam<IntersectRow> {};

TEST_P(Intersects, IsStrictAndSymmetric) {
  const IntersectRow& row = GetParam();
  EXPECT_EQ(row.a.intersects(row.b), row.expected);
  EXPECT_EQ(row.b.intersects(row.a), row.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, Intersects, testing::Values(
    IntersectRow{"SharedVerticalEdge", {0, 0, 10, 10}, {10, 0, 10, 10}, false},
    IntersectRow{"HalfPixelOverlap", {0, 0, 10, 10}, {9.5, 0, 10, 10}, true},
    IntersectRow{"SharedHorizontalEdge", {0, 0, 10, 10}, {0, 10, 10, 10}, false},
    IntersectRow{"SharedCorner", {0, 0, 10, 10}, {10, 10, 5, 5}, false},
    IntersectRow{"ZeroSizeStrictlyInside", {0, 0, 10, 10}, {5, 5, 0, 0}, true},
    IntersectRow{"ZeroSizeOnEdge", {0, 0, 10, 10}, {10, 5, 0, 0}, false},
    IntersectRow{"Contained", {0, 0, 100, 100}, {10, 10, 5, 5}, true},
    IntersectRow{"WidenedProbeTouches", {-1, -1, 22, 22}, {20, 0, 10, 10}, true}),
    RowName{});
// clang-format on

struct ContainsRow {
  std::string name;
  int px, py;
  bool expected;
};

class Contains : public testing::TestWithParam<ContainsRow> {};

TEST_P(Contains, LeavesTheBorderOutside) {
  const ContainsRow& row = GetParam();
  EXPECT_EQ(RectangularSector(0, 0, 10, 10).contains(row.px, row.py), row.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, Contains, testing::Values(
    ContainsRow{"LeftEdge", 0, 5, false}, ContainsRow{"OneInsideLeftEdge", 1, 5, true},
    ContainsRow{"RightEdge", 10, 5, false}, ContainsRow{"OneInsideRightEdge", 9, 5, true},
    ContainsRow{"TopEdge", 5, 0, false}, ContainsRow{"BottomEdge", 5, 10, false}),
    RowName{});
// clang-format on

TEST(RectangularSector, ContainsComparesWithFractionalEdges) {
  EXPECT_TRUE(RectangularSector(0.5, 0.5, 10, 10).contains(1, 1));
  EXPECT_FALSE(RectangularSector(1.5, 0, 10, 10).contains(1, 1));
}

// Corners left, top, right, bottom truncated toward zero, not down.
TEST(RectangularSector, GlVerteciesEmitsTruncatedCornersClockwiseFromTopLeft) {
  const struct {
    RectangularSector r;
    int left, top, right, bottom;
  } cases[] = {{{0.9, 1.5, 10, 10}, 0, 1, 10, 11}, {{-0.9, 2.7, 10.6, 3}, 0, 2, 9, 5}};
  GLWindow::clear();
  for (const auto& c : cases) {
    const auto vertices = captureVertices([&] { c.r.glVertecies(); });
    ASSERT_EQ(vertices.size(), 4u);
    const int xs[] = {c.left, c.right, c.right, c.left};
    const int ys[] = {c.top, c.top, c.bottom, c.bottom};
    for (int i = 0; i < 4; ++i) {
      EXPECT_NEAR(vertices[i].x, xs[i] + 0.325, 1e-3) << "corner " << i << " of " << c.r.getX();
      EXPECT_NEAR(vertices[i].y, ys[i] + 0.325, 1e-3) << "corner " << i << " of " << c.r.getX();
    }
  }
}

} // namespace
