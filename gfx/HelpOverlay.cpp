#include "gfx/HelpOverlay.h"

#include "common/Draw.h"

#include <GL/gl.h>

#include <algorithm>
#include <iterator>
#include <span>

namespace {

// One row of a column: a key and what it does. A row without an action is
// a heading.
struct Row {
  const char* key;
  const char* action;
};

// The wording is cut to what fits two columns of Times Roman 24 in the
// 640-pixel window; the longest actions go with the shortest keys.
constexpr Row PLAY_KEYS[] = {
    {"a, d", "run left, right"}, {"space", "jump / wall-jump"}, {"a / d to a wall", "cling"},
    {"w, s", "climb"},           {"left button", "shoot"},      {"l", "level menu"},
    {"e", "edit mode"},          {"Ctrl+N", "new level"},       {"F1", "help"},
    {"F11", "fullscreen"},       {"m", "sound on, off"},        {"Ctrl+Q", "quit"}};
constexpr Row PLAY_MENU_KEYS[] = {
    {"In menus:", nullptr},         {"Up, Down", "move"},         {"Left, Right", "first, last"},
    {"Return", "choose"},           {"Escape", "close"},          {"Gamepad:", nullptr},
    {"stick, d-pad", "run, climb"}, {"button A", "jump, choose"}, {"button B", "shoot, close"},
    {"Start", "level menu"}};
constexpr Row EDIT_KEYS[] = {{"w a s d", "scroll"},
                             {"arrows", "nudge"},
                             {"`", "add-object menu"},
                             {"1 2 3", "climb, jump, plain"},
                             {"x c v", "cut, copy, paste"},
                             {"Ctrl+A, D", "all, duplicate"},
                             {"wheel", "zoom"},
                             {"g", "grid"},
                             {"e", "play at the pointer"},
                             {"l", "level menu"},
                             {"Ctrl+N", "new level"},
                             {"Ctrl+Z, Y", "undo, redo"},
                             {"F1, F11", "help, fullscreen"}};
constexpr Row EDIT_MORE_KEYS[] = {
    {"left button", "select, drag"},  {"  on a corner", "resize"},
    {"  elsewhere", "box select"},    {"Shift+left", "select more"},
    {"right button", "new platform"}, {"Backspace", "delete"},
    {"= or Ctrl+S", "save"},          {"Ctrl+Shift+S", "save as"},
    {"m", "sound on, off"},           {"Ctrl+Q", "quit"},
    {"In menus:", nullptr},           {"Up, Down", "move"},
    {"Left, Right", "first, last"},   {"Return, Esc", "choose, close"}};

// Layout, in window pixels: the window's centre, the margin inside the box,
// the space between a key and its action and between the columns, the row
// pitch, the space that sets the title and the last line apart from the
// rows, and the ascent and descent allowed for the font.
constexpr int CX = 320;
constexpr int CY = 240;
constexpr int MARGIN = 10;
constexpr int KEY_GAP = 12;
constexpr int COLUMN_GAP = 24;
constexpr int PITCH = 26;
constexpr int SEPARATION = 6;
constexpr int A = 18;
constexpr int D = 6;

struct ColumnWidths {
  int key = 0;
  int whole = 0;
};

ColumnWidths measure(std::span<const Row> rows) {
  ColumnWidths widths;
  for (const Row& row : rows) {
    if (row.action) {
      widths.key = std::max(widths.key, stringWidth(row.key));
    }
  }
  for (const Row& row : rows) {
    widths.whole =
        std::max(widths.whole, row.action ? widths.key + KEY_GAP + stringWidth(row.action)
                                          : stringWidth(row.key));
  }
  return widths;
}

} // namespace

HelpOverlay::HelpOverlay(bool editMode) {
  const std::span<const Row> columns[] = {
      editMode ? std::span<const Row>(EDIT_KEYS) : std::span<const Row>(PLAY_KEYS),
      editMode ? std::span<const Row>(EDIT_MORE_KEYS) : std::span<const Row>(PLAY_MENU_KEYS)};
  const ColumnWidths widths[] = {measure(columns[0]), measure(columns[1])};
  const std::size_t rows = std::max(columns[0].size(), columns[1].size());

  const int width = 2 * MARGIN + widths[0].whole + COLUMN_GAP + widths[1].whole;
  const int height = 2 * MARGIN + A + D + 2 * SEPARATION + PITCH * static_cast<int>(rows + 1);
  left = CX - width / 2;
  right = left + width;
  top = CY - height / 2;
  bottom = top + height;

  const std::string title = editMode ? "Keys: edit" : "Keys: play";
  const int titleBaseline = top + MARGIN + A;
  texts.push_back({CX - stringWidth(title) / 2, titleBaseline, HEADING, title});
  int x = left + MARGIN;
  for (std::size_t c = 0; c < std::size(columns); ++c) {
    int baseline = titleBaseline + SEPARATION + PITCH;
    for (const Row& row : columns[c]) {
      texts.push_back({x, baseline, row.action ? KEY : HEADING, row.key});
      if (row.action) {
        texts.push_back({x + widths[c].key + KEY_GAP, baseline, ACTION, row.action});
      }
      baseline += PITCH;
    }
    x += widths[c].whole + COLUMN_GAP;
  }
  const std::string close = "F1 or Escape: close";
  const int closeBaseline = titleBaseline + 2 * SEPARATION + PITCH * static_cast<int>(rows + 1);
  texts.push_back({CX - stringWidth(close) / 2, closeBaseline, HEADING, close});
}

void HelpOverlay::setColour(Colour colour) {
  switch (colour) {
  case HEADING:
    glColor3d(0.6, 0.8, 1);
    break;
  case KEY:
    glColor3d(1, 0.85, 0.4);
    break;
  case ACTION:
    glColor3d(0.9, 0.9, 0.9);
    break;
  }
}

void HelpOverlay::draw() const {
  glColor3d(0.2, 0.2, 0.2);
  fillBox(left, top, right, bottom);
  glColor3d(1, 1, 1);
  outlineBox(left, top, right, bottom);
  for (const Text& text : texts) {
    setColour(text.colour);
    drawText(text.x, text.y, text.text);
  }
}
