// The level menu keeps the selected row in view and marks rows hidden above
// or below it; a list that fits is laid out as it always was.

#include "gfx/Menu.h"
#include "actors/Point2D.h"
#include "common/Draw.h"
#include "support/Events.h"
#include "support/GLWindow.h"

#include <gtest/gtest.h>

namespace {

// Ten items fit: a title box from y 35 to 65, a list box from 70 to 457 and
// no marks. With thirteen, row r's box starts at y 75 + 38 r and the marks'
// tips are at y 66 and 461.
TEST(Menu, ALongListKeepsTheSelectedRowInViewAndMarksHiddenRows) {
  const Rgb black = rgb(0, 0, 0), white = rgb(255, 255, 255), blue = rgb(0, 0, 255);
  const Point2D mouse(600, 400);
  std::vector<std::string> items(10, "Level Select");
  const int w = stringWidth(items[0]), l = 300 - w / 2;
  Menu fits(&mouse, &items, "Level Select", Menu::LEVEL_LIST);
  GLWindow::clear(), fits.draw();
  expectBox(l - 5, 35, 300 + w / 2 + 5, 65, white, black);
  expectBox(l - 10, 70, l + w + 10, 457, white, black);
  items.resize(13);
  Menu menu(&mouse, &items, "Level Select", Menu::LEVEL_LIST);
  const std::tuple<SDLKey, int, int, int, bool, bool> steps[] = {
      {SDLK_UNKNOWN, 1, 0, 0, false, true}, {SDLK_DOWN, 10, 10, 9, true, true},
      {SDLK_UP, 9, 1, 0, true, true},       {SDLK_UP, 2, 12, 9, true, false},
      {SDLK_DOWN, 1, 0, 0, false, true},    {SDLK_RIGHT, 1, 12, 9, true, false}};
  for (const auto& [key, times, selected, row, above, below] : steps) {
    for (int i = 0; i < times; ++i) {
      menu.keyDown(keyDownEvent(key));
    }
    GLWindow::clear(), menu.draw();
    EXPECT_EQ(menu.getSelected(), selected);
    for (int r = 0; r < Menu::VISIBLE_ROWS; ++r) {
      EXPECT_EQ(GLWindow::pixel(l - 3, 77 + 38 * r), r == row ? blue : rgb(51, 51, 51)) << r;
    }
    EXPECT_EQ(std::pair(GLWindow::pixel(300, 66), GLWindow::pixel(300, 461)),
              std::pair(above ? white : black, below ? white : black))
        << selected;
  }
}

} // namespace
