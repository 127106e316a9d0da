#include "Probes.h"

#include "actors/Point2D.h"
#include "common/Functions.h"
#include "gfx/Menu.h"
#include "support/Events.h"
#include "support/Table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const Rgb black = rgb(0, 0, 0);
const Rgb white = rgb(255, 255, 255);
const Rgb grey = rgb(51, 51, 51);
const Rgb blue = rgb(0, 0, 255);

// Up and Down wrap, Left and Right jump to the ends, Return is remembered
// and other keys change nothing.
TEST(Menu, KeysMoveTheSelectionWithWrapAround) {
  const Point2D mouse(17, 23);
  const std::vector<std::string> items = {"a", "b", "c", "d"};
  Menu menu(&mouse, &items, "Level Select", Menu::LEVEL_LIST);
  EXPECT_EQ(menu.getSelected(), 0);
  const struct {
    SDLKey key;
    int selected;
    bool done;
  } steps[] = {{SDLK_DOWN, 1, false}, {SDLK_UP, 0, false},     {SDLK_UP, 3, false},
               {SDLK_DOWN, 0, false}, {SDLK_RIGHT, 3, false},  {SDLK_LEFT, 0, false},
               {SDLK_a, 0, false},    {SDLK_ESCAPE, 0, false}, {SDLK_RETURN, 0, true},
               {SDLK_DOWN, 1, true}};
  for (const auto& step : steps) {
    menu.keyDown(keyDownEvent(step.key));
    EXPECT_EQ(menu.getSelected(), step.selected) << SDL_GetKeyName(step.key);
    EXPECT_EQ(menu.update(16), step.done) << SDL_GetKeyName(step.key);
    EXPECT_TRUE(menu.hasSelection());
  }
}

// No key offers an item, and only the list box's outline is drawn below the
// title.
TEST(Menu, WithoutItemsNothingIsSelectableAndTheListBoxIsShort) {
  const Point2D mouse;
  const std::vector<std::string> items;
  Menu menu(&mouse, &items, "Level Select", Menu::LEVEL_LIST);
  for (const SDLKey key : {SDLK_UNKNOWN, SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_RETURN}) {
    menu.keyDown(keyDownEvent(key));
    EXPECT_FALSE(menu.hasSelection()) << SDL_GetKeyName(key);
  }
  GLWindow::clear();
  menu.draw();
  expectBox(290, 70, 310, 77, white, black);
  EXPECT_EQ(GLWindow::pixel(292, 73), grey) << "list fill";
  EXPECT_FALSE(PixelBlock(0, 78, 640, 100).drawn(black));
}

struct DrawRow {
  std::string name;
  std::string title;
  std::vector<std::string> items;
};

// The mouse is far from where the menu goes: the layout must not follow
// it. Down has moved the blue highlight to the second row.
class MenuDraw : public testing::TestWithParam<DrawRow> {};

TEST_P(MenuDraw, TitleBoxFrom35To65AndAListBoxFrom70WithARowBoxPerItem) {
  const DrawRow& row = GetParam();
  const Point2D mouse{600, 400};
  GLWindow::clear();
  Menu menu(&mouse, &row.items, row.title, Menu::TOOL_LIST);
  menu.keyDown(keyDownEvent(SDLK_DOWN));
  menu.draw();

  const int t = stringWidth(row.title);
  const int titleLeft = 300 - t / 2 - 5;
  const int titleRight = 300 + t / 2 + 5;
  expectBox(titleLeft, 35, titleRight, 65, white, black);
  const PixelBlock title(titleLeft + 1, 36, titleRight - titleLeft - 1, 29);
  const auto titleText = title.drawn(grey);
  ASSERT_TRUE(titleText) << "text on the grey fill";
  EXPECT_TRUE(title.onlyColours({grey, blue}));
  EXPECT_GE(titleText->left, 300 - t / 2);
  EXPECT_LT(titleText->bottom, 58 + 6) << "baseline 58";

  int w = 0;
  for (const std::string& item : row.items) {
    w = std::max(w, stringWidth(item));
  }
  const int l = 300 - w / 2;
  const int n = static_cast<int>(row.items.size());
  expectBox(l - 10, 70, l + w + 10, 100 + 38 * (n - 1) + 15, white, black);
  for (int i = 0; i < n; ++i) {
    SCOPED_TRACE(row.items[i]);
    const int top = 75 + 38 * i;
    const Rgb fill = i == 1 ? blue : grey;
    expectBox(l - 5, top, l + w + 5, top + 35, white, grey);
    EXPECT_EQ(GLWindow::pixel(l - 3, top + 2), fill);
    const PixelBlock box(l - 4, top + 1, w + 9, 34);
    const auto text = box.drawn(fill);
    ASSERT_TRUE(text);
    EXPECT_TRUE(box.onlyColours({fill, white}));
    EXPECT_GE(text->left, l);
    EXPECT_LE(text->right, l + w);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, MenuDraw, testing::Values(
    DrawRow{"ItemsWiderThanTitle", "Add Object",
            {"Platform", "Monster", "Spawn Point wider", "Goal"}},
    DrawRow{"TitleWiderThanItems", "A title much wider than every item", {"a", "bb", "ccc"}}),
    RowName{});
// clang-format on

} // namespace
