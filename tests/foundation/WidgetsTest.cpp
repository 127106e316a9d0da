// The name prompt takes only file names: no folders, dots, spaces or non-ASCII,
// at most 32. The level menu keeps the selected row in view and marks rows
// hidden above or below it. The overlays' boxes and colours. The frame loop's
// clock sets the pace of the whole game.

#include "app/FrameClock.h"
#include "common/Draw.h"
#include "gfx/HelpOverlay.h"
#include "gfx/Menu.h"
#include "gfx/NamePrompt.h"
#include "support/Events.h"
#include "support/GLWindow.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The world is handed the milliseconds between passes, none on the first.
TEST(FrameClock, HandsOnTheTimeBetweenPasses) {
  FrameClock clock;
  EXPECT_EQ((std::vector{clock.tick(1000), clock.tick(1016), clock.tick(1049)}),
            (std::vector{0, 16, 33}));
}

// The character is the unicode field's when SDL filled it in, else the
// key's; s with a caron, U+0161, has the low byte of a.
TEST(NamePrompt, KeysTypeOnlyFileNameCharactersUpToTheLimit) {
  const std::string full(32, 'n'), almost(31, 'n');
  const auto E = NamePrompt::EDITING, OK = NamePrompt::CONFIRMED, NO = NamePrompt::CANCELLED;
  const std::tuple<std::string, SDLKey, Uint16, std::string, NamePrompt::Result> rows[] = {
      {"ab", SDLK_c, 'C', "abC", E},        {"ab", SDLK_c, 0, "abc", E},
      {"ab", SDLK_7, '7', "ab7", E},        {"ab", SDLK_MINUS, '-', "ab-", E},
      {"ab", SDLK_MINUS, '_', "ab_", E},    {"ab", SDLK_SLASH, '/', "ab", E},
      {"ab", SDLK_PERIOD, '.', "ab", E},    {"ab", SDLK_SPACE, ' ', "ab", E},
      {"ab", SDLK_UNKNOWN, 0x161, "ab", E}, {"ab", SDLK_BACKSPACE, '\b', "a", E},
      {"", SDLK_BACKSPACE, '\b', "", E},    {almost, SDLK_n, 'n', full, E},
      {full, SDLK_x, 'x', full, E},         {"ab", SDLK_RETURN, '\r', "ab", OK},
      {"ab", SDLK_ESCAPE, 27, "ab", NO}};
  for (const auto& [before, key, unicode, after, result] : rows) {
    NamePrompt prompt("Save as:", before);
    SDL_Event event = keyDownEvent(key);
    event.key.keysym.unicode = unicode;
    EXPECT_EQ(prompt.keyDown(event), result) << SDL_GetKeyName(key) << unicode;
    EXPECT_EQ(prompt.getText(), after) << SDL_GetKeyName(key) << unicode;
  }
}

// The help's box and the prompt's field outlined in white; the help's light
// blue headings, gold keys, light grey actions; a 2-pixel caret after text.
TEST(Overlays, ShowTheirBoxesInTheirColours) {
  const Rgb white = rgb(255, 255, 255), black = rgb(0, 0, 0);
  for (const bool editMode : {false, true}) {
    GLWindow::clear(), HelpOverlay(editMode).draw();
    editMode ? expectBox(19, 17, 621, 463, white, black) : expectBox(7, 43, 633, 437, white, black);
    EXPECT_EQ(GLWindow::colours(),
              (std::set<std::uint32_t>{0, 0x333333, 0xffffff, 0x99ccff, 0xffd966, 0xe6e6e6}));
  }
  GLWindow::clear(), NamePrompt("Save as:", "ab").draw();
  expectBox(40, 220, 600, 265, white, black);
  const int caret = 51 + stringWidth("ab");
  expectBox(caret, 230, caret + 1, 254, white, rgb(51, 51, 51));
  GLWindow::clear(), NamePrompt("Save as:", std::string(32, 'W')).draw();
  for (int x = 50; x < 66; ++x) {
    EXPECT_EQ(GLWindow::pixel(x, 240), rgb(51, 51, 51)) << "dots, then the name's end: " << x;
  }
}

// Ten items fit in a list box from y 70 to 457 as they always did. Of
// thirteen, row r's box starts at y 75 + 38 r; marks' bases end at (303, 69), (303, 458).
TEST(Menu, ALongListKeepsTheSelectedRowInViewAndMarksHiddenRows) {
  const Rgb black = rgb(0, 0, 0), white = rgb(255, 255, 255), blue = rgb(0, 0, 255);
  std::vector<std::string> items(10, "Level Select");
  const int w = stringWidth(items[0]), l = 300 - w / 2;
  GLWindow::clear(), Menu(items, "Level Select", Menu::LEVEL_LIST).draw();
  expectBox(l - 10, 70, l + w + 10, 457, white, black);
  const std::set<std::uint32_t> colours{0, 0x333333, 0xffffff, 0x0000ff};
  EXPECT_EQ(GLWindow::colours(), colours);
  GLWindow::clear(), Menu({}, "Level Select", Menu::LEVEL_LIST).draw();
  EXPECT_EQ(GLWindow::colours(), colours) << "with no row to select, blue is the title's";
  items.resize(13);
  Menu menu(items, "Level Select", Menu::LEVEL_LIST);
  const std::tuple<SDLKey, int, int, int, bool, bool> steps[] = {
      {SDLK_UNKNOWN, 1, 0, 0, false, true}, {SDLK_DOWN, 10, 10, 9, true, true},
      {SDLK_UP, 9, 1, 0, true, true},       {SDLK_UP, 2, 12, 9, true, false},
      {SDLK_DOWN, 1, 0, 0, false, true},    {SDLK_RIGHT, 1, 12, 9, true, false},
      {SDLK_LEFT, 1, 0, 0, false, true}};
  for (const auto& [key, times, selected, row, above, below] : steps) {
    for (int i = 0; i < times; ++i) {
      menu.keyDown(keyDownEvent(key));
    }
    GLWindow::clear(), menu.draw();
    EXPECT_EQ(menu.getSelected(), selected);
    for (int r = 0; r < Menu::VISIBLE_ROWS; ++r) {
      EXPECT_EQ(GLWindow::pixel(l - 3, 77 + 38 * r), r == row ? blue : rgb(51, 51, 51)) << r;
    }
    EXPECT_EQ(std::pair(GLWindow::pixel(303, 69), GLWindow::pixel(303, 458)),
              std::pair(above ? white : black, below ? white : black));
  }
}

} // namespace
