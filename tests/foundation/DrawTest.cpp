#include "Probes.h"

#include "common/Draw.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

const Rgb black = rgb(0, 0, 0);
const Rgb white = rgb(255, 255, 255);

void drawRect(GLenum mode, int x1, int y1, int x2, int y2) {
  GLWindow::clear();
  glColor3f(1, 1, 1);
  glBegin(mode);
  rect(x1, y1, x2, y2);
  glEnd();
}

// The 0.325 offset decides it: a fill covers its left/top coordinate up to,
// not including, its right/bottom one; an outline lights both.
TEST(Rect, FillsUpToTheLastCoordinateAndOutlinesOnIt) {
  drawRect(GL_POLYGON, 10, 20, 30, 40);
  expectBox(10, 20, 29, 39, white, black);
  drawRect(GL_LINE_LOOP, 100, 50, 160, 90);
  expectBox(100, 50, 160, 90, white, black);
  expectPixels({{"inside left", 101, 70, black},
                {"inside top", 130, 51, black},
                {"inside right", 159, 70, black},
                {"inside bottom", 130, 89, black}});
}

// Corners clockwise from the first, texture coordinates in 64-pixel tiles
// from it. The select box of a level file's widest object spans from
// -2147483646 to 5, more than an int holds: its tile count still grows with
// the width instead of wrapping (only its right-hand corners are in view).
TEST(Rect, TextureCoordinatesCountTilesFromTheFirstCornerEvenPastTheIntRange) {
  GLWindow::clear();
  auto vertices = captureVertices([] { rect(100, 10, 36, 42); });
  ASSERT_EQ(vertices.size(), 4u);
  const float xs[] = {100, 36, 36, 100}, ys[] = {10, 10, 42, 42};
  const float ss[] = {0, -1, -1, 0}, ts[] = {0, 0, 0.5, 0.5};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(vertices[i].x, xs[i] + 0.325, 1e-4) << "corner " << i;
    EXPECT_NEAR(vertices[i].y, ys[i] + 0.325, 1e-4) << "corner " << i;
    EXPECT_FLOAT_EQ(vertices[i].s, ss[i]) << "corner " << i;
    EXPECT_FLOAT_EQ(vertices[i].t, ts[i]) << "corner " << i;
  }
  vertices = captureVertices([] { rect(-2147483646, 0, 5, 128); });
  ASSERT_EQ(vertices.size(), 2u);
  EXPECT_FLOAT_EQ(vertices[0].s, static_cast<float>(2147483651 / 64.0));
  EXPECT_FLOAT_EQ(vertices[1].t, 2);
}

TEST(DrawText, GlyphsRiseAboveTheBaselineAndStayWithinTheDescent) {
  GLWindow::clear();
  glColor3f(1, 1, 1);
  drawText(5, 20, "Typography");
  const auto text = PixelBlock(0, 0, 300, 60).drawn(black);
  ASSERT_TRUE(text);
  EXPECT_LT(text->top, 20 - 10) << "capitals reach well above the baseline";
  EXPECT_GT(text->bottom, 20) << "descenders go below it";
  EXPECT_LE(text->bottom, 20 + 5) << "but no further than the descent";
  EXPECT_GE(text->left, 5);
  EXPECT_LT(text->right, 5 + stringWidth("Typography"));
}

// Bytes from 128 up reach the font as negative values: no glyph, no width.
TEST(StringWidth, EqualsTheRasterAdvanceOfDrawTextAndHighBytesHaveNone) {
  for (const std::string text : {"", "Level Select", "a\xe9z"}) {
    GLWindow::clear();
    drawText(5, 20, text);
    GLfloat position[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    EXPECT_FLOAT_EQ(position[0] - 5, static_cast<float>(stringWidth(text))) << text;
  }
  EXPECT_GT(stringWidth("W"), stringWidth("i"));
  EXPECT_EQ(stringWidth("\xe9\xff\x80"), 0);
}

} // namespace
