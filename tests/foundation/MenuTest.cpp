#include "Events.h"
#include "Probes.h"

#include "actors/Point2D.h"
#include "common/Functions.h"
#include "gfx/Menu.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
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

// ---- Keys -------------------------------------------------------------------------

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
  for (const SDLKey sym : row.keys) {
    menu.keyDown(keyDownEvent(sym));
  }
  EXPECT_EQ(menu.getSelected(), row.selected);
  EXPECT_EQ(menu.update(16), row.done);
  EXPECT_TRUE(menu.hasSelection());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MenuKeys,
    testing::Values(
        KeyRow{"OpensOnFirstItem", 3, {}, 0, false},
        KeyRow{"DownMovesOn", 3, {SDLK_DOWN}, 1, false},
        KeyRow{"UpOnFirstWrapsToLast", 3, {SDLK_UP}, 2, false},
        KeyRow{"DownOnLastWrapsToFirst", 3, {SDLK_DOWN, SDLK_DOWN, SDLK_DOWN}, 0, false},
        KeyRow{"UpMovesBack", 3, {SDLK_RIGHT, SDLK_UP}, 1, false},
        KeyRow{"LeftJumpsToFirst", 4, {SDLK_DOWN, SDLK_DOWN, SDLK_LEFT}, 0, false},
        KeyRow{"RightJumpsToLast", 4, {SDLK_DOWN, SDLK_RIGHT}, 3, false},
        KeyRow{"OneItemUpStays", 1, {SDLK_UP}, 0, false},
        KeyRow{"OneItemDownStays", 1, {SDLK_DOWN}, 0, false},
        KeyRow{"OtherKeysChangeNothing", 3, {SDLK_ESCAPE, SDLK_a, SDLK_SPACE, SDLK_TAB}, 0, false},
        KeyRow{"ReturnKeepsTheSelection", 3, {SDLK_DOWN, SDLK_RETURN}, 1, true},
        KeyRow{"KeysAfterReturnStillMove", 3, {SDLK_RETURN, SDLK_DOWN, SDLK_DOWN}, 2, true},
        KeyRow{"ReturnTwiceStaysDone", 3, {SDLK_RETURN, SDLK_RETURN}, 0, true},
        KeyRow{"ItemsBelowTheWindowReachable", 15, {SDLK_UP, SDLK_UP}, 13, false}),
    [](const auto& info) { return info.param.name; });

TEST(Menu, UpdateReportsDoneWhateverTheTime) {
  const Point2D mouse;
  const std::vector<std::string> items = itemsOf(2);
  Menu menu(&mouse, &items, "Add Object", Menu::TOOL_LIST);
  EXPECT_FALSE(menu.update(0));
  EXPECT_FALSE(menu.update(100000));
  menu.keyDown(keyDownEvent(SDLK_RETURN));
  EXPECT_TRUE(menu.update(0));
  EXPECT_TRUE(menu.update(16));
}

TEST(Menu, KeepsItsTypeAndPosition) {
  const Point2D mouse(5, 6);
  const std::vector<std::string> items = itemsOf(2);
  Menu menu(&mouse, &items, "Add Object", Menu::TOOL_LIST);
  EXPECT_EQ(menu.getType(), Menu::TOOL_LIST);
  EXPECT_EQ(menu.getPosition(), &mouse);
  menu.setType(Menu::LEVEL_LIST);
  EXPECT_EQ(menu.getType(), Menu::LEVEL_LIST);
}

struct EmptyRow {
  std::string name;
  std::vector<SDLKey> keys;
  int selected;
};

class EmptyMenuKeys : public testing::TestWithParam<EmptyRow> {};

TEST_P(EmptyMenuKeys, NeverOffersAnItemToChoose) {
  const EmptyRow& row = GetParam();
  const Point2D mouse;
  const std::vector<std::string> items;
  Menu menu(&mouse, &items, "Level Select", Menu::LEVEL_LIST);
  for (const SDLKey sym : row.keys) {
    menu.keyDown(keyDownEvent(sym));
  }
  EXPECT_EQ(menu.getSelected(), row.selected);
  EXPECT_FALSE(menu.hasSelection());
}

INSTANTIATE_TEST_SUITE_P(Rows, EmptyMenuKeys,
                         testing::Values(EmptyRow{"AsOpened", {}, 0}, EmptyRow{"Up", {SDLK_UP}, -1},
                                         EmptyRow{"Down", {SDLK_DOWN}, 0},
                                         EmptyRow{"Right", {SDLK_RIGHT}, -1},
                                         EmptyRow{"Left", {SDLK_LEFT}, 0},
                                         EmptyRow{"Return", {SDLK_RETURN}, 0}),
                         [](const auto& info) { return info.param.name; });

// ---- Drawing -----------------------------------------------------------------------

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

struct Probe {
  const char* where;
  int x, y;
  Rgb colour;
};

void expectProbes(const std::vector<Probe>& probes) {
  for (const Probe& probe : probes) {
    EXPECT_EQ(GLWindow::pixel(probe.x, probe.y), probe.colour)
        << probe.where << " at " << probe.x << "," << probe.y;
  }
}

struct DrawRow {
  std::string name;
  std::string title;
  std::vector<std::string> items;
};

class MenuDraw : public testing::TestWithParam<DrawRow> {
protected:
  void SetUp() override { GLWindow::clear(); }

  // Draws the row's menu after the keys; returns the selection. The mouse
  // is far from where the menu goes: the layout must not follow it.
  int draw(std::initializer_list<SDLKey> keys = {}) {
    const Point2D mouse(600, 400);
    Menu menu(&mouse, &GetParam().items, GetParam().title, Menu::TOOL_LIST);
    for (const SDLKey sym : keys) {
      menu.keyDown(keyDownEvent(sym));
    }
    menu.draw();
    return menu.getSelected();
  }
};

TEST_P(MenuDraw, TitleBoxSitsAbove35To65CentredOn300) {
  const DrawRow& row = GetParam();
  draw();
  const Layout at(row.title, row.items);
  expectProbes({
      {"title fill", at.titleLeft + 2, 40, grey},
      {"title fill, last row", at.titleLeft + 2, 64, grey},
      {"title left edge", at.titleLeft, 50, white},
      {"left of title", at.titleLeft - 1, 50, black},
      {"title right edge", at.titleRight, 50, white},
      {"right of title", at.titleRight + 1, 50, black},
      {"title top edge", at.titleLeft + 2, 35, white},
      {"above title", at.titleLeft + 2, 34, black},
      {"title bottom edge", at.titleLeft + 2, 65, white},
      {"below title", at.titleLeft + 2, 66, black},
  });
  EXPECT_EQ(at.titleLeft + at.titleRight, 600) << "centred on 300";
}

TEST_P(MenuDraw, TitleTextIsBlueInsideItsBox) {
  const DrawRow& row = GetParam();
  draw();
  const Layout at(row.title, row.items);
  const PixelBlock box(at.titleLeft + 1, 36, at.titleRight - at.titleLeft - 1, 29);
  const auto text = box.drawn(grey);
  ASSERT_TRUE(text) << "text on the grey fill";
  EXPECT_TRUE(box.onlyColours({grey, blue}));
  EXPECT_GE(text->left, 300 - stringWidth(row.title) / 2);
  EXPECT_LT(text->bottom, 58 + 6) << "baseline 58";
}

TEST_P(MenuDraw, ListBoxStartsAt70AndHoldsARowBoxPerItem) {
  const DrawRow& row = GetParam();
  draw();
  const Layout at(row.title, row.items);
  const int n = static_cast<int>(row.items.size());
  expectProbes({
      {"list left edge", at.listLeft, 90, white},
      {"left of list", at.listLeft - 1, 90, black},
      {"list right edge", at.listRight, 90, white},
      {"right of list", at.listRight + 1, 90, black},
      {"list top edge", at.listLeft + 2, 70, white},
      {"above list", at.listLeft + 2, 69, black},
      {"list fill beside the rows", at.listLeft + 2, 90, grey},
      {"list bottom edge", at.listLeft + 2, at.listBottom, white},
      {"below list", at.listLeft + 2, at.listBottom + 1, black},
      {"list fill above the first row", at.rowLeft + 2, 72, grey},
      {"first row top edge", at.rowLeft + 2, Layout::rowTop(0), white},
      {"first row left edge", at.rowLeft, 90, white},
      {"first row right edge", at.rowRight, 90, white},
      {"highlight on the first row", at.rowLeft + 2, Layout::rowTop(0) + 2, blue},
      {"first row bottom edge", at.rowLeft + 2, Layout::rowBottom(0), white},
  });
  for (int i = 1; i < n; ++i) {
    SCOPED_TRACE(i);
    expectProbes({
        {"gap between rows", at.rowLeft + 2, Layout::rowBottom(i - 1) + 1, grey},
        {"row top edge", at.rowLeft + 2, Layout::rowTop(i), white},
        {"row fill", at.rowLeft + 2, Layout::rowTop(i) + 2, grey},
        {"row bottom edge", at.rowLeft + 2, Layout::rowBottom(i), white},
    });
  }
}

TEST_P(MenuDraw, ItemTextIsWhiteInsideItsRowBox) {
  const DrawRow& row = GetParam();
  const int selected = draw({SDLK_RIGHT});
  const Layout at(row.title, row.items);
  for (int i = 0; i < static_cast<int>(row.items.size()); ++i) {
    SCOPED_TRACE(row.items[i]);
    const Rgb fill = i == selected ? blue : grey;
    const PixelBlock box(at.rowLeft + 1, Layout::rowTop(i) + 1, at.rowRight - at.rowLeft - 1,
                         Layout::rowBottom(i) - Layout::rowTop(i) - 1);
    const auto text = box.drawn(fill);
    ASSERT_TRUE(text);
    EXPECT_TRUE(box.onlyColours({fill, white}));
    EXPECT_GE(text->left, at.rowLeft + 5);
    EXPECT_LE(text->right, at.rowRight - 5);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, MenuDraw,
                         testing::Values(DrawRow{"ItemsWiderThanTitle",
                                                 "Add Object",
                                                 {"Platform", "Monster",
                                                  "Spawn Point and something wider", "Goal Area"}},
                                         DrawRow{"TitleWiderThanItems",
                                                 "A title much wider than every item",
                                                 {"a", "bb", "ccc"}},
                                         DrawRow{"OneItem", "Level Select", {"level1"}}),
                         [](const auto& info) { return info.param.name; });

TEST(MenuDraw, HighlightFollowsDownAndUp) {
  const Point2D mouse;
  const std::vector<std::string> items = {"level1", "level2", "level3"};
  Menu menu(&mouse, &items, "Level Select", Menu::LEVEL_LIST);
  const Layout at("Level Select", items);
  const int x = at.rowLeft + 2;
  struct Step {
    const char* name;
    SDLKey key;
    int highlighted;
  };
  const Step steps[] = {{"down", SDLK_DOWN, 1},
                        {"down again", SDLK_DOWN, 2},
                        {"down wraps", SDLK_DOWN, 0},
                        {"up wraps", SDLK_UP, 2},
                        {"up", SDLK_UP, 1}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    menu.keyDown(keyDownEvent(step.key));
    GLWindow::clear();
    menu.draw();
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(GLWindow::pixel(x, Layout::rowTop(i) + 2), i == step.highlighted ? blue : grey)
          << "row " << i;
    }
  }
}

TEST(MenuDraw, EmptyMenuShowsAShortListBoxAndNoHighlight) {
  const Point2D mouse;
  const std::vector<std::string> items;
  Menu menu(&mouse, &items, "Level Select", Menu::LEVEL_LIST);
  for (const SDLKey sym : {SDLK_UP, SDLK_UP, SDLK_DOWN, SDLK_RETURN}) {
    menu.keyDown(keyDownEvent(sym));
    GLWindow::clear();
    menu.draw();
    expectProbes({
        {"list top edge", 292, 70, white},
        {"list fill", 292, 73, grey},
        {"list bottom edge", 292, 77, white},
        {"below list", 292, 78, black},
        {"list left edge", 290, 73, white},
        {"list right edge", 310, 73, white},
        {"right of list", 311, 73, black},
    });
    EXPECT_FALSE(PixelBlock(0, 78, 640, 100).anyOtherThan(black));
  }
}

TEST(MenuDraw, LongListRunsPastTheWindowBottom) {
  const Point2D mouse;
  const std::vector<std::string> items = itemsOf(15);
  Menu menu(&mouse, &items, "Level Select", Menu::LEVEL_LIST);
  menu.keyDown(keyDownEvent(SDLK_UP));
  GLWindow::clear();
  menu.draw();
  const Layout at("Level Select", items);
  EXPECT_EQ(GLWindow::pixel(at.listLeft, 479), white);
  EXPECT_EQ(GLWindow::pixel(at.rowLeft + 2, Layout::rowTop(10) + 2), grey);
  EXPECT_EQ(GLWindow::pixel(at.rowLeft + 2, Layout::rowTop(0) + 2), grey);
}

TEST(MenuDraw, LeavesTextureBindingAndMatricesAlone) {
  GLWindow::clear();
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glMatrixMode(GL_MODELVIEW);
  glTranslated(12, 34, 0);
  GLfloat modelBefore[16], projectionBefore[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelBefore);
  glGetFloatv(GL_PROJECTION_MATRIX, projectionBefore);
  GLint modeBefore = 0;
  glGetIntegerv(GL_MATRIX_MODE, &modeBefore);

  const Point2D mouse;
  const std::vector<std::string> items = itemsOf(3);
  Menu(&mouse, &items, "Level Select", Menu::LEVEL_LIST).draw();

  GLint bound = 0, mode = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(static_cast<GLuint>(bound), texture);
  EXPECT_EQ(mode, modeBefore);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  GLfloat model[16], projection[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, model);
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(model[i], modelBefore[i]);
    EXPECT_EQ(projection[i], projectionBefore[i]);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  glBindTexture(GL_TEXTURE_2D, 0);
  glDeleteTextures(1, &texture);
}

} // namespace
