#pragma once

#include <SDL.h>

// Events as SDL 1.2 delivers them. SDL_PushEvent leaves SDL's own modifier
// state alone, so the modifiers travel in the event itself.

inline SDL_Event keyEvent(Uint8 type, SDLKey key, SDLMod mod = KMOD_NONE) {
  SDL_Event e{};
  e.type = type;
  e.key.type = type;
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = key;
  e.key.keysym.mod = mod;
  return e;
}

inline SDL_Event keyDownEvent(SDLKey key) {
  return keyEvent(SDL_KEYDOWN, key);
}

// Buttons as SDL 1.2 numbers them: 1 left, 2 middle, 3 right, 4/5 wheel.
// Window pixels arrive as unsigned 16-bit values.
inline SDL_Event buttonEvent(Uint8 type, Uint8 button, Uint16 x = 0, Uint16 y = 0) {
  SDL_Event e{};
  e.type = type;
  e.button.type = type;
  e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.button.button = button;
  e.button.x = x;
  e.button.y = y;
  return e;
}

inline SDL_Event motionEvent(Uint16 x, Uint16 y) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.type = SDL_MOUSEMOTION;
  e.motion.x = x;
  e.motion.y = y;
  return e;
}
