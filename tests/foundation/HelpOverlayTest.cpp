#include "Probes.h"

#include "gfx/HelpOverlay.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

const Rgb black = rgb(0, 0, 0);
const Rgb white = rgb(255, 255, 255);
const Rgb grey = rgb(51, 51, 51);

// Over black the white outline shows whole and inside the window. Over
// white, where the outline vanishes, everything drawn is the fill and the
// text on it, exactly inside the outline: nothing of a bright level shows
// under the text and no text falls outside the box. The rows of text must
// not run into each other: the title, every row of the longer column and
// the last line each make a band of their own.
TEST(HelpOverlay, EveryRowOnTheDarkBoxAndTheBoxInsideTheWindow) {
  for (const auto& [editMode, lines] : {std::pair{false, 12}, std::pair{true, 15}}) {
    SCOPED_TRACE(editMode ? "edit" : "play");
    const HelpOverlay overlay(editMode);
    GLWindow::clear();
    overlay.draw();
    const auto box = PixelBlock(0, 0, 640, 480).drawn(black);
    ASSERT_TRUE(box);
    ASSERT_TRUE(box->left > 0 && box->top > 0 && box->right < 639 && box->bottom < 479);
    expectBox(box->left, box->top, box->right, box->bottom, white, black);

    GLWindow::clear(1, 1, 1);
    overlay.draw();
    const Box inside{box->left + 1, box->top + 1, box->right - 1, box->bottom - 1};
    EXPECT_EQ(PixelBlock(0, 0, 640, 480).drawn(white), inside);
    int bands = 0;
    bool inBand = false;
    for (int y = inside.top; y <= inside.bottom; ++y) {
      const bool text =
          PixelBlock(inside.left, y, inside.right - inside.left + 1, 1).drawn(grey).has_value();
      bands += text && !inBand;
      inBand = text;
    }
    EXPECT_EQ(bands, lines);
  }
}

} // namespace
