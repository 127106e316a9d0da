#include "character/CharacterRig.h"

namespace {

using enum Thing;
using enum Character::Pose;
using enum Character::Direction;

// What the previous frame found touching the character: nothing, the
// object met now, or some other, jumpable, platform.
enum class Before { NONE, SAME, OTHER };
using enum Before;

struct ContactRow {
  std::string name;
  CharacterState before;
  const char* held;
  Before touched;
  Thing met;
  Box box;
  // The sides of the character that met the object: T top, L left, R
  // right, B bottom.
  std::string sides;
  CharacterState after;
};

class Collide : public CharacterTableTest<ContactRow> {};

TEST_P(Collide, RespondsToTheObjectMetBySide) {
  const ContactRow& row = GetParam();
  // The objects belong to the level; adjacency holds what the previous
  // frame found.
  const std::unique_ptr<GameObject> met = makeThing(row.met, row.box);
  const auto other = touch(row.touched == OTHER ? JUMPABLE : NOTHING, {-500, -500, 10, 10});
  if (row.touched == SAME) {
    character.adjacentObject(met.get());
  }
  set(row.before);
  hold(row.held);
  bool sides[4] = {};
  for (const char side : row.sides) {
    sides[std::string("TLRB").find(side)] = true;
  }
  character.collide(16, met.get(), sides);
  EXPECT_EQ(describe(state()), describe(row.after));
}

// A wall on the character's right has its left edge at 300, one on its
// left its right edge at 100; the floor's top is at 100, the ceiling's
// bottom at 60.
constexpr Box RIGHT_WALL{300, 0, 20, 200};
constexpr Box LEFT_WALL{80, 0, 20, 200};
constexpr Box FLOOR{0, 100, 200, 20};
constexpr Box CEILING{0, 40, 200, 20};
constexpr Box CORNER_FLOOR{300, 100, 100, 100};

// Walls are met before floors and ceilings, so a landing in the same call
// undoes a grab or a wall jump. A wall jump inside the grab needs "jump",
// a wall that allows it, and that wall touched the frame before.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Platforms, Collide, testing::Values(
    ContactRow{"LandingAtNinety", {{50, 95}, {0, 300}, FALLING, RIGHT, 100},
        "", NONE, PLAIN, FLOOR, "B", {{50, 90}, {0, 0}, GROUNDED, RIGHT, 100}},
    ContactRow{"HeadBumpToSeventy", {{50, 65}, {0, -400}, JUMPING, RIGHT, 100},
        "", NONE, PLAIN, CEILING, "T", {{50, 70}, {0, 80}, JUMPING, RIGHT, 100}},
    ContactRow{"RightWallNoKeyKeepsAFifth", {{295, 50}, {150, 120}, FALLING, LEFT, 100},
        "", NONE, JUMPABLE, RIGHT_WALL, "R", {{290, 50}, {30, 120}, FALLING, LEFT, 100}},
    ContactRow{"LeftWallNoKeyBouncesAtAFifth", {{105, 50}, {-150, 120}, GROUNDED, RIGHT, 100},
        "", NONE, JUMPABLE, LEFT_WALL, "L", {{110, 50}, {30, 120}, GROUNDED, RIGHT, 100}},
    ContactRow{"RightWallRightHeldGrabs", {{295, 50}, {150, 120}, FALLING, LEFT, 100},
        "d", NONE, PLAIN, RIGHT_WALL, "R", {{290, 50}, {0, 120}, CLINGING, RIGHT, 100}},
    ContactRow{"LeftWallLeftHeldGrabs", {{105, 50}, {-150, 120}, JUMPING, RIGHT, 100},
        "a", NONE, PLAIN, LEFT_WALL, "L", {{110, 50}, {0, 120}, CLINGING, LEFT, 100}},
    ContactRow{"RightWallJumpOffJumpableTouchedBefore", {{295, 50}, {150, 100}, FALLING, LEFT, 100},
        " ", SAME, JUMPABLE, RIGHT_WALL, "R", {{290, 50}, {-200, -450}, JUMPING, RIGHT, 100}},
    ContactRow{"LeftWallJumpOffJumpableTouchedBefore",
        {{105, 50}, {-150, 100}, FALLING, RIGHT, 100},
        " ", SAME, JUMPABLE, LEFT_WALL, "L", {{110, 50}, {200, -450}, JUMPING, LEFT, 100}},
    ContactRow{"PlainWallTouchedBeforeOnlyGrabs", {{295, 50}, {150, 100}, FALLING, LEFT, 100},
        " ", SAME, PLAIN, RIGHT_WALL, "R", {{290, 50}, {0, 100}, CLINGING, RIGHT, 100}},
    ContactRow{"PlainWallMetWhileJumpableTouchedOnlyGrabs",
        {{295, 50}, {150, 100}, FALLING, LEFT, 100},
        " ", OTHER, PLAIN, RIGHT_WALL, "R", {{290, 50}, {0, 100}, CLINGING, RIGHT, 100}},
    ContactRow{"ClingingIgnoresWallsEvenWithJump", {{295, 50}, {3, 120}, CLINGING, RIGHT, 100},
        "d ", SAME, JUMPABLE, RIGHT_WALL, "R", {{295, 50}, {3, 120}, CLINGING, RIGHT, 100}},
    ContactRow{"ClingingStillLands", {{50, 95}, {0, 200}, CLINGING, LEFT, 100},
        "as", NONE, CLIMBABLE, FLOOR, "B", {{50, 90}, {0, 0}, GROUNDED, LEFT, 100}},
    ContactRow{"CornerWallJumpUndoneByLanding", {{295, 95}, {150, 300}, FALLING, LEFT, 100},
        " ", SAME, JUMPABLE, CORNER_FLOOR, "RB", {{290, 90}, {-200, 0}, GROUNDED, RIGHT, 100}}),
    RowName{});

// A monster costs 30 hit points per contact, even with no side flagged,
// and throws the character back; pose and direction stay. Nothing else
// gets a response.
INSTANTIATE_TEST_SUITE_P(Others, Collide, testing::Values(
    ContactRow{"MonsterFromAboveBouncesUp", {{50, 95}, {20, 300}, FALLING, RIGHT, 100},
        "", NONE, MONSTER, FLOOR, "B", {{50, 90}, {20, -300}, FALLING, RIGHT, 70}},
    ContactRow{"MonsterFromBelowBouncesDown", {{50, 65}, {20, -400}, JUMPING, LEFT, 100},
        "", NONE, MONSTER, CEILING, "T", {{50, 70}, {20, 400}, JUMPING, LEFT, 70}},
    ContactRow{"MonsterOnTheRightThrowsBack", {{295, 50}, {150, 10}, CLINGING, LEFT, 100},
        "d", NONE, MONSTER, RIGHT_WALL, "R", {{290, 50}, {-150, 10}, CLINGING, LEFT, 70}},
    ContactRow{"MonsterOnTheLeftThrowsBack", {{105, 50}, {-150, 10}, FALLING, RIGHT, 100},
        "a", NONE, MONSTER, LEFT_WALL, "L", {{110, 50}, {150, 10}, FALLING, RIGHT, 70}},
    ContactRow{"MonsterWithNoSideOnlyCostsHitPoints", {{50, 95}, {20, 300}, FALLING, RIGHT, 10},
        "", NONE, MONSTER, FLOOR, "", {{50, 95}, {20, 300}, FALLING, RIGHT, -20}},
    ContactRow{"SpawnPointChangesNothing", {{50, 95}, {0, 300}, FALLING, RIGHT, 100},
        "d ", OTHER, SPAWN_POINT, FLOOR, "B", {{50, 95}, {0, 300}, FALLING, RIGHT, 100}},
    ContactRow{"NoObjectChangesNothing", {{295, 50}, {150, 0}, JUMPING, LEFT, 100},
        "d ", OTHER, NOTHING, RIGHT_WALL, "RB", {{295, 50}, {150, 0}, JUMPING, LEFT, 100}}),
    RowName{});
// clang-format on

} // namespace
