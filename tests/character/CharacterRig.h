#pragma once

#include "actors/Character.h"
#include "input/KeyBinding.h"
#include "input/KeyState.h"
#include "objects/Monster.h"
#include "objects/Platform.h"
#include "support/Events.h"
#include "support/Table.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <string_view>

// Level objects as the tables name them.
enum class Thing { NOTHING, CLIMBABLE, JUMPABLE, PLAIN, MONSTER, SPAWN_POINT };

struct Box {
  double x, y, width, height;
};

// A new object of the kind; null for NOTHING.
inline std::unique_ptr<GameObject> makeThing(Thing thing, Box b) {
  switch (thing) {
  case Thing::NOTHING:
    return nullptr;
  case Thing::MONSTER:
    return std::make_unique<Monster>(b.x, b.y, b.width, b.height);
  case Thing::SPAWN_POINT:
    return std::make_unique<GameObject>(b.x, b.y, b.width, b.height, GameObject::SPAWN_POINT);
  default:
    return std::make_unique<Platform>(
        b.x, b.y, b.width, b.height,
        static_cast<Platform::PlatformType>(static_cast<int>(thing) - 1));
  }
}

// Everything of a character that a rule can change.
struct CharacterState {
  Point2D position;
  Point2D velocity;
  Character::Pose pose;
  Character::Direction direction;
  int hp;
};

// One line per state, so that a failure shows every field at once.
inline std::string describe(const CharacterState& s) {
  const char* const poses[] = {"grounded", "jumping", "falling", "clinging"};
  std::ostringstream out;
  out << "at " << s.position.x << ", " << s.position.y << " moving " << s.velocity.x << ", "
      << s.velocity.y << " " << poses[s.pose]
      << (s.direction == Character::LEFT ? " left" : " right") << " hp " << s.hp;
  return out.str();
}

// A character bound to keys the way the world binds them, with keys pressed
// through SDL key events fed to a real KeyState.
struct CharacterRig {
  CharacterRig() {
    binding.bind("up", SDLK_w);
    binding.bind("left", SDLK_a);
    binding.bind("down", SDLK_s);
    binding.bind("right", SDLK_d);
    binding.bind("jump", SDLK_SPACE);
  }
  CharacterRig(const CharacterRig&) = delete;
  CharacterRig& operator=(const CharacterRig&) = delete;

  // Presses each key named by its character: w a s d and ' ' for space,
  // whose SDL 1.2 key codes are their ASCII codes.
  void hold(std::string_view keyChars) {
    for (const char c : keyChars) {
      keys.handleKeyEvent(keyEvent(SDL_KEYDOWN, static_cast<SDLKey>(c)));
    }
  }
  // A new object of the kind (null for NOTHING), put in the adjacency list
  // as the one found touching at the end of the previous frame.
  std::unique_ptr<GameObject> touch(Thing thing, Box box = {0, 0, 10, 100}) {
    std::unique_ptr<GameObject> object = makeThing(thing, box);
    if (object) {
      character.adjacentObject(object.get());
    }
    return object;
  }
  void set(const CharacterState& s) {
    character.position = s.position;
    character.velocity = s.velocity;
    character.setPose(s.pose);
    character.setDirection(s.direction);
    character.setCurrentHp(s.hp);
  }
  CharacterState state() const {
    return {character.position, character.velocity, character.getPose(), character.getDirection(),
            character.getCurrentHp()};
  }

  KeyState keys;
  KeyBinding binding{&keys};
  Character character{&binding};
};

class CharacterTest : public testing::Test, protected CharacterRig {};

template <class Row>
class CharacterTableTest : public testing::TestWithParam<Row>, protected CharacterRig {};
