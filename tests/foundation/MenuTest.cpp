#include "Probes.h"

#include "actors/Point2D.h"
#include "common/Functions.h"
#include "gfx/Menu.h"
#include "support/Events.h"
#include "support/Table.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

const Rgb black = rgb(0, 0, 0);
const Rgb white = rgb(255, 255, 255);
const Rgb grey = rgb(51, 51, 51);
const Rgb blue = rgb(0, 0, 255);

std::vector<std::string> itemsOf(int n) {
  std::vector<std::string> items;
  for (int i = 0; i < n; ++i) {
    items.push_back("level" + std::to_string(i));
  }
  return items;
}

struct KeyRow {
  std::string name;
  int items;
  std::vector<SDLKey> keys;
  int selected;
  bool done;
};

class MenuKeys : public testing::TestWithParam<KeyRow> {};

TEST_P(MenuKeys, MoveTheSelectionWithWrapAround) {
  const KeyRow& row = GetParam();
  const Point2D mouse(17, 23);
  const std::vector<std::string> items = itemsOf(row.items);
  Menu menu(&mouse, &items, "Level Select", Menu::LEVEL_LIST);
  for (const SDLKey key : row.keys) {
    menu.keyDown(keyDownEvent(key));
  }
  EXPECT_EQ(menu.getSelected(), row.selected);
  EXPECT_EQ(menu.update(16), row.done);
  EXPECT_TRUE(menu.hasSelection());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, MenuKeys, testing::Values(
    KeyRow{"OpensOnFirstItem", 3, {}, 0, false},
    KeyRow{"DownMovesOn", 3, {SDLK_DOWN}, 1, false},
    KeyRow{"UpOnFirstWrapsToLast", 3, {SDLK_UP}, 2, false},
    KeyRow{"DownOnLastWrapsToFirst", 3, {SDLK_DOWN, SDLK_DOWN, SDLK_DOWN}, 0, false},
    KeyRow{"LeftJumpsToFirst", 4, {SDLK_DOWN, SDLK_DOWN, SDLK_LEFT}, 0, false},
    KeyRow{"RightJumpsToLast", 4, {SDLK_DOWN, SDLK_RIGHT}, 3, false},
    KeyRow{"OneItemUpStays", 1, {SDLK_UP}, 0, false},
    KeyRow{"OtherKeysChangeNothing", 3, {SDLK_ESCAPE, SDLK_a, SDLK_SPACE}, 0, false},
    KeyRow{"ReturnKeepsTheSelection", 3, {SDLK_DOWN, SDLK_RETURN}, 1, true},
    KeyRow{"KeysAfterReturnStillMove", 3, {SDLK_RETURN, SDLK_DOWN, SDLK_DOWN}, 2, true}),
    RowName{});
// clang-format on

TEST(Menu, WithoutItemsNoKeyOffersAnItemToChoose) {
  const Point2D mouse;
  const std::vector<std::string> items;
  for (const SDLKey key : {SDLK_UNKNOWN, SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_RETURN}) {
    Menu menu(&mouse, &items, "Level Select", Menu::LEVEL_LIST);
    menu.keyDown(keyDownEvent(key));
    EXPECT_FALSE(menu.hasSelection()) << SDL_GetKeyName(key);
  }
}

// Where the boxes of a menu must be, from the widths of its texts.
struct Layout {
  int titleLeft, titleRight;
  int listLeft, listRight, listBottom;
  int rowLeft, rowRight;

  Layout(const std::string& title, const std::vector<std::string>& items) {
    const int t = stringWidth(title);
    int w = 0;
    for (const std::string& item : items) {
      w = stringWidth(item) > w ? stringWidth(item) : w;
    }
    const int l = 300 - w / 2;
    titleLeft = 300 - t / 2 - 5;
    titleRight = 300 + t / 2 + 5;
    listLeft = l - 10;
    listRight = l + w + 10;
    listBottom = 100 + 38 * (static_cast<int>(items.size()) - 1) + 15;
    rowLeft = l - 5;
    rowRight = l + w + 5;
  }

  static int rowTop(int i) { return 75 + 38 * i; }
  static int rowBottom(int i) { return 110 + 38 * i; }
};

struct DrawRow {
  std::string name;
  std::string title;
  std::vector<std::string> items;
};

// The mouse is far from where the menu goes: the layout must not follow it.
class MenuDraw : public testing::TestWithParam<DrawRow> {
protected:
  void SetUp() override {
    GLWindow::clear();
    Menu menu(&mouse, &GetParam().items, GetParam().title, Menu::TOOL_LIST);
    menu.keyDown(keyDownEvent(SDLK_RIGHT));
    menu.draw();
    selected = menu.getSelected();
  }

  const Point2D mouse{600, 400};
  const Layout at{GetParam().title, GetParam().items};
  int selected = 0;
};

TEST_P(MenuDraw, TitleBoxFrom35To65CentredOn300WithBlueText) {
  expectBox(at.titleLeft, 35, at.titleRight, 65, white, black);
  EXPECT_EQ(GLWindow::pixel(at.titleLeft + 2, 40), grey) << "title fill";
  const PixelBlock box(at.titleLeft + 1, 36, at.titleRight - at.titleLeft - 1, 29);
  const auto text = box.drawn(grey);
  ASSERT_TRUE(text) << "text on the grey fill";
  EXPECT_TRUE(box.onlyColours({grey, blue}));
  EXPECT_GE(text->left, 300 - stringWidth(GetParam().title) / 2);
  EXPECT_LT(text->bottom, 58 + 6) << "baseline 58";
}

TEST_P(MenuDraw, ListBoxFrom70HoldsARowBoxPerItemWithWhiteText) {
  const int n = static_cast<int>(GetParam().items.size());
  expectBox(at.listLeft, 70, at.listRight, at.listBottom, white, black);
  expectPixels({{"list fill beside the rows", at.listLeft + 2, 90, grey},
                {"first row left edge", at.rowLeft, 90, white},
                {"first row right edge", at.rowRight, 90, white}});
  for (int i = 0; i < n; ++i) {
    SCOPED_TRACE(GetParam().items[i]);
    const Rgb fill = i == selected ? blue : grey;
    expectPixels({{"above the row", at.rowLeft + 2, Layout::rowTop(i) - 1, grey},
                  {"row top edge", at.rowLeft + 2, Layout::rowTop(i), white},
                  {"row fill", at.rowLeft + 2, Layout::rowTop(i) + 2, fill},
                  {"row bottom edge", at.rowLeft + 2, Layout::rowBottom(i), white}});
    const PixelBlock box(at.rowLeft + 1, Layout::rowTop(i) + 1, at.rowRight - at.rowLeft - 1,
                         Layout::rowBottom(i) - Layout::rowTop(i) - 1);
    const auto text = box.drawn(fill);
    ASSERT_TRUE(text);
    EXPECT_TRUE(box.onlyColours({fill, white}));
    EXPECT_GE(text->left, at.rowLeft + 5);
    EXPECT_LE(text->right, at.rowRight - 5);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, MenuDraw, testing::Values(
    DrawRow{"ItemsWiderThanTitle", "Add Object", {"Platform", "Monster", "Spawn Point wider", "Goal"}},
    DrawRow{"TitleWiderThanItems", "A title much wider than every item", {"a", "bb", "ccc"}}),
    RowName{});
// clang-format on

TEST(MenuHighlight, FollowsDownAndUp) {
  const Point2D mouse;
  const std::vector<std::string> items = itemsOf(3);
  Menu menu(&mouse, &items, "Level Select", Menu::LEVEL_LIST);
  const int x = Layout("Level Select", items).rowLeft + 2;
  const std::pair<SDLKey, int> steps[] = {
      {SDLK_DOWN, 1}, {SDLK_DOWN, 2}, {SDLK_DOWN, 0}, {SDLK_UP, 2}, {SDLK_UP, 1}};
  for (const auto& [key, highlighted] : steps) {
    menu.keyDown(keyDownEvent(key));
    GLWindow::clear();
    menu.draw();
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(GLWindow::pixel(x, Layout::rowTop(i) + 2), i == highlighted ? blue : grey)
          << "row " << i << " with " << highlighted << " highlighted";
    }
  }
}

TEST(MenuHighlight, EmptyMenuShowsAShortListBoxAndNoHighlight) {
  GLWindow::clear();
  const Point2D mouse;
  const std::vector<std::string> items;
  Menu menu(&mouse, &items, "Level Select", Menu::LEVEL_LIST);
  menu.keyDown(keyDownEvent(SDLK_UP));
  menu.draw();
  expectBox(290, 70, 310, 77, white, black);
  EXPECT_EQ(GLWindow::pixel(292, 73), grey) << "list fill";
  EXPECT_FALSE(PixelBlock(0, 78, 640, 100).drawn(black));
}

TEST(MenuHighlight, DrawingLeavesTextureBindingAndMatricesAlone) {
  GLWindow::clear();
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTranslated(12, 34, 0);
  GLfloat before[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, before);

  const Point2D mouse;
  const std::vector<std::string> items = itemsOf(3);
  Menu(&mouse, &items, "Level Select", Menu::LEVEL_LIST).draw();

  GLint bound = 0, mode = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(static_cast<GLuint>(bound), texture);
  EXPECT_EQ(mode, GL_MODELVIEW);
  GLfloat after[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, after);
  EXPECT_TRUE(std::equal(before, before + 16, after));
  glBindTexture(GL_TEXTURE_2D, 0);
  glDeleteTextures(1, &texture);
}

} // namespace
