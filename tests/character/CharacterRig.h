#pragma once

#include "actors/Character.h"
#include "input/KeyBinding.h"
#include "input/KeyState.h"
#include "objects/GameObject.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string_view>

// Level objects as the tables name them.
enum class Thing { NOTHING, CLIMBABLE, JUMPABLE, PLAIN, MONSTER, SPAWN_POINT, GOAL_AREA };

struct Box {
  double x, y, width, height;
};

// A new object of the kind; null for NOTHING.
std::unique_ptr<GameObject> makeThing(Thing thing, Box box);

// A character bound to keys the way the world binds them, with keys pressed
// through SDL key events fed to a real KeyState.
struct CharacterRig {
  CharacterRig();
  CharacterRig(const CharacterRig&) = delete;
  CharacterRig& operator=(const CharacterRig&) = delete;

  // Presses each key named by its character: w a s d and ' ' for space.
  void hold(std::string_view keyChars);
  // A new object of the kind (null for NOTHING), put in the adjacency list
  // as the one found touching at the end of the previous frame.
  std::unique_ptr<GameObject> touch(Thing thing, Box box);

  KeyState keys;
  KeyBinding binding{&keys};
  Character character{&binding};
};

// Everything of a character that a rule can change.
struct CharacterState {
  Point2D position;
  Point2D velocity;
  Character::Pose pose;
  Character::Direction direction;
  int hp;
};

void setState(Character& c, const CharacterState& s);
void expectState(const CharacterState& expected, const Character& actual);

class CharacterTest : public testing::Test, protected CharacterRig {};

template <class Row>
class CharacterTableTest : public testing::TestWithParam<Row>, protected CharacterRig {};
