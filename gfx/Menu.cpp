#include "gfx/Menu.h"

#include "common/Draw.h"

#include <GL/gl.h>

#include <algorithm>

#include <utility>

namespace {

// Layout, in window pixels: centre x, first baseline, row pitch, the ascent
// and descent allowed for the font, and the margin around text.
constexpr int C = 300;
constexpr int Y = 100;
constexpr int PITCH = 38;
constexpr int A = 20;
constexpr int D = 5;
constexpr int P = 5;

// A white triangle four pixels tall, centred on the menu, built from one
// span per row so that it is symmetric whatever the rasteriser's tie rules.
// The tip row is tipY; the rows widen by two pixels toward the base, which
// lies in the direction given (+1 down, -1 up).
void hiddenRowsMark(int tipY, int direction) {
  glColor3d(1, 1, 1);
  for (int row = 0; row < 4; ++row) {
    const int y = tipY + direction * row;
    fillBox(C - row, y, C + row + 1, y + 1);
  }
}

} // namespace

Menu::Menu(std::vector<std::string> items, std::string title, MenuType type)
    : title(std::move(title)), type(type), items(std::move(items)) {}

bool Menu::update(int /*ms*/) {
  return done;
}

void Menu::keyDown(const SDL_Event& event) {
  const int n = static_cast<int>(items.size());
  switch (event.key.keysym.sym) {
  case SDLK_RETURN:
    done = true;
    break;
  case SDLK_UP:
    --selected;
    break;
  case SDLK_DOWN:
    ++selected;
    break;
  case SDLK_LEFT:
    selected = 0;
    break;
  case SDLK_RIGHT:
    selected = n - 1;
    break;
  default:
    break;
  }
  if (selected < 0) {
    selected = n - 1;
  } else if (selected > n - 1) {
    selected = 0;
  }
  keepInView();
}

void Menu::selectAfter(const std::string& item, int offset) {
  const auto found = std::find(items.begin(), items.end(), item);
  if (found != items.end()) {
    const auto at = static_cast<int>(found - items.begin()) + offset;
    selected = at % static_cast<int>(items.size());
    keepInView();
  }
}

void Menu::keepInView() {
  if (selected < firstShown) {
    firstShown = selected;
  } else if (selected >= firstShown + VISIBLE_ROWS) {
    firstShown = selected - VISIBLE_ROWS + 1;
  }
  // An empty list leaves the selection at -1.
  if (firstShown < 0) {
    firstShown = 0;
  }
}

void Menu::drawTitle(const std::string& title, int centre, int firstBaseline) {
  const int t = stringWidth(title);
  const int left = centre - t / 2 - P;
  const int top = firstBaseline - 2 * A - 4 * P - D;
  const int right = centre + t / 2 + P;
  const int bottom = firstBaseline - A - 2 * P - D;
  glColor3d(0.2, 0.2, 0.2);
  fillBox(left, top, right, bottom);
  glColor3d(1, 1, 1);
  outlineBox(left, top, right, bottom);
  glColor3d(0, 0, 1);
  drawText(centre - t / 2, firstBaseline - A - 4 * P - P / 2, title);
}

bool Menu::hasSelection() const {
  return selected >= 0 && selected < static_cast<int>(items.size());
}

void Menu::draw() const {
  const int n = static_cast<int>(items.size());
  // Every item counts, shown or not, so that the box keeps its width while
  // the list scrolls.
  int w = 0;
  for (int i = 0; i < n; ++i) {
    const int itemWidth = stringWidth(items[static_cast<std::size_t>(i)]);
    if (itemWidth > w) {
      w = itemWidth;
    }
  }
  drawTitle(title, C, Y);

  const int shown = n < VISIBLE_ROWS ? n : VISIBLE_ROWS;
  // Held to the list's end, in case the list has shrunk since the last key.
  const int first = firstShown < n - shown ? firstShown : n - shown;
  const int l = C - w / 2;
  const int listLeft = l - 2 * P;
  const int listTop = Y - A - 2 * P;
  const int listRight = l + w + 2 * P;
  const int listBottom = Y + PITCH * (shown - 1) + D + 2 * P;
  glColor3d(0.2, 0.2, 0.2);
  fillBox(listLeft, listTop, listRight, listBottom);
  glColor3d(1, 1, 1);
  outlineBox(listLeft, listTop, listRight, listBottom);

  for (int i = first; i < first + shown; ++i) {
    const int baseline = Y + PITCH * (i - first);
    const int rowLeft = l - P;
    const int rowTop = baseline - A - P;
    const int rowRight = l + w + P;
    const int rowBottom = baseline + D + P;
    if (i == selected) {
      glColor3d(0, 0, 1);
      fillBox(rowLeft, rowTop, rowRight, rowBottom);
    }
    glColor3d(1, 1, 1);
    outlineBox(rowLeft, rowTop, rowRight, rowBottom);
    drawText(l, baseline, items[static_cast<std::size_t>(i)]);
  }

  // Both marks sit on the list box's outline, pointing away from it.
  if (first > 0) {
    hiddenRowsMark(listTop - 4, 1);
  }
  if (first + shown < n) {
    hiddenRowsMark(listBottom + 4, -1);
  }
}
