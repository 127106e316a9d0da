#include "Probes.h"

#include "common/Functions.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

const Rgb black = rgb(0, 0, 0);
const Rgb white = rgb(255, 255, 255);

float rasterX() {
  GLfloat position[4];
  glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
  return position[0];
}

bool rasterValid() {
  GLboolean valid = GL_FALSE;
  glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
  return valid == GL_TRUE;
}

void filled(int x1, int y1, int x2, int y2) {
  glBegin(GL_POLYGON);
  rect(x1, y1, x2, y2);
  glEnd();
}

void outlined(int x1, int y1, int x2, int y2) {
  glBegin(GL_LINE_LOOP);
  rect(x1, y1, x2, y2);
  glEnd();
}

// ---- Vertices -----------------------------------------------------------------

TEST(Gvi, OffsetsIntoThePixelItNames) {
  GLWindow::clear();
  const auto vertices = captureVertices([] { gvi(7, 9); });
  ASSERT_EQ(vertices.size(), 1u);
  EXPECT_NEAR(vertices[0].x, 7.325, 1e-4);
  EXPECT_NEAR(vertices[0].y, 9.325, 1e-4);
}

struct RectRow {
  std::string name;
  int x1, y1, x2, y2;
  float s, t;
};

class RectVertices : public testing::TestWithParam<RectRow> {};

TEST_P(RectVertices, CornersClockwiseWithTilingTextureCoordinates) {
  const RectRow& row = GetParam();
  GLWindow::clear();
  const auto vertices = captureVertices([&] { rect(row.x1, row.y1, row.x2, row.y2); });
  ASSERT_EQ(vertices.size(), 4u);
  const int xs[] = {row.x1, row.x2, row.x2, row.x1};
  const int ys[] = {row.y1, row.y1, row.y2, row.y2};
  const float ss[] = {0, row.s, row.s, 0};
  const float ts[] = {0, 0, row.t, row.t};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(vertices[i].x, xs[i] + 0.325, 1e-4);
    EXPECT_NEAR(vertices[i].y, ys[i] + 0.325, 1e-4);
    EXPECT_FLOAT_EQ(vertices[i].s, ss[i]);
    EXPECT_FLOAT_EQ(vertices[i].t, ts[i]);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, RectVertices,
                         testing::Values(RectRow{"OneTile", 0, 0, 64, 64, 1, 1},
                                         RectRow{"WideAndShort", 10, 20, 170, 36, 2.5, 0.25},
                                         RectRow{"NoWidth", 50, 50, 50, 82, 0, 0.5},
                                         RectRow{"NoHeight", 5, 7, 37, 7, 0.5, 0},
                                         RectRow{"Mirrored", 100, 10, 36, 42, -1, 0.5}),
                         [](const auto& info) { return info.param.name; });

// ---- Filled rectangles --------------------------------------------------------

struct FillRow {
  std::string name;
  int left, top, right, bottom;
};

class FilledRect : public testing::TestWithParam<FillRow> {};

// A filled rect covers the pixels from its left/top coordinate up to, not
// including, its right/bottom coordinate.
TEST_P(FilledRect, CoversPixelsFromFirstUpToLastCoordinate) {
  const FillRow& row = GetParam();
  GLWindow::clear();
  glColor3f(1, 1, 1);
  filled(row.left, row.top, row.right, row.bottom);
  const int midX = (row.left + row.right) / 2;
  const int midY = (row.top + row.bottom) / 2;
  EXPECT_EQ(GLWindow::pixel(row.left, midY), white) << "first column";
  EXPECT_EQ(GLWindow::pixel(row.left - 1, midY), black) << "left of it";
  EXPECT_EQ(GLWindow::pixel(row.right - 1, midY), white) << "last column";
  EXPECT_EQ(GLWindow::pixel(row.right, midY), black) << "right of it";
  EXPECT_EQ(GLWindow::pixel(midX, row.top), white) << "first row";
  EXPECT_EQ(GLWindow::pixel(midX, row.top - 1), black) << "above it";
  EXPECT_EQ(GLWindow::pixel(midX, row.bottom - 1), white) << "last row";
  EXPECT_EQ(GLWindow::pixel(midX, row.bottom), black) << "below it";
  EXPECT_EQ(GLWindow::pixel(row.left, row.top), white) << "top-left corner";
  EXPECT_EQ(GLWindow::pixel(row.right - 1, row.bottom - 1), white) << "bottom-right corner";
  EXPECT_EQ(GLWindow::pixel(row.right, row.bottom), black) << "past the corner";
}

INSTANTIATE_TEST_SUITE_P(Rows, FilledRect,
                         testing::Values(FillRow{"Square", 10, 20, 30, 40},
                                         FillRow{"HealthBarSized", 5, 450, 105, 460},
                                         FillRow{"ThreeByThree", 200, 200, 203, 203},
                                         FillRow{"ProjectileSized", 300, 100, 304, 104}),
                         [](const auto& info) { return info.param.name; });

TEST(FilledRect, DegenerateRectDrawsNothing) {
  GLWindow::clear();
  glColor3f(1, 1, 1);
  filled(50, 50, 50, 80);
  filled(60, 50, 90, 50);
  EXPECT_FALSE(PixelBlock(40, 40, 60, 50).anyOtherThan(black));
}

// ---- Outlines -----------------------------------------------------------------

TEST(OutlinedRect, LightsTheBorderPixelsOnly) {
  GLWindow::clear();
  glColor3f(1, 1, 1);
  outlined(100, 50, 160, 90);
  struct Probe {
    const char* where;
    int x, y;
    Rgb colour;
  };
  const Probe probes[] = {
      {"top-left corner", 100, 50, white},     {"top edge", 130, 50, white},
      {"top-right corner", 160, 50, white},    {"right edge", 160, 70, white},
      {"bottom-right corner", 160, 90, white}, {"bottom edge", 130, 90, white},
      {"bottom-left corner", 100, 90, white},  {"left edge", 100, 70, white},
      {"inside top", 130, 51, black},          {"above top", 130, 49, black},
      {"inside right", 159, 70, black},        {"right of right", 161, 70, black},
      {"inside bottom", 130, 89, black},       {"below bottom", 130, 91, black},
      {"inside left", 101, 70, black},         {"left of left", 99, 70, black},
  };
  for (const Probe& probe : probes) {
    EXPECT_EQ(GLWindow::pixel(probe.x, probe.y), probe.colour) << probe.where;
  }
}

// ---- Text -----------------------------------------------------------------------

TEST(DrawText, GlyphsRiseAboveTheBaselineAndStayWithinTheDescent) {
  GLWindow::clear();
  glColor3f(1, 1, 1);
  drawText(5, 20, "Typography");
  const auto text = PixelBlock(0, 0, 300, 60).drawn(black);
  ASSERT_TRUE(text);
  EXPECT_LT(text->top, 20 - 10) << "capitals reach well above the baseline";
  EXPECT_GT(text->top, 0);
  EXPECT_GT(text->bottom, 20) << "descenders go below it";
  EXPECT_LE(text->bottom, 20 + 5) << "but no further than the descent";
  EXPECT_GE(text->left, 5);
  EXPECT_LT(text->right, 5 + stringWidth("Typography"));
}

TEST(DrawText, UsesTheCurrentColour) {
  GLWindow::clear();
  glColor3f(1, 0, 0);
  drawText(5, 20, "Red");
  const PixelBlock block(0, 0, 100, 40);
  EXPECT_EQ(block.maxRed(), 255);
  EXPECT_TRUE(block.onlyColours({black, rgb(255, 0, 0)}));
}

TEST(DrawText, EmptyStringSetsRasterPositionAndDrawsNothing) {
  GLWindow::clear();
  glColor3f(1, 1, 1);
  drawText(40, 30, "");
  EXPECT_FLOAT_EQ(rasterX(), 40);
  EXPECT_FALSE(PixelBlock(0, 0, 200, 60).anyOtherThan(black));
}

TEST(DrawText, StartOutsideTheWindowDrawsNothingAtAll) {
  GLWindow::clear();
  glColor3f(1, 1, 1);
  drawText(-10, 20, "Wide text running into the window");
  EXPECT_FALSE(rasterValid());
  EXPECT_FALSE(PixelBlock(0, 0, 400, 50).anyOtherThan(black));
}

TEST(DrawText, BytesAbove127DrawAndAdvanceNothing) {
  GLWindow::clear();
  glColor3f(1, 1, 1);
  drawText(20, 30, "\xe9\xff\x80");
  EXPECT_FLOAT_EQ(rasterX(), 20);
  EXPECT_FALSE(PixelBlock(0, 0, 200, 60).anyOtherThan(black));
}

struct WidthRow {
  std::string name;
  std::string text;
};

class StringWidth : public testing::TestWithParam<WidthRow> {};

TEST_P(StringWidth, EqualsTheRasterAdvanceOfDrawText) {
  const WidthRow& row = GetParam();
  GLWindow::clear();
  drawText(5, 20, row.text);
  EXPECT_FLOAT_EQ(rasterX() - 5, static_cast<float>(stringWidth(row.text)));
}

INSTANTIATE_TEST_SUITE_P(Rows, StringWidth,
                         testing::Values(WidthRow{"Empty", ""}, WidthRow{"Word", "Hello"},
                                         WidthRow{"Title", "Level Select"},
                                         WidthRow{"Notice", "Saved as level1.data!"},
                                         WidthRow{"Spaces", "   "},
                                         WidthRow{"HighBytesMixedIn", "a\xe9z"}),
                         [](const auto& info) { return info.param.name; });

TEST(StringWidth, EmptyIsZeroAndWidthsAdd) {
  EXPECT_EQ(stringWidth(""), 0);
  EXPECT_GT(stringWidth("W"), stringWidth("i"));
  EXPECT_EQ(stringWidth("Wi"), stringWidth("W") + stringWidth("i"));
  EXPECT_EQ(stringWidth("\xe9"), 0);
}

} // namespace
