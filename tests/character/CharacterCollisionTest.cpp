#include "character/CharacterRig.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using ::PrintTo;

using C = Character;

// What the previous frame found touching the character.
enum class TouchedBefore { NOTHING, THE_OBJECT_MET, A_JUMPABLE_PLATFORM };

// Contact flags written as letters: T top, L left, R right, B bottom.
struct Sides {
  bool flags[4] = {false, false, false, false};
  explicit Sides(const char* letters) {
    for (const char* c = letters; *c != '\0'; ++c) {
      switch (*c) {
      case 'T':
        flags[C::TOP] = true;
        break;
      case 'L':
        flags[C::LEFT_SIDE] = true;
        break;
      case 'R':
        flags[C::RIGHT_SIDE] = true;
        break;
      case 'B':
        flags[C::BOTTOM] = true;
        break;
      default:
        ADD_FAILURE() << "unknown side " << *c;
      }
    }
  }
};

struct ContactRow {
  const char* name;
  CharacterState before;
  const char* held;
  TouchedBefore touched;
  Thing met;
  Box box;
  const char* sides;
  CharacterState after;
};

// Wrapped up as the frame would have it: the objects belong to the level,
// the adjacency holds what the previous frame found.
struct Contact {
  std::unique_ptr<GameObject> met;
  std::unique_ptr<GameObject> other;
};

Contact prepare(CharacterRig& rig, const ContactRow& row) {
  Contact contact{makeThing(row.met, row.box), nullptr};
  switch (row.touched) {
  case TouchedBefore::NOTHING:
    break;
  case TouchedBefore::THE_OBJECT_MET:
    rig.character.adjacentObject(contact.met.get());
    break;
  case TouchedBefore::A_JUMPABLE_PLATFORM:
    contact.other = rig.touch(Thing::JUMPABLE_PLATFORM, Box{-500, -500, 10, 10});
    break;
  }
  setState(rig.character, row.before);
  rig.hold(row.held);
  return contact;
}

class CollideTest : public CharacterTableTest<ContactRow> {};

TEST_P(CollideTest, RespondsToTheObjectMetBySide) {
  const ContactRow& row = GetParam();
  const Contact contact = prepare(*this, row);
  const Sides sides(row.sides);

  character.collide(16, contact.met.get(), sides.flags);

  expectState(row.after, character);
}

TEST_P(CollideTest, ElapsedTimeDoesNotMatter) {
  const ContactRow& row = GetParam();
  const Contact contact = prepare(*this, row);
  const Sides sides(row.sides);

  character.collide(0, contact.met.get(), sides.flags);
  const CharacterState atZero = stateOf(character);
  setState(character, row.before);
  character.collide(1000, contact.met.get(), sides.flags);

  expectState(atZero, character);
}

// Walls: a platform whose left edge is at 300 (met on the character's right)
// or whose right edge is at 100 (met on its left). The landing platform's top
// is at 100, the ceiling's bottom at 60.
constexpr Box RIGHT_WALL{300, 0, 20, 200};
constexpr Box LEFT_WALL{80, 0, 20, 200};
constexpr Box FLOOR{0, 100, 200, 20};
constexpr Box CEILING{0, 40, 200, 20};
constexpr Box FLOOR_RIGHT_OF_CORNER{300, 100, 100, 100};
constexpr Box CEILING_LEFT_OF_CORNER{0, 0, 100, 60};

INSTANTIATE_TEST_SUITE_P(
    Platforms, CollideTest,
    ::testing::Values(ContactRow{"LandingAtNinety",
                                 {{50, 95}, {0, 300}, C::FALLING, C::RIGHT, 100},
                                 "",
                                 TouchedBefore::NOTHING,
                                 Thing::PLAIN_PLATFORM,
                                 FLOOR,
                                 "B",
                                 {{50, 90}, {0, 0}, C::GROUNDED, C::RIGHT, 100}},
                      ContactRow{"LandingKeepsHorizontalSpeed",
                                 {{50, 95}, {120, 300}, C::JUMPING, C::LEFT, 100},
                                 "d",
                                 TouchedBefore::NOTHING,
                                 Thing::CLIMBABLE_PLATFORM,
                                 FLOOR,
                                 "B",
                                 {{50, 90}, {120, 0}, C::GROUNDED, C::LEFT, 100}},
                      ContactRow{"HeadBumpToSeventy",
                                 {{50, 65}, {0, -400}, C::JUMPING, C::RIGHT, 100},
                                 "",
                                 TouchedBefore::NOTHING,
                                 Thing::PLAIN_PLATFORM,
                                 CEILING,
                                 "T",
                                 {{50, 70}, {0, 80}, C::JUMPING, C::RIGHT, 100}},
                      ContactRow{"RightWallNoKeyKeepsAFifth",
                                 {{295, 50}, {150, 120}, C::FALLING, C::LEFT, 100},
                                 "",
                                 TouchedBefore::NOTHING,
                                 Thing::JUMPABLE_PLATFORM,
                                 RIGHT_WALL,
                                 "R",
                                 {{290, 50}, {30, 120}, C::FALLING, C::LEFT, 100}},
                      ContactRow{"LeftWallNoKeyBouncesAtAFifth",
                                 {{105, 50}, {-150, 120}, C::GROUNDED, C::RIGHT, 100},
                                 "",
                                 TouchedBefore::NOTHING,
                                 Thing::JUMPABLE_PLATFORM,
                                 LEFT_WALL,
                                 "L",
                                 {{110, 50}, {30, 120}, C::GROUNDED, C::RIGHT, 100}},
                      ContactRow{"RightWallOtherKeyDoesNotGrab",
                                 {{295, 50}, {150, 120}, C::FALLING, C::LEFT, 100},
                                 "aws",
                                 TouchedBefore::NOTHING,
                                 Thing::CLIMBABLE_PLATFORM,
                                 RIGHT_WALL,
                                 "R",
                                 {{290, 50}, {30, 120}, C::FALLING, C::LEFT, 100}},
                      ContactRow{"RightWallRightHeldGrabs",
                                 {{295, 50}, {150, 120}, C::FALLING, C::LEFT, 100},
                                 "d",
                                 TouchedBefore::NOTHING,
                                 Thing::PLAIN_PLATFORM,
                                 RIGHT_WALL,
                                 "R",
                                 {{290, 50}, {0, 120}, C::CLINGING, C::RIGHT, 100}},
                      ContactRow{"LeftWallLeftHeldGrabs",
                                 {{105, 50}, {-150, 120}, C::JUMPING, C::RIGHT, 100},
                                 "a",
                                 TouchedBefore::NOTHING,
                                 Thing::PLAIN_PLATFORM,
                                 LEFT_WALL,
                                 "L",
                                 {{110, 50}, {0, 120}, C::CLINGING, C::LEFT, 100}},
                      ContactRow{"GroundedRunningIntoWallGrabs",
                                 {{295, 50}, {150, 0}, C::GROUNDED, C::LEFT, 100},
                                 "d",
                                 TouchedBefore::NOTHING,
                                 Thing::CLIMBABLE_PLATFORM,
                                 RIGHT_WALL,
                                 "R",
                                 {{290, 50}, {0, 0}, C::CLINGING, C::RIGHT, 100}},
                      ContactRow{"RightWallOnlyJumpHeldGrabs",
                                 {{295, 50}, {150, 120}, C::FALLING, C::LEFT, 100},
                                 " ",
                                 TouchedBefore::NOTHING,
                                 Thing::PLAIN_PLATFORM,
                                 RIGHT_WALL,
                                 "R",
                                 {{290, 50}, {0, 120}, C::CLINGING, C::RIGHT, 100}},
                      ContactRow{"RightWallJumpOffJumpableTouchedBefore",
                                 {{295, 50}, {150, 100}, C::FALLING, C::LEFT, 100},
                                 " ",
                                 TouchedBefore::THE_OBJECT_MET,
                                 Thing::JUMPABLE_PLATFORM,
                                 RIGHT_WALL,
                                 "R",
                                 {{290, 50}, {-200, -450}, C::JUMPING, C::RIGHT, 100}},
                      ContactRow{"LeftWallJumpOffJumpableTouchedBefore",
                                 {{105, 50}, {-150, 100}, C::FALLING, C::RIGHT, 100},
                                 " ",
                                 TouchedBefore::THE_OBJECT_MET,
                                 Thing::JUMPABLE_PLATFORM,
                                 LEFT_WALL,
                                 "L",
                                 {{110, 50}, {200, -450}, C::JUMPING, C::LEFT, 100}},
                      ContactRow{"RightWallJumpOffClimbableWithRightHeld",
                                 {{295, 50}, {150, -300}, C::JUMPING, C::RIGHT, 100},
                                 "d ",
                                 TouchedBefore::THE_OBJECT_MET,
                                 Thing::CLIMBABLE_PLATFORM,
                                 RIGHT_WALL,
                                 "R",
                                 {{290, 50}, {-200, -650}, C::JUMPING, C::RIGHT, 100}},
                      ContactRow{"PlainWallTouchedBeforeGrabsWithoutJump",
                                 {{295, 50}, {150, 100}, C::FALLING, C::LEFT, 100},
                                 " ",
                                 TouchedBefore::THE_OBJECT_MET,
                                 Thing::PLAIN_PLATFORM,
                                 RIGHT_WALL,
                                 "R",
                                 {{290, 50}, {0, 100}, C::CLINGING, C::RIGHT, 100}},
                      ContactRow{"JumpableWallReachedFromAfarOnlyGrabs",
                                 {{295, 50}, {150, 100}, C::FALLING, C::LEFT, 100},
                                 " ",
                                 TouchedBefore::NOTHING,
                                 Thing::JUMPABLE_PLATFORM,
                                 RIGHT_WALL,
                                 "R",
                                 {{290, 50}, {0, 100}, C::CLINGING, C::RIGHT, 100}},
                      ContactRow{"PlainWallMetWhileJumpableTouchedGrabsWithoutJump",
                                 {{295, 50}, {150, 100}, C::FALLING, C::LEFT, 100},
                                 " ",
                                 TouchedBefore::A_JUMPABLE_PLATFORM,
                                 Thing::PLAIN_PLATFORM,
                                 RIGHT_WALL,
                                 "R",
                                 {{290, 50}, {0, 100}, C::CLINGING, C::RIGHT, 100}},
                      ContactRow{"ClingingIgnoresLeftContact",
                                 {{105, 50}, {0, 120}, C::CLINGING, C::LEFT, 100},
                                 "a",
                                 TouchedBefore::NOTHING,
                                 Thing::PLAIN_PLATFORM,
                                 LEFT_WALL,
                                 "L",
                                 {{105, 50}, {0, 120}, C::CLINGING, C::LEFT, 100}},
                      ContactRow{"ClingingIgnoresRightContactEvenWithJump",
                                 {{295, 50}, {3, 120}, C::CLINGING, C::RIGHT, 100},
                                 "d ",
                                 TouchedBefore::THE_OBJECT_MET,
                                 Thing::JUMPABLE_PLATFORM,
                                 RIGHT_WALL,
                                 "R",
                                 {{295, 50}, {3, 120}, C::CLINGING, C::RIGHT, 100}},
                      ContactRow{"ClingingStillLands",
                                 {{50, 95}, {0, 200}, C::CLINGING, C::LEFT, 100},
                                 "as",
                                 TouchedBefore::NOTHING,
                                 Thing::CLIMBABLE_PLATFORM,
                                 FLOOR,
                                 "B",
                                 {{50, 90}, {0, 0}, C::GROUNDED, C::LEFT, 100}},
                      ContactRow{"ClingingStillBumpsItsHead",
                                 {{50, 65}, {0, -200}, C::CLINGING, C::RIGHT, 100},
                                 "dw",
                                 TouchedBefore::NOTHING,
                                 Thing::CLIMBABLE_PLATFORM,
                                 CEILING,
                                 "T",
                                 {{50, 70}, {0, 40}, C::CLINGING, C::RIGHT, 100}},
                      ContactRow{"CornerWallJumpUndoneByLanding",
                                 {{295, 95}, {150, 300}, C::FALLING, C::LEFT, 100},
                                 " ",
                                 TouchedBefore::THE_OBJECT_MET,
                                 Thing::JUMPABLE_PLATFORM,
                                 FLOOR_RIGHT_OF_CORNER,
                                 "RB",
                                 {{290, 90}, {-200, 0}, C::GROUNDED, C::RIGHT, 100}},
                      ContactRow{"CornerGrabUndoneByLanding",
                                 {{295, 95}, {150, 300}, C::FALLING, C::LEFT, 100},
                                 "d",
                                 TouchedBefore::NOTHING,
                                 Thing::CLIMBABLE_PLATFORM,
                                 FLOOR_RIGHT_OF_CORNER,
                                 "RB",
                                 {{290, 90}, {0, 0}, C::GROUNDED, C::RIGHT, 100}},
                      ContactRow{"CornerLeftWallAndCeiling",
                                 {{105, 65}, {-150, -400}, C::JUMPING, C::RIGHT, 100},
                                 "",
                                 TouchedBefore::NOTHING,
                                 Thing::PLAIN_PLATFORM,
                                 CEILING_LEFT_OF_CORNER,
                                 "LT",
                                 {{110, 70}, {30, 80}, C::JUMPING, C::RIGHT, 100}},
                      ContactRow{"PlatformWithNoSideChangesNothing",
                                 {{50, 95}, {0, 300}, C::FALLING, C::RIGHT, 100},
                                 "d ",
                                 TouchedBefore::THE_OBJECT_MET,
                                 Thing::JUMPABLE_PLATFORM,
                                 FLOOR,
                                 "",
                                 {{50, 95}, {0, 300}, C::FALLING, C::RIGHT, 100}}),
    RowName{});

INSTANTIATE_TEST_SUITE_P(
    Monsters, CollideTest,
    ::testing::Values(ContactRow{"FromAboveBouncesUp",
                                 {{50, 95}, {20, 300}, C::FALLING, C::RIGHT, 100},
                                 "",
                                 TouchedBefore::NOTHING,
                                 Thing::MONSTER,
                                 FLOOR,
                                 "B",
                                 {{50, 90}, {20, -300}, C::FALLING, C::RIGHT, 70}},
                      ContactRow{"FromBelowBouncesDown",
                                 {{50, 65}, {20, -400}, C::JUMPING, C::LEFT, 100},
                                 "",
                                 TouchedBefore::NOTHING,
                                 Thing::MONSTER,
                                 CEILING,
                                 "T",
                                 {{50, 70}, {20, 400}, C::JUMPING, C::LEFT, 100 - 30}},
                      ContactRow{"OnTheRightThrowsBack",
                                 {{295, 50}, {150, 10}, C::GROUNDED, C::LEFT, 100},
                                 "d",
                                 TouchedBefore::NOTHING,
                                 Thing::MONSTER,
                                 RIGHT_WALL,
                                 "R",
                                 {{290, 50}, {-150, 10}, C::GROUNDED, C::LEFT, 70}},
                      ContactRow{"OnTheLeftThrowsBack",
                                 {{105, 50}, {-150, 10}, C::FALLING, C::RIGHT, 100},
                                 "a",
                                 TouchedBefore::NOTHING,
                                 Thing::MONSTER,
                                 LEFT_WALL,
                                 "L",
                                 {{110, 50}, {150, 10}, C::FALLING, C::RIGHT, 70}},
                      ContactRow{"AtTheCornerThrowsBackOnBothAxes",
                                 {{295, 95}, {150, 300}, C::FALLING, C::RIGHT, 100},
                                 "",
                                 TouchedBefore::NOTHING,
                                 Thing::MONSTER,
                                 FLOOR_RIGHT_OF_CORNER,
                                 "RB",
                                 {{290, 90}, {-150, -300}, C::FALLING, C::RIGHT, 70}},
                      ContactRow{"WhileClingingKeepsPoseAndDirection",
                                 {{105, 50}, {0, 120}, C::CLINGING, C::LEFT, 100},
                                 "a",
                                 TouchedBefore::NOTHING,
                                 Thing::MONSTER,
                                 LEFT_WALL,
                                 "L",
                                 {{110, 50}, {0, 120}, C::CLINGING, C::LEFT, 70}},
                      ContactRow{"WithNoSideOnlyCostsHitPoints",
                                 {{50, 95}, {20, 300}, C::FALLING, C::RIGHT, 100},
                                 "",
                                 TouchedBefore::NOTHING,
                                 Thing::MONSTER,
                                 FLOOR,
                                 "",
                                 {{50, 95}, {20, 300}, C::FALLING, C::RIGHT, 70}},
                      ContactRow{"HitPointsGoBelowZero",
                                 {{50, 95}, {0, 0}, C::GROUNDED, C::RIGHT, 10},
                                 "",
                                 TouchedBefore::NOTHING,
                                 Thing::MONSTER,
                                 FLOOR,
                                 "",
                                 {{50, 95}, {0, 0}, C::GROUNDED, C::RIGHT, -20}}),
    RowName{});

INSTANTIATE_TEST_SUITE_P(
    OtherObjects, CollideTest,
    ::testing::Values(ContactRow{"SpawnPointChangesNothing",
                                 {{50, 95}, {0, 300}, C::FALLING, C::RIGHT, 100},
                                 "d ",
                                 TouchedBefore::A_JUMPABLE_PLATFORM,
                                 Thing::SPAWN_POINT,
                                 FLOOR,
                                 "B",
                                 {{50, 95}, {0, 300}, C::FALLING, C::RIGHT, 100}},
                      ContactRow{"GoalAreaChangesNothing",
                                 {{295, 50}, {150, 0}, C::JUMPING, C::LEFT, 100},
                                 "d ",
                                 TouchedBefore::A_JUMPABLE_PLATFORM,
                                 Thing::GOAL_AREA,
                                 RIGHT_WALL,
                                 "R",
                                 {{295, 50}, {150, 0}, C::JUMPING, C::LEFT, 100}},
                      ContactRow{"NoObjectChangesNothing",
                                 {{295, 50}, {150, 0}, C::JUMPING, C::LEFT, 100},
                                 "d ",
                                 TouchedBefore::A_JUMPABLE_PLATFORM,
                                 Thing::NOTHING,
                                 RIGHT_WALL,
                                 "RB",
                                 {{295, 50}, {150, 0}, C::JUMPING, C::LEFT, 100}}),
    RowName{});

// ---- The rest of the frame after a wall grab --------------------------------

struct GrabThenUpdateRow {
  const char* name;
  const char* held;
  TouchedBefore touched;
  Thing wall;
  C::Pose afterCollide;
  C::Pose afterUpdateVel;
};

class GrabThenUpdateTest : public CharacterTableTest<GrabThenUpdateRow> {};

// Meeting a wall on the right at (150, 100) px/s, then the same frame's
// updateVel(16).
TEST_P(GrabThenUpdateTest, OnlyTheKeyTowardTheWallKeepsTheGrip) {
  const GrabThenUpdateRow& row = GetParam();
  const ContactRow contact{row.name, {{295, 50}, {150, 100}, C::FALLING, C::LEFT, 100},
                           row.held, row.touched,
                           row.wall, RIGHT_WALL,
                           "R",      {}};
  const Contact objects = prepare(*this, contact);
  const Sides sides(contact.sides);

  character.collide(16, objects.met.get(), sides.flags);
  EXPECT_EQ(row.afterCollide, character.getPose());
  character.updateVel(16);
  EXPECT_EQ(row.afterUpdateVel, character.getPose());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GrabThenUpdateTest,
    ::testing::Values(GrabThenUpdateRow{"RightHeldKeepsClinging", "d", TouchedBefore::NOTHING,
                                        Thing::PLAIN_PLATFORM, C::CLINGING, C::CLINGING},
                      GrabThenUpdateRow{"OnlyJumpHeldLetsGo", " ", TouchedBefore::NOTHING,
                                        Thing::JUMPABLE_PLATFORM, C::CLINGING, C::FALLING},
                      GrabThenUpdateRow{"OnlyJumpHeldOnPlainLetsGo", " ",
                                        TouchedBefore::THE_OBJECT_MET, Thing::PLAIN_PLATFORM,
                                        C::CLINGING, C::FALLING},
                      GrabThenUpdateRow{"WallJumpStaysJumping", " ", TouchedBefore::THE_OBJECT_MET,
                                        Thing::JUMPABLE_PLATFORM, C::JUMPING, C::JUMPING}),
    RowName{});

TEST_F(CharacterTest, WallJumpInsideTheGrabFeelsGravityInTheSameFrame) {
  const auto wall = touch(Thing::JUMPABLE_PLATFORM, RIGHT_WALL);
  character.position = Point2D(295, 50);
  character.velocity = Point2D(150, 100);
  hold(" ");
  const Sides right("R");

  character.collide(16, wall.get(), right.flags);
  character.updateVel(16);

  EXPECT_DOUBLE_EQ(-200, character.velocity.getX());
  EXPECT_DOUBLE_EQ(-450 + 16, character.velocity.getY());
}

} // namespace
