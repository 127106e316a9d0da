#include "Probes.h"

#include "common/Functions.h"
#include "support/Table.h"

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

void drawRect(GLenum mode, int x1, int y1, int x2, int y2) {
  GLWindow::clear();
  glColor3f(1, 1, 1);
  glBegin(mode);
  rect(x1, y1, x2, y2);
  glEnd();
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

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, RectVertices, testing::Values(
    RectRow{"OneTile", 0, 0, 64, 64, 1, 1},
    RectRow{"WideAndShort", 10, 20, 170, 36, 2.5, 0.25},
    RectRow{"Mirrored", 100, 10, 36, 42, -1, 0.5}),
    RowName{});
// clang-format on

// The select box of a level file's widest object (x -2147483640, width
// 2147483640) spans from -2147483646 to 5, more than an int holds: the
// texture coordinate still grows with the width instead of wrapping to a
// negative one. Only the right-hand corners lie in the window.
TEST(RectTexture, WidthBeyondTheIntRangeKeepsItsTextureCoordinate) {
  GLWindow::clear();
  const auto vertices = captureVertices([] { rect(-2147483646, 0, 5, 128); });
  ASSERT_EQ(vertices.size(), 2u);
  for (const FedVertex& v : vertices) {
    EXPECT_FLOAT_EQ(v.s, static_cast<float>(2147483651 / 64.0));
  }
  EXPECT_FLOAT_EQ(vertices[1].t, 2);
}

// The 0.325 offset decides it: a filled rect covers its left/top
// coordinate up to, not including, its right/bottom one.
TEST(FilledRect, CoversPixelsFromFirstUpToLastCoordinate) {
  drawRect(GL_POLYGON, 10, 20, 30, 40);
  expectBox(10, 20, 29, 39, white, black);
  drawRect(GL_POLYGON, 200, 200, 203, 203);
  expectBox(200, 200, 202, 202, white, black);
}

// An outline lights both end coordinates: its right and bottom edges lie
// one pixel further out than a fill's.
TEST(OutlinedRect, LightsTheBorderPixelsOnly) {
  drawRect(GL_LINE_LOOP, 100, 50, 160, 90);
  expectBox(100, 50, 160, 90, white, black);
  expectPixels({{"top-left corner", 100, 50, white},
                {"bottom-right corner", 160, 90, white},
                {"inside top", 130, 51, black},
                {"inside right", 159, 70, black},
                {"inside bottom", 130, 89, black},
                {"inside left", 101, 70, black}});
}

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

TEST(StringWidth, EqualsTheRasterAdvanceOfDrawText) {
  for (const std::string text : {"", "Level Select", "a\xe9z"}) {
    GLWindow::clear();
    drawText(5, 20, text);
    EXPECT_FLOAT_EQ(rasterX() - 5, static_cast<float>(stringWidth(text))) << text;
  }
}

// Bytes from 128 up reach the font as negative values: no glyph, no width.
TEST(StringWidth, WidthsAddAndHighBytesHaveNone) {
  EXPECT_GT(stringWidth("W"), stringWidth("i"));
  EXPECT_EQ(stringWidth("Wi"), stringWidth("W") + stringWidth("i"));
  EXPECT_EQ(stringWidth("\xe9\xff\x80"), 0);
}

} // namespace
