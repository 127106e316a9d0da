#include "input/KeyBinding.h"
#include "input/KeyState.h"
#include "support/Events.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

// Button N is kept under code N; key codes in use start at 8.
TEST(KeyState, KeysAndButtonsAreDownFromPressUntilRelease) {
  KeyState keys;
  EXPECT_FALSE(keys.keyDown(SDLK_q)) << "never reported";
  keys.handleKeyEvent(keyEvent(SDL_KEYDOWN, SDLK_q));
  keys.handleMouseEvent(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT));
  EXPECT_TRUE(keys.keyDown(SDLK_q));
  EXPECT_TRUE(keys.keyDown(static_cast<SDLKey>(3)));
  EXPECT_FALSE(keys.keyDown(static_cast<SDLKey>(1)));
  EXPECT_TRUE(keys.keyDown(SDLK_w, SDLK_q)) << "either of two";
  keys.handleKeyEvent(keyEvent(SDL_KEYUP, SDLK_q));
  EXPECT_FALSE(keys.keyDown(SDLK_q));
  EXPECT_TRUE(keys.keyDown(static_cast<SDLKey>(3)));
  keys.handleMouseEvent(buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT));
  EXPECT_FALSE(keys.keyDown(static_cast<SDLKey>(3)));
}

// Asking for an unbound name must not bind it to the zero key code.
TEST(KeyBinding, AnActionIsHeldWhileItsKeyIsDown) {
  KeyState keys;
  KeyBinding binding(&keys);
  binding.bind("up", SDLK_w);
  binding.bind("climb", SDLK_w);
  keys.handleKeyEvent(keyEvent(SDL_KEYDOWN, SDLK_w));
  EXPECT_TRUE(binding.check("up"));
  EXPECT_TRUE(binding.check("climb")) << "names may share a key";
  EXPECT_FALSE(binding.check("fly"));
  keys.handleKeyEvent(keyEvent(SDL_KEYDOWN, static_cast<SDLKey>(0)));
  EXPECT_FALSE(binding.check("fly"));
  binding.bind("up", SDLK_UP);
  EXPECT_FALSE(binding.check("up")) << "rebinding replaces the key";
  binding.unbind("climb");
  EXPECT_FALSE(binding.check("climb"));
}

} // namespace
