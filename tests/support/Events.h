#pragma once

#include <SDL.h>

// SDL 1.2 events, modifiers in the event itself. Buttons: 1 left, 3 right.

inline SDL_Event keyEvent(Uint8 type, SDLKey key, SDLMod mod = KMOD_NONE) {
  SDL_Event e{};
  e.key = {type, 0, Uint8(type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED), {0, key, mod, 0}};
  return e;
}

inline SDL_Event keyDownEvent(SDLKey key) {
  return keyEvent(SDL_KEYDOWN, key);
}

inline SDL_Event buttonEvent(Uint8 type, Uint8 button, Uint16 x = 0, Uint16 y = 0) {
  SDL_Event e{};
  e.button = {type, 0, button, Uint8(type == SDL_MOUSEBUTTONDOWN), x, y};
  return e;
}

inline SDL_Event motionEvent(Uint16 x, Uint16 y) {
  SDL_Event e{};
  e.motion = {SDL_MOUSEMOTION, 0, 0, x, y, 0, 0};
  return e;
}

// A joystick axis, hat or button event of the first pad; value is the
// axis's position or the hat's directions.
inline SDL_Event padEvent(Uint8 type, Uint8 index, Sint16 value = 0) {
  SDL_Event e{};
  e.type = type;
  if (type == SDL_JOYAXISMOTION) {
    e.jaxis = {type, 0, index, value};
  } else if (type == SDL_JOYHATMOTION) {
    e.jhat = {type, 0, index, Uint8(value)};
  } else {
    e.jbutton = {type, 0, index, Uint8(type == SDL_JOYBUTTONDOWN)};
  }
  return e;
}
