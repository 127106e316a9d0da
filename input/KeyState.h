#pragma once

#include "input/Gamepad.h"

#include <SDL.h>

#include <map>

// Which keys and mouse buttons are held now. Mouse button N is kept under
// code N; SDL 1.2 key codes in use start at 8, so they never meet. A key
// never reported reads as not pressed.
class KeyState {
public:
  struct intcmp {
    bool operator()(int a, int b) const { return a < b; }
  };

  KeyState() = default;

  // Key-down sets the key's entry, any other keyboard event clears it.
  void handleKeyEvent(const SDL_Event& event);
  // Button-down sets the button's entry, any other button event clears it.
  void handleMouseEvent(const SDL_Event& event);
  bool keyDown(SDLKey key) const;
  // Either key down; the second is looked up only when the first is up.
  bool keyDown(SDLKey first, SDLKey second) const;
  // What the first joystick holds; the frame loop hands it the joystick's
  // events.
  Gamepad& getGamepad() { return gamepad; }
  const Gamepad& getGamepad() const { return gamepad; }

private:
  std::map<int, bool, intcmp> table;
  Gamepad gamepad;
};
