#include "input/Gamepad.h"

#include <cstdlib>

namespace {

constexpr int LEFT_X = 0;
constexpr int LEFT_Y = 1;
constexpr int RIGHT_X = 3;
constexpr int RIGHT_Y = 4;

} // namespace

bool Gamepad::handleEvent(const SDL_Event& event) {
  switch (event.type) {
  case SDL_JOYAXISMOTION:
    if (event.jaxis.which == 0 && event.jaxis.axis < AXES) {
      axes[event.jaxis.axis] = event.jaxis.value;
    }
    return true;
  case SDL_JOYHATMOTION:
    if (event.jhat.which == 0 && event.jhat.hat == 0) {
      hat = event.jhat.value;
    }
    return true;
  case SDL_JOYBUTTONDOWN:
  case SDL_JOYBUTTONUP:
    if (event.jbutton.which == 0 && event.jbutton.button < BUTTONS) {
      buttons[event.jbutton.button] = event.type == SDL_JOYBUTTONDOWN;
    }
    return true;
  default:
    return false;
  }
}

bool Gamepad::held(std::string_view action) const {
  if (action == "left") {
    return axes[LEFT_X] < -DEAD_ZONE || (hat & SDL_HAT_LEFT) != 0;
  }
  if (action == "right") {
    return axes[LEFT_X] > DEAD_ZONE || (hat & SDL_HAT_RIGHT) != 0;
  }
  if (action == "up") {
    return axes[LEFT_Y] < -DEAD_ZONE || (hat & SDL_HAT_UP) != 0;
  }
  if (action == "down") {
    return axes[LEFT_Y] > DEAD_ZONE || (hat & SDL_HAT_DOWN) != 0;
  }
  return action == "jump" && buttons[JUMP_BUTTON];
}

bool Gamepad::aiming() const {
  return std::abs(axes[RIGHT_X]) > DEAD_ZONE || std::abs(axes[RIGHT_Y]) > DEAD_ZONE;
}

int Gamepad::getAimX() const {
  return aiming() ? axes[RIGHT_X] : 0;
}

int Gamepad::getAimY() const {
  return aiming() ? axes[RIGHT_Y] : 0;
}

SDLKey Gamepad::menuKey(const SDL_Event& event) {
  if (event.type == SDL_JOYHATMOTION && event.jhat.which == 0) {
    switch (event.jhat.value) {
    case SDL_HAT_UP:
      return SDLK_UP;
    case SDL_HAT_DOWN:
      return SDLK_DOWN;
    case SDL_HAT_LEFT:
      return SDLK_LEFT;
    case SDL_HAT_RIGHT:
      return SDLK_RIGHT;
    default:
      return SDLK_UNKNOWN;
    }
  }
  if (event.type != SDL_JOYBUTTONDOWN || event.jbutton.which != 0) {
    return SDLK_UNKNOWN;
  }
  switch (event.jbutton.button) {
  case JUMP_BUTTON:
    return SDLK_RETURN;
  case SHOOT_BUTTON:
    return SDLK_ESCAPE;
  case START_BUTTON:
    return SDLK_l;
  default:
    return SDLK_UNKNOWN;
  }
}
