#pragma once

#include <SDL.h>

#include <string_view>

// What the first joystick holds, read from its SDL events: the left stick or
// the d-pad runs and climbs, button 0 jumps, the right stick aims. Pads that
// are unplugged or never there hold nothing.
class Gamepad {
public:
  // A quarter of the stick's full travel, so that a worn stick at rest
  // holds nothing.
  static constexpr int DEAD_ZONE = 32767 / 4;
  static constexpr Uint8 JUMP_BUTTON = 0;
  static constexpr Uint8 SHOOT_BUTTON = 1;
  static constexpr Uint8 START_BUTTON = 7;

  // Joystick events of the first joystick update the state; false for any
  // other event.
  bool handleEvent(const SDL_Event& event);
  // "left", "right", "up", "down" or "jump" held on the pad.
  bool held(std::string_view action) const;
  // The right stick, each axis from -32768 to 32767, or (0, 0) inside the
  // dead zone.
  int getAimX() const;
  int getAimY() const;

  // The key a pad event stands for in a menu and for the level menu: the
  // d-pad's directions, button 0 Return, button 1 Escape, Start l; unknown
  // for the rest.
  static SDLKey menuKey(const SDL_Event& event);

private:
  // The sticks' axes: left x, left y, (a trigger), right x, right y.
  static constexpr int AXES = 5;
  static constexpr int BUTTONS = 16;

  bool aiming() const;

  Sint16 axes[AXES] = {};
  Uint8 hat = SDL_HAT_CENTERED;
  bool buttons[BUTTONS] = {};
};
