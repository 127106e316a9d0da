#include "Probes.h"

#include "actors/Point2D.h"
#include "actors/RectangularSector.h"
#include "common/Functions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// ---- Point2D ----------------------------------------------------------------

TEST(Point2D, DefaultIsOrigin) {
  const Point2D p;
  EXPECT_EQ(p.getX(), 0);
  EXPECT_EQ(p.getY(), 0);
}

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
  c.incX(1);
  c.incY(-1);
  EXPECT_EQ(c, Point2D(4.5, -3));
}

TEST(Point2D, MagnitudeAndUnitVector) {
  const Point2D a(3, -4);
  EXPECT_EQ(a.magnitudeSquared(), 25);
  EXPECT_EQ(a.magnitude(), 5);
  EXPECT_DOUBLE_EQ(a.unitVector().getX(), 0.6);
  EXPECT_DOUBLE_EQ(a.unitVector().getY(), -0.8);
}

TEST(Point2D, UnitVectorOfZeroHasNoDirection) {
  const Point2D u = Point2D(0, 0).unitVector();
  EXPECT_TRUE(std::isnan(u.getX()));
  EXPECT_TRUE(std::isnan(u.getY()));
}

struct ConvertRow {
  std::string name;
  Point2D velocity;
  int ms;
  Point2D displacement;
};

class ConvertPixelPerSecond : public testing::TestWithParam<ConvertRow> {};

TEST_P(ConvertPixelPerSecond, ScalesVelocityToElapsedTime) {
  const ConvertRow& row = GetParam();
  const Point2D d = row.velocity.convertPixelPerSecond(row.ms);
  EXPECT_DOUBLE_EQ(d.getX(), row.displacement.getX());
  EXPECT_DOUBLE_EQ(d.getY(), row.displacement.getY());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConvertPixelPerSecond,
    testing::Values(ConvertRow{"JumpOverOneFrame", {200, -700}, 16, {3.2, -11.2}},
                    ConvertRow{"NoTimeNoMotion", {200, -700}, 0, {0, 0}},
                    ConvertRow{"WholeSecond", {200, -700}, 1000, {200, -700}},
                    ConvertRow{"LongFrame", {-50, 25}, 2500, {-125, 62.5}}),
    [](const auto& info) { return info.param.name; });

// ---- pps, min, max ------------------------------------------------------------

struct PpsRow {
  std::string name;
  double perSecond;
  int ms;
  double expected;
};

class Pps : public testing::TestWithParam<PpsRow> {};

TEST_P(Pps, ScalesPerSecondQuantityToMilliseconds) {
  const PpsRow& row = GetParam();
  EXPECT_DOUBLE_EQ(pps(row.perSecond, row.ms), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, Pps,
                         testing::Values(PpsRow{"ThousandPerSecondOver16ms", 1000, 16, 16},
                                         PpsRow{"NoTime", 1234.5, 0, 0},
                                         PpsRow{"NegativeSpeed", -700, 16, -11.2},
                                         PpsRow{"FractionOfAPixel", 3, 1, 0.003},
                                         PpsRow{"LongFrame", 2000, 1500, 3000}),
                         [](const auto& info) { return info.param.name; });

TEST(Pps, ComputesInDoubleNotInt) {
  // 999 ms at 1 per second would be 0 in integer arithmetic.
  EXPECT_DOUBLE_EQ(pps(1, 999), 0.999);
}

struct MinMaxRow {
  std::string name;
  int a;
  int b;
  int min;
  int max;
};

class MinMax : public testing::TestWithParam<MinMaxRow> {};

TEST_P(MinMax, PicksTheSmallerAndTheLarger) {
  const MinMaxRow& row = GetParam();
  EXPECT_EQ(min(row.a, row.b), row.min);
  EXPECT_EQ(max(row.a, row.b), row.max);
}

INSTANTIATE_TEST_SUITE_P(Rows, MinMax,
                         testing::Values(MinMaxRow{"Equal", 3, 3, 3, 3},
                                         MinMaxRow{"Ascending", 2, 7, 2, 7},
                                         MinMaxRow{"Descending", 7, 2, 2, 7},
                                         MinMaxRow{"Negatives", -5, -1, -5, -1}),
                         [](const auto& info) { return info.param.name; });

// ---- RectangularSector --------------------------------------------------------

TEST(RectangularSector, EdgesFollowPositionAndSize) {
  RectangularSector r(10, 20, 30, 40);
  EXPECT_EQ(r.getLeft(), 10);
  EXPECT_EQ(r.getTop(), 20);
  EXPECT_EQ(r.getRight(), 40);
  EXPECT_EQ(r.getBottom(), 60);
  r.setWidth(-5);
  EXPECT_EQ(r.getRight(), 5);
  r.incX(1);
  r.incY(2);
  r.incWidth(3);
  r.incHeight(4);
  EXPECT_EQ(r.getX(), 11);
  EXPECT_EQ(r.getY(), 22);
  EXPECT_EQ(r.getWidth(), -2);
  EXPECT_EQ(r.getHeight(), 44);
  r.set(1, 2, 3, 4);
  EXPECT_EQ(r.getRight(), 4);
  EXPECT_EQ(r.getBottom(), 6);
}

TEST(RectangularSector, GrowWidensByOnePixelOnEverySide) {
  RectangularSector r(10, 20, 20, 20);
  r.grow(-1, -1, 2, 2);
  EXPECT_EQ(r.getX(), 9);
  EXPECT_EQ(r.getY(), 19);
  EXPECT_EQ(r.getWidth(), 22);
  EXPECT_EQ(r.getHeight(), 22);
}

TEST(RectangularSector, ResizeBoxHangsOffBottomRightCorner) {
  const RectangularSector box = RectangularSector(10, 20, 30, 40).getResizeBox();
  EXPECT_EQ(box.getX(), 40);
  EXPECT_EQ(box.getY(), 60);
  EXPECT_EQ(box.getWidth(), 10);
  EXPECT_EQ(box.getHeight(), 10);
}

struct IntersectRow {
  std::string name;
  RectangularSector a;
  RectangularSector b;
  bool expected;
};

class Intersects : public testing::TestWithParam<IntersectRow> {};

TEST_P(Intersects, IsStrictAndSymmetric) {
  const IntersectRow& row = GetParam();
  EXPECT_EQ(row.a.intersects(row.b), row.expected);
  EXPECT_EQ(row.b.intersects(row.a), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Intersects,
    testing::Values(IntersectRow{"SharedVerticalEdge", {0, 0, 10, 10}, {10, 0, 10, 10}, false},
                    IntersectRow{"HalfPixelOverlap", {0, 0, 10, 10}, {9.5, 0, 10, 10}, true},
                    IntersectRow{"SharedHorizontalEdge", {0, 0, 10, 10}, {0, 10, 10, 10}, false},
                    IntersectRow{"SharedCorner", {0, 0, 10, 10}, {10, 10, 5, 5}, false},
                    IntersectRow{"ZeroSizeStrictlyInside", {0, 0, 10, 10}, {5, 5, 0, 0}, true},
                    IntersectRow{"ZeroSizeOnEdge", {0, 0, 10, 10}, {10, 5, 0, 0}, false},
                    IntersectRow{"Contained", {0, 0, 100, 100}, {10, 10, 5, 5}, true},
                    IntersectRow{"FarApart", {0, 0, 10, 10}, {50, 50, 10, 10}, false},
                    IntersectRow{"WidenedProbeTouches", {-1, -1, 22, 22}, {20, 0, 10, 10}, true}),
    [](const auto& info) { return info.param.name; });

struct ContainsRow {
  std::string name;
  RectangularSector r;
  int px;
  int py;
  bool expected;
};

class Contains : public testing::TestWithParam<ContainsRow> {};

TEST_P(Contains, IsStrict) {
  const ContainsRow& row = GetParam();
  EXPECT_EQ(row.r.contains(row.px, row.py), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Contains,
    testing::Values(ContainsRow{"LeftEdge", {0, 0, 10, 10}, 0, 5, false},
                    ContainsRow{"OneInsideLeftEdge", {0, 0, 10, 10}, 1, 5, true},
                    ContainsRow{"RightEdge", {0, 0, 10, 10}, 10, 5, false},
                    ContainsRow{"OneInsideRightEdge", {0, 0, 10, 10}, 9, 5, true},
                    ContainsRow{"TopEdge", {0, 0, 10, 10}, 5, 0, false},
                    ContainsRow{"BottomEdge", {0, 0, 10, 10}, 5, 10, false},
                    ContainsRow{"Centre", {0, 0, 10, 10}, 5, 5, true},
                    ContainsRow{"ZeroSizeHoldsNothing", {5, 5, 0, 0}, 5, 5, false},
                    ContainsRow{"FractionalEdgeInside", {0.5, 0.5, 10, 10}, 1, 1, true}),
    [](const auto& info) { return info.param.name; });

struct CornerRow {
  std::string name;
  RectangularSector r;
  int left, top, right, bottom;
};

class GlVertecies : public testing::TestWithParam<CornerRow> {};

TEST_P(GlVertecies, EmitsTruncatedCornersClockwiseFromTopLeft) {
  const CornerRow& row = GetParam();
  GLWindow::clear();
  const auto vertices = captureVertices([&] { row.r.glVertecies(); });
  ASSERT_EQ(vertices.size(), 4u);
  const int xs[] = {row.left, row.right, row.right, row.left};
  const int ys[] = {row.top, row.top, row.bottom, row.bottom};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(vertices[i].x, xs[i] + 0.325, 1e-3);
    EXPECT_NEAR(vertices[i].y, ys[i] + 0.325, 1e-3);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GlVertecies,
    testing::Values(CornerRow{"FractionsDropped", {0.9, 1.5, 10, 10}, 0, 1, 10, 11},
                    CornerRow{"Whole", {20, 30, 40, 50}, 20, 30, 60, 80},
                    CornerRow{"TowardZeroNotDown", {-0.9, 2.7, 10.6, 3}, 0, 2, 9, 5}),
    [](const auto& info) { return info.param.name; });

} // namespace
