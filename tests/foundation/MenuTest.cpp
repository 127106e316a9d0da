#include "Probes.h"

#include "actors/Point2D.h"
#include "common/Draw.h"
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
// and other keys change nothing. Thirteen items show ten rows at a time,
// scrolled the least that keeps the blue row in view, with a white mark
// centred above or below the list box while rows are hidden there. Item i
// is i ones, so the right end of the blue row's ink tells which item it is.
TEST(Menu, KeysMoveTheSelectionAndALongListScrollsToKeepItInView) {
  const Point2D mouse(17, 23);
  std::vector<std::string> items;
  for (std::size_t i = 1; i <= 13; ++i) {
    items.push_back(std::string(i, '1'));
  }
  Menu menu(&mouse, &items, "Level Select", Menu::LEVEL_LIST);
  const int w = stringWidth(items.back());
  const int l = 300 - w / 2;
  const struct {
    SDLKey key;
    int times, selected, row;
    bool above, below, done;
  } steps[] = {
      {SDLK_UNKNOWN, 1, 0, 0, false, true, false}, {SDLK_DOWN, 9, 9, 9, false, true, false},
      {SDLK_DOWN, 1, 10, 9, true, true, false},    {SDLK_UP, 9, 1, 0, true, true, false},
      {SDLK_UP, 1, 0, 0, false, true, false},      {SDLK_UP, 1, 12, 9, true, false, false},
      {SDLK_DOWN, 1, 0, 0, false, true, false},    {SDLK_RIGHT, 1, 12, 9, true, false, false},
      {SDLK_UP, 1, 11, 8, true, false, false},     {SDLK_LEFT, 1, 0, 0, false, true, false},
      {SDLK_a, 1, 0, 0, false, true, false},       {SDLK_ESCAPE, 1, 0, 0, false, true, false},
      {SDLK_RETURN, 1, 0, 0, false, true, true},   {SDLK_DOWN, 1, 1, 1, false, true, true}};
  for (const auto& step : steps) {
    SCOPED_TRACE(testing::Message() << SDL_GetKeyName(step.key) << " to item " << step.selected);
    for (int i = 0; i < step.times; ++i) {
      menu.keyDown(keyDownEvent(step.key));
    }
    EXPECT_EQ(menu.getSelected(), step.selected);
    EXPECT_EQ(menu.update(16), step.done);
    EXPECT_TRUE(menu.hasSelection());
    GLWindow::clear();
    menu.draw();
    for (int row = 0; row < 10; ++row) {
      EXPECT_EQ(GLWindow::pixel(l - 3, 77 + 38 * row), row == step.row ? blue : grey) << row;
    }
    const auto ink = PixelBlock(l - 4, 76 + 38 * step.row, w + 9, 34).drawn(blue);
    ASSERT_TRUE(ink);
    const auto ones = static_cast<std::size_t>(step.selected + 1);
    EXPECT_GE(ink->right, l + stringWidth(std::string(ones - 1, '1')));
    EXPECT_LT(ink->right, l + stringWidth(std::string(ones, '1')));
    const auto above = PixelBlock(0, 66, 640, 4).drawn(black);
    const auto below = PixelBlock(0, 458, 640, 22).drawn(black);
    EXPECT_EQ(above.has_value(), step.above);
    EXPECT_EQ(below.has_value(), step.below);
    for (const auto& mark : {above, below}) {
      EXPECT_TRUE(!mark || (mark->left + mark->right == 600 && mark->bottom - mark->top == 3));
    }
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
// it. Down has moved the blue highlight to the second row. Up to ten items
// are all shown, with no mark of hidden rows above or below the list box.
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
  const int listBottom = 100 + 38 * (n - 1) + 15;
  expectBox(l - 10, 70, l + w + 10, listBottom, white, black);
  EXPECT_FALSE(PixelBlock(0, 66, 640, 4).drawn(black));
  EXPECT_FALSE(PixelBlock(0, listBottom + 1, 640, 479 - listBottom).drawn(black));
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
    DrawRow{"TitleWiderThanItems", "A title much wider than every item", {"a", "bb", "ccc"}},
    DrawRow{"TenItemsAsManyAsFit", "Level Select",
            {"one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten"}}),
    RowName{});
// clang-format on

} // namespace
