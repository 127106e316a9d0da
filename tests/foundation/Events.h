#pragma once

#include <SDL.h>

// Events as SDL delivers them, modifiers none.
inline SDL_Event keyEvent(Uint8 type, SDLKey key) {
  SDL_Event event{};
  event.type = type;
  event.key.type = type;
  event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = key;
  return event;
}

inline SDL_Event keyDownEvent(SDLKey key) {
  return keyEvent(SDL_KEYDOWN, key);
}

inline SDL_Event buttonEvent(Uint8 type, Uint8 button) {
  SDL_Event event{};
  event.type = type;
  event.button.type = type;
  event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.button.button = button;
  event.button.x = 100;
  event.button.y = 100;
  return event;
}
