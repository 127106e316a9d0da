#include "gfx/NamePrompt.h"

#include "common/Draw.h"
#include "gfx/Menu.h"

#include <GL/gl.h>

#include <utility>

namespace {

// Layout, in window pixels: the field's edges and baseline, the ascent and
// descent allowed for the font, and the margin around text. The title box
// sits above the field as a menu's title box sits above its list.
constexpr int C = 320;
constexpr int FIELD_LEFT = 40;
constexpr int FIELD_RIGHT = 600;
constexpr int BASELINE = 250;
constexpr int A = 20;
constexpr int D = 5;
constexpr int P = 5;
constexpr int TEXT_LEFT = FIELD_LEFT + 2 * P;
constexpr int CARET_WIDTH = 2;
// The text and the caret after it must end inside the field's margin.
constexpr int TEXT_ROOM = FIELD_RIGHT - 2 * P - TEXT_LEFT - 1 - CARET_WIDTH;

// Tested by value rather than with <cctype>, whose answer for bytes outside
// ASCII follows the locale.
bool typeable(unsigned code) {
  return (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z') ||
         (code >= '0' && code <= '9') || code == '-' || code == '_';
}

} // namespace

NamePrompt::NamePrompt(std::string title, std::string initialText)
    : title(std::move(title)), text(std::move(initialText)) {
  fitText();
}

NamePrompt::Result NamePrompt::keyDown(const SDL_Event& event) {
  const SDL_keysym& key = event.key.keysym;
  switch (key.sym) {
  case SDLK_RETURN:
    return CONFIRMED;
  case SDLK_ESCAPE:
    return CANCELLED;
  case SDLK_BACKSPACE:
    if (!text.empty()) {
      text.pop_back();
      fitText();
    }
    return EDITING;
  default:
    break;
  }
  const unsigned sym = static_cast<unsigned>(key.sym);
  const unsigned code = key.unicode != 0 ? key.unicode : (sym >= ' ' && sym <= '~' ? sym : 0);
  if (typeable(code) && text.size() < MAX_LENGTH) {
    text.push_back(static_cast<char>(code));
    fitText();
  }
  return EDITING;
}

void NamePrompt::fitText() {
  shown = text;
  if (stringWidth(shown) <= TEXT_ROOM) {
    return;
  }
  // Drop characters from the front until "..." and the rest fit: the end is
  // where the typing happens.
  std::size_t start = 0;
  do {
    ++start;
    shown = "..." + text.substr(start);
  } while (start < text.size() && stringWidth(shown) > TEXT_ROOM);
}

void NamePrompt::draw() const {
  Menu::drawTitle(title, C, BASELINE);

  const int fieldTop = BASELINE - A - 2 * P;
  const int fieldBottom = BASELINE + D + 2 * P;
  glColor3d(0.2, 0.2, 0.2);
  fillBox(FIELD_LEFT, fieldTop, FIELD_RIGHT, fieldBottom);
  glColor3d(1, 1, 1);
  outlineBox(FIELD_LEFT, fieldTop, FIELD_RIGHT, fieldBottom);
  drawText(TEXT_LEFT, BASELINE, shown);
  const int caret = TEXT_LEFT + stringWidth(shown) + 1;
  fillBox(caret, BASELINE - A, caret + CARET_WIDTH, BASELINE + D);
}
