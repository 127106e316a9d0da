#include "input/KeyBinding.h"
#include "input/KeyState.h"
#include "support/Events.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

void press(KeyState& keys, SDLKey key) {
  keys.handleKeyEvent(keyEvent(SDL_KEYDOWN, key));
}

void release(KeyState& keys, SDLKey key) {
  keys.handleKeyEvent(keyEvent(SDL_KEYUP, key));
}

TEST(KeyState, KeyIsDownFromPressUntilRelease) {
  KeyState keys;
  EXPECT_FALSE(keys.keyDown(SDLK_q)) << "never reported";
  press(keys, SDLK_q);
  EXPECT_TRUE(keys.keyDown(SDLK_q));
  EXPECT_FALSE(keys.keyDown(SDLK_w));
  release(keys, SDLK_q);
  EXPECT_FALSE(keys.keyDown(SDLK_q));
}

// Button N is kept under code N; key codes in use start at 8.
TEST(KeyState, ButtonsAreKeptUnderTheirNumbersApartFromKeys) {
  KeyState keys;
  keys.handleMouseEvent(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT));
  press(keys, SDLK_BACKSPACE);
  EXPECT_TRUE(keys.keyDown(static_cast<SDLKey>(3)));
  EXPECT_FALSE(keys.keyDown(static_cast<SDLKey>(1)));
  release(keys, SDLK_BACKSPACE);
  EXPECT_TRUE(keys.keyDown(static_cast<SDLKey>(3)));
  keys.handleMouseEvent(buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT));
  EXPECT_FALSE(keys.keyDown(static_cast<SDLKey>(3)));
}

TEST(KeyBinding, AnActionIsHeldWhileItsKeyIsDown) {
  KeyState keys;
  KeyBinding binding(&keys);
  binding.bind("up", SDLK_w);
  binding.bind("climb", SDLK_w);
  binding.bind("left", SDLK_a);
  press(keys, SDLK_w);
  EXPECT_TRUE(binding.check("up"));
  EXPECT_TRUE(binding.check("climb")) << "names may share a key";
  EXPECT_FALSE(binding.check("left"));
  EXPECT_FALSE(binding.check("fly"));
  binding.bind("up", SDLK_UP);
  EXPECT_FALSE(binding.check("up")) << "rebinding replaces the key";
  binding.unbind("climb");
  EXPECT_FALSE(binding.check("climb"));
}

// A binding made by asking would hold the zero key code; hold that key.
TEST(KeyBinding, CheckingAnUnboundNameCreatesNoBinding) {
  KeyState keys;
  KeyBinding binding(&keys);
  EXPECT_FALSE(binding.check("fly"));
  press(keys, static_cast<SDLKey>(0));
  EXPECT_FALSE(binding.check("fly"));
}

} // namespace
