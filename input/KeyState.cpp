#include "input/KeyState.h"

void KeyState::handleKeyEvent(const SDL_Event& event) {
  table[event.key.keysym.sym] = event.type == SDL_KEYDOWN;
}

void KeyState::handleMouseEvent(const SDL_Event& event) {
  table[event.button.button] = event.type == SDL_MOUSEBUTTONDOWN;
}

// Looking a key up does not create its entry: an absent key reads as up,
// which is all an entry made by asking would say.
bool KeyState::keyDown(SDLKey key) const {
  const auto it = table.find(key);
  return it != table.end() && it->second;
}

bool KeyState::keyDown(SDLKey first, SDLKey second) const {
  return keyDown(first) || keyDown(second);
}
