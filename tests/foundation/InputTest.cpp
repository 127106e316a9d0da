#include "Events.h"

#include "input/KeyBinding.h"
#include "input/KeyState.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The bindings the game makes, on a key state of the test's own.
class Bindings : public testing::Test {
protected:
  Bindings() {
    binding.bind("up", SDLK_w);
    binding.bind("left", SDLK_a);
    binding.bind("down", SDLK_s);
    binding.bind("right", SDLK_d);
    binding.bind("jump", SDLK_SPACE);
  }

  void press(SDLKey key) { keys.handleKeyEvent(keyEvent(SDL_KEYDOWN, key)); }
  void release(SDLKey key) { keys.handleKeyEvent(keyEvent(SDL_KEYUP, key)); }

  KeyState keys;
  KeyBinding binding{&keys};
};

TEST(KeyState, KeyNeverReportedIsUp) {
  const KeyState keys;
  EXPECT_FALSE(keys.keyDown(SDLK_w));
  EXPECT_FALSE(keys.keyDown(SDLK_RSHIFT, SDLK_LSHIFT));
}

TEST(KeyState, KeyIsDownFromPressUntilRelease) {
  KeyState keys;
  keys.handleKeyEvent(keyEvent(SDL_KEYDOWN, SDLK_q));
  EXPECT_TRUE(keys.keyDown(SDLK_q));
  EXPECT_FALSE(keys.keyDown(SDLK_w));
  keys.handleKeyEvent(keyEvent(SDL_KEYUP, SDLK_q));
  EXPECT_FALSE(keys.keyDown(SDLK_q));
}

struct ShiftRow {
  std::string name;
  bool right;
  bool left;
};

class ShiftPair : public testing::TestWithParam<ShiftRow> {};

TEST_P(ShiftPair, EitherKeyCounts) {
  const ShiftRow& row = GetParam();
  KeyState keys;
  if (row.right) {
    keys.handleKeyEvent(keyEvent(SDL_KEYDOWN, SDLK_RSHIFT));
  }
  if (row.left) {
    keys.handleKeyEvent(keyEvent(SDL_KEYDOWN, SDLK_LSHIFT));
  }
  EXPECT_EQ(keys.keyDown(SDLK_RSHIFT, SDLK_LSHIFT), row.right || row.left);
  keys.handleKeyEvent(keyEvent(SDL_KEYUP, SDLK_RSHIFT));
  keys.handleKeyEvent(keyEvent(SDL_KEYUP, SDLK_LSHIFT));
  EXPECT_FALSE(keys.keyDown(SDLK_RSHIFT, SDLK_LSHIFT));
}

INSTANTIATE_TEST_SUITE_P(Rows, ShiftPair,
                         testing::Values(ShiftRow{"Neither", false, false},
                                         ShiftRow{"RightOnly", true, false},
                                         ShiftRow{"LeftOnly", false, true},
                                         ShiftRow{"Both", true, true}),
                         [](const auto& info) { return info.param.name; });

TEST(KeyState, MouseButtonIsKeptUnderItsNumber) {
  KeyState keys;
  keys.handleMouseEvent(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT));
  EXPECT_TRUE(keys.keyDown(static_cast<SDLKey>(1)));
  EXPECT_FALSE(keys.keyDown(static_cast<SDLKey>(3)));
  keys.handleMouseEvent(buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT));
  EXPECT_FALSE(keys.keyDown(static_cast<SDLKey>(1)));
}

TEST(KeyState, ButtonsAndKeysDoNotMeet) {
  KeyState keys;
  keys.handleMouseEvent(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT));
  keys.handleKeyEvent(keyEvent(SDL_KEYDOWN, SDLK_BACKSPACE));
  EXPECT_TRUE(keys.keyDown(static_cast<SDLKey>(3)));
  EXPECT_TRUE(keys.keyDown(SDLK_BACKSPACE));
  keys.handleKeyEvent(keyEvent(SDL_KEYUP, SDLK_BACKSPACE));
  EXPECT_TRUE(keys.keyDown(static_cast<SDLKey>(3)));
}

struct ActionRow {
  std::string name;
  SDLKey key;
};

class BoundAction : public Bindings, public testing::WithParamInterface<ActionRow> {};

TEST_P(BoundAction, HeldWhileItsKeyIsDown) {
  const ActionRow& row = GetParam();
  press(row.key);
  for (const char* action : {"up", "left", "down", "right", "jump"}) {
    SCOPED_TRACE(action);
    EXPECT_EQ(binding.check(action), row.name == action);
  }
  release(row.key);
  EXPECT_FALSE(binding.check(row.name));
}

INSTANTIATE_TEST_SUITE_P(Rows, BoundAction,
                         testing::Values(ActionRow{"up", SDLK_w}, ActionRow{"left", SDLK_a},
                                         ActionRow{"down", SDLK_s}, ActionRow{"right", SDLK_d},
                                         ActionRow{"jump", SDLK_SPACE}),
                         [](const auto& info) { return info.param.name; });

TEST_F(Bindings, OtherKeysDoNotHoldAnAction) {
  press(SDLK_e);
  press(SDLK_UP);
  for (const char* action : {"up", "left", "down", "right", "jump"}) {
    EXPECT_FALSE(binding.check(action)) << action;
  }
}

TEST_F(Bindings, UnboundNameIsNeverHeld) {
  press(SDLK_w);
  EXPECT_FALSE(binding.check("fly"));
  binding.unbind("up");
  EXPECT_FALSE(binding.check("up"));
  binding.unbind("never bound");
  press(SDLK_a);
  EXPECT_TRUE(binding.check("left"));
}

TEST_F(Bindings, CheckingDoesNotCreateABinding) {
  // A binding made by asking would hold the zero key code; hold that key.
  EXPECT_FALSE(binding.check("fly"));
  press(static_cast<SDLKey>(0));
  EXPECT_FALSE(binding.check("fly"));
}

TEST_F(Bindings, RebindingReplacesTheKey) {
  binding.bind("up", SDLK_UP);
  press(SDLK_w);
  EXPECT_FALSE(binding.check("up"));
  press(SDLK_UP);
  EXPECT_TRUE(binding.check("up"));
}

TEST_F(Bindings, NamesMayShareAKey) {
  binding.bind("climb", SDLK_w);
  press(SDLK_w);
  EXPECT_TRUE(binding.check("up"));
  EXPECT_TRUE(binding.check("climb"));
}

TEST_F(Bindings, PressAndReleaseInOnePassIsNeverSeen) {
  // Both events of one pass of the frame loop are recorded before the
  // world's update asks.
  const std::vector<SDL_Event> pass = {keyEvent(SDL_KEYDOWN, SDLK_SPACE),
                                       keyEvent(SDL_KEYUP, SDLK_SPACE)};
  for (const SDL_Event& event : pass) {
    keys.handleKeyEvent(event);
  }
  EXPECT_FALSE(binding.check("jump"));
}

} // namespace
