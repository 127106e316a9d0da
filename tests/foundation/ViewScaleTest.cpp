// The view in windows of other sizes: the largest whole scale that fits,
// centred, and window points read back as view pixels, clamped over a bar.

#include "app/ViewScale.h"
#include "support/Table.h"

struct ScaleRow {
  std::string name;
  int width, height, scale, left, top;
  // A window point, the view pixel under it, and a point over a bar or
  // past a cut edge and where it is clamped to.
  int x, y, viewX, viewY, barX, barY, edgeX, edgeY;
};

class Scaled : public testing::TestWithParam<ScaleRow> {};

TEST_P(Scaled, FitsTheViewAndMapsPointsIntoIt) {
  const ScaleRow& row = GetParam();
  ViewScale view(640, 480);
  view.setWindow(row.width, row.height);
  EXPECT_EQ(view.getScale(), row.scale);
  EXPECT_EQ(view.getLeft(), row.left);
  EXPECT_EQ(view.getTop(), row.top);
  EXPECT_EQ(view.isPlain(), row.width == 640 && row.height == 480);
  EXPECT_EQ(view.toViewX(row.x), row.viewX);
  EXPECT_EQ(view.toViewY(row.y), row.viewY);
  EXPECT_EQ(view.toViewX(row.barX), row.edgeX);
  EXPECT_EQ(view.toViewY(row.barY), row.edgeY);
}

INSTANTIATE_TEST_SUITE_P(
    ViewScale, Scaled,
    testing::Values(
        ScaleRow{"StartWindow", 640, 480, 1, 0, 0, 639, 0, 639, 0, 700, 480, 639, 479},
        ScaleRow{"TwiceWithBars", 1300, 1000, 2, 10, 20, 13, 23, 1, 1, 9, 999, 0, 479},
        ScaleRow{"Fullscreen", 1920, 1200, 2, 320, 120, 566, 211, 123, 45, 1600, 119, 639, 0},
        ScaleRow{"ThreeTimes", 1920, 1440, 3, 0, 0, 1919, 5, 639, 1, 0, 0, 0, 0},
        ScaleRow{"SmallerThanTheView", 600, 400, 1, -20, -40, 0, 0, 20, 40, 599, 399, 619, 439}),
    RowName{});
