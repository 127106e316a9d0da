// How the player moves (gravity, friction, jumps, wall grip, brake and
// slide, wall jumps) and answers what it runs into: the feel of the game,
// each row a rule a player would notice broken.

#include "actors/Character.h"
#include "input/KeyBinding.h"
#include "input/KeyState.h"
#include "objects/Monster.h"
#include "objects/Platform.h"
#include "support/Events.h"
#include "support/Table.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

namespace {

using enum Character::Pose;
using enum Character::Direction;

// The platform kinds first, in the order of Platform::PlatformType.
enum class Thing { CLIMBABLE, JUMPABLE, PLAIN, MONSTER, SPAWN_POINT, GOAL_AREA };
using enum Thing;

struct Box {
  double x, y, w, h;
};

std::unique_ptr<GameObject> make(Thing thing, Box b) {
  if (thing == MONSTER) {
    return std::make_unique<Monster>(b.x, b.y, b.w, b.h);
  }
  if (thing == SPAWN_POINT || thing == GOAL_AREA) {
    return std::make_unique<GameObject>(
        b.x, b.y, b.w, b.h, thing == GOAL_AREA ? GameObject::GOAL_AREA : GameObject::SPAWN_POINT);
  }
  return std::make_unique<Platform>(b.x, b.y, b.w, b.h, static_cast<Platform::PlatformType>(thing));
}

// Keys held through SDL key events fed to a real KeyState: a left, d right, space jump.
template <class Row> class CharacterTest : public testing::TestWithParam<Row> {
protected:
  CharacterTest() {
    binding.bind("left", SDLK_a);
    binding.bind("right", SDLK_d);
    binding.bind("jump", SDLK_SPACE);
  }
  void start(Character::Pose p, Character::Direction d, Point2D v, const std::string& held) {
    character.setPose(p);
    character.setDirection(d);
    character.velocity = v;
    for (const char c : held) {
      keys.handleKeyEvent(keyEvent(SDL_KEYDOWN, static_cast<SDLKey>(c)));
    }
  }

  KeyState keys;
  KeyBinding binding{&keys};
  Character character{&binding};
};

enum Action { UPDATE_16MS, JUMP };

struct MoveRow {
  std::string name;
  Character::Pose pose;
  Character::Direction side; // of the wall held while clinging
  Point2D velocity;
  std::string held;
  Thing beside; // found touching the frame before
  Action action;
  Character::Pose expectedPose;
  Point2D expectedVelocity;
};

using Move = CharacterTest<MoveRow>;

TEST_P(Move, ChangesPoseAndVelocity) {
  const MoveRow& row = GetParam();
  const std::unique_ptr<GameObject> wall = make(row.beside, {0, 0, 10, 100});
  character.adjacentObject(wall.get());
  start(row.pose, row.side, row.velocity, row.held);
  row.action == JUMP ? character.jump() : character.updateVel(16);
  EXPECT_EQ(std::tuple(character.getPose(), character.velocity.x, character.velocity.y),
            std::tuple(row.expectedPose, row.expectedVelocity.x, row.expectedVelocity.y));
}

// Friction and the wall brake stop a speed below 1 px/s dead, else their
// step may overshoot zero. Without the key toward the wall the character
// lets go, braking all the same. A wall jump keeps half the vertical speed,
// adds -500 and pushes 200 away from the wall, mirrored for a left wall.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rules, Move, testing::Values(
  MoveRow{"FallingGainsGravityOnly", FALLING, RIGHT, {150, 0}, "", PLAIN, UPDATE_16MS, FALLING, {150, 16}},
  MoveRow{"JumpingGainsGravity", JUMPING, RIGHT, {0, -700}, "", PLAIN, UPDATE_16MS, JUMPING, {0, -684}},
  MoveRow{"FrictionSlowsRightward", GROUNDED, RIGHT, {100, 50}, "", PLAIN, UPDATE_16MS, GROUNDED, {84, 50}},
  MoveRow{"FrictionSlowsLeftward", GROUNDED, RIGHT, {-100, 0}, "", PLAIN, UPDATE_16MS, GROUNDED, {-84, 0}},
  MoveRow{"FrictionStopsBelowOne", GROUNDED, RIGHT, {-0.9, 0}, "", PLAIN, UPDATE_16MS, GROUNDED, {0, 0}},
  MoveRow{"FrictionOvershootsFromOne", GROUNDED, RIGHT, {1, 0}, "", PLAIN, UPDATE_16MS, GROUNDED, {-15, 0}},
  MoveRow{"FrictionSlowsAHugeSpeed", GROUNDED, RIGHT, {1e12, 0}, "", PLAIN, UPDATE_16MS, GROUNDED, {1e12 - 16, 0}},
  MoveRow{"ClimbableWallBrakes", CLINGING, RIGHT, {7, 200}, "d", CLIMBABLE, UPDATE_16MS, CLINGING, {7, 168}},
  MoveRow{"JumpableWallIsSlidDown", CLINGING, RIGHT, {0, 200}, "d", JUMPABLE, UPDATE_16MS, CLINGING, {0, 216}},
  MoveRow{"RightWallLeftWithLeftHeld", CLINGING, RIGHT, {0, 100}, "a", CLIMBABLE, UPDATE_16MS, FALLING, {0, 68}},
  MoveRow{"RightWallLeftWithJumpHeld", CLINGING, RIGHT, {0, 100}, " ", CLIMBABLE, UPDATE_16MS, FALLING, {0, 68}},
  MoveRow{"LeftWallHeldWithLeft", CLINGING, LEFT, {0, 100}, "a", CLIMBABLE, UPDATE_16MS, CLINGING, {0, 68}},
  MoveRow{"LeftWallLeftWithRightHeld", CLINGING, LEFT, {0, 100}, "d", CLIMBABLE, UPDATE_16MS, FALLING, {0, 68}},
  MoveRow{"GroundJumpWhateverTheSpeed", GROUNDED, LEFT, {35, 300}, "", PLAIN, JUMP, JUMPING, {35, -700}},
  MoveRow{"NoJumpWhileFalling", FALLING, RIGHT, {35, 300}, "", JUMPABLE, JUMP, FALLING, {35, 300}},
  MoveRow{"WallJumpOffRightJumpable", CLINGING, RIGHT, {0, 100}, "", JUMPABLE, JUMP, JUMPING, {-200, -450}},
  MoveRow{"WallJumpOffLeftJumpable", CLINGING, LEFT, {0, 100}, "", JUMPABLE, JUMP, JUMPING, {200, -450}},
  MoveRow{"LeftWallJumpMirrorsAllSpeed", CLINGING, LEFT, {50, 0}, "", JUMPABLE, JUMP, JUMPING, {150, -500}},
  MoveRow{"WallJumpOffClimbable", CLINGING, RIGHT, {0, 100}, "", CLIMBABLE, JUMP, JUMPING, {-200, -450}},
  MoveRow{"NoWallJumpOffPlain", CLINGING, RIGHT, {0, 100}, "", PLAIN, JUMP, CLINGING, {0, 100}},
  MoveRow{"NoWallJumpOffAMonster", CLINGING, RIGHT, {0, 100}, "", MONSTER, JUMP, CLINGING, {0, 100}}),
  RowName{});
// clang-format on

// Where the character is when it meets the object, and the sides of the
// character that met it: T top, L left, R right, B bottom.
struct Meeting {
  Point2D position;
  Box box;
  std::string sides;
};
const Meeting FLOOR{{50, 95}, {0, 100, 200, 20}, "B"};
const Meeting CEILING{{50, 65}, {0, 40, 200, 20}, "T"};
const Meeting RIGHT_WALL{{295, 50}, {300, 0, 20, 200}, "R"};
const Meeting LEFT_WALL{{105, 50}, {80, 0, 20, 200}, "L"};
const Meeting CORNER{{295, 95}, {300, 100, 100, 100}, "RB"};
const Meeting NO_SIDE{{50, 95}, {0, 100, 200, 20}, ""};

// Whether the object met was found touching the frame before (SAME), or
// only some other, jumpable, platform was (OTHER).
enum Before { NONE, SAME, OTHER };

// Position, velocity, pose, direction and hit points.
using Outcome =
    std::tuple<double, double, double, double, Character::Pose, Character::Direction, int>;

struct ContactRow {
  std::string name;
  Meeting meeting;
  Character::Pose pose;
  Character::Direction direction;
  Point2D velocity;
  std::string held;
  Before touched;
  Thing met;
  Outcome after;
};

using Contact = CharacterTest<ContactRow>;

TEST_P(Contact, RespondsToWhatWasMetBySide) {
  const ContactRow& row = GetParam();
  const std::unique_ptr<GameObject> met = make(row.met, row.meeting.box);
  const std::unique_ptr<GameObject> other = make(JUMPABLE, {-500, -500, 10, 10});
  if (row.touched != NONE) {
    character.adjacentObject(row.touched == SAME ? met.get() : other.get());
  }
  character.position = row.meeting.position;
  start(row.pose, row.direction, row.velocity, row.held);
  bool sides[4] = {};
  for (const char side : row.meeting.sides) {
    sides[std::string("TLRB").find(side)] = true;
  }
  character.collide(16, met.get(), sides);
  EXPECT_EQ(Outcome(character.position.x, character.position.y, character.velocity.x,
                    character.velocity.y, character.getPose(), character.getDirection(),
                    character.getCurrentHp()),
            row.after);
}

// Walls come before floors, so a landing undoes a grab or wall jump. A
// wall jump inside the grab needs "jump" and a jumpable wall touched the
// frame before. The character keeps pressing into a right wall at a fifth
// of its speed and bounces off a left one at a fifth. A monster costs 30
// hit points per contact and throws the character back.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rules, Contact, testing::Values(
  ContactRow{"Landing", FLOOR, FALLING, RIGHT, {0, 300}, "", NONE, PLAIN, {50, 90, 0, 0, GROUNDED, RIGHT, 100}},
  ContactRow{"CeilingRebound", CEILING, JUMPING, RIGHT, {0, -400}, "", NONE, PLAIN, {50, 70, 0, 80, JUMPING, RIGHT, 100}},
  ContactRow{"RightWallKeepsAFifth", RIGHT_WALL, FALLING, LEFT, {150, 120}, "", NONE, JUMPABLE, {290, 50, 30, 120, FALLING, LEFT, 100}},
  ContactRow{"LeftWallBouncesAFifth", LEFT_WALL, GROUNDED, RIGHT, {-150, 120}, "", NONE, JUMPABLE, {110, 50, 30, 120, GROUNDED, RIGHT, 100}},
  ContactRow{"RightHeldGrabsRightWall", RIGHT_WALL, FALLING, LEFT, {150, 120}, "d", NONE, PLAIN, {290, 50, 0, 120, CLINGING, RIGHT, 100}},
  ContactRow{"LeftHeldGrabsLeftWall", LEFT_WALL, JUMPING, RIGHT, {-150, 120}, "a", NONE, PLAIN, {110, 50, 0, 120, CLINGING, LEFT, 100}},
  ContactRow{"WallJumpOffJumpableTouchedBefore", RIGHT_WALL, FALLING, LEFT, {150, 100}, " ", SAME, JUMPABLE, {290, 50, -200, -450, JUMPING, RIGHT, 100}},
  ContactRow{"JumpableReachedFromAfarOnlyGrabbed", RIGHT_WALL, FALLING, LEFT, {150, 100}, " ", NONE, JUMPABLE, {290, 50, 0, 100, CLINGING, RIGHT, 100}},
  ContactRow{"PlainMetBesideJumpableOnlyGrabbed", RIGHT_WALL, FALLING, LEFT, {150, 100}, " ", OTHER, PLAIN, {290, 50, 0, 100, CLINGING, RIGHT, 100}},
  ContactRow{"ClingingIgnoresWalls", RIGHT_WALL, CLINGING, RIGHT, {3, 120}, "d ", SAME, JUMPABLE, {295, 50, 3, 120, CLINGING, RIGHT, 100}},
  ContactRow{"ClingingStillLands", FLOOR, CLINGING, LEFT, {0, 200}, "a", NONE, CLIMBABLE, {50, 90, 0, 0, GROUNDED, LEFT, 100}},
  ContactRow{"LandingUndoesAWallJump", CORNER, FALLING, LEFT, {150, 300}, " ", SAME, JUMPABLE, {290, 90, -200, 0, GROUNDED, RIGHT, 100}},
  ContactRow{"MonsterBelowBouncesUp", FLOOR, FALLING, RIGHT, {20, 300}, "", NONE, MONSTER, {50, 90, 20, -300, FALLING, RIGHT, 70}},
  ContactRow{"MonsterAboveBouncesDown", CEILING, JUMPING, LEFT, {20, -400}, "", NONE, MONSTER, {50, 70, 20, 400, JUMPING, LEFT, 70}},
  ContactRow{"MonsterOnTheRightThrowsBack", RIGHT_WALL, CLINGING, LEFT, {150, 10}, "d", NONE, MONSTER, {290, 50, -150, 10, CLINGING, LEFT, 70}},
  ContactRow{"MonsterOnTheLeftThrowsBack", LEFT_WALL, FALLING, RIGHT, {-150, 10}, "a", NONE, MONSTER, {110, 50, 150, 10, FALLING, RIGHT, 70}},
  ContactRow{"MonsterWithNoSideStillHurts", NO_SIDE, FALLING, RIGHT, {20, 300}, "", NONE, MONSTER, {50, 95, 20, 300, FALLING, RIGHT, 70}},
  ContactRow{"SpawnPointIgnored", FLOOR, FALLING, RIGHT, {0, 300}, "d ", OTHER, SPAWN_POINT, {50, 95, 0, 300, FALLING, RIGHT, 100}},
  ContactRow{"GoalAreaIgnored", CORNER, JUMPING, LEFT, {150, 0}, "d ", OTHER, GOAL_AREA, {295, 95, 150, 0, JUMPING, LEFT, 100}}),
  RowName{});
// clang-format on

} // namespace
