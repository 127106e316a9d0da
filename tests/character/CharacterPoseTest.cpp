#include "character/CharacterRig.h"

#include <gtest/gtest.h>

#include <memory>

// The transitions the character makes itself. The level reset and the
// adjacency probe that finds nothing set FALLING from the world's side.

namespace {

using ::PrintTo;

using C = Character;

// What happens to the character in one row of the pose table.
enum class Event {
  JUMP,
  UPDATE_VEL,
  // collide with the object touching, on the character's side named
  MEET_BELOW,
  MEET_ON_RIGHT,
  MEET_ON_LEFT,
  MEET_ABOVE,
};

struct PoseRow {
  const char* name;
  C::Pose from;
  C::Direction facing;
  const char* held;
  Thing touching; // the object found touching last frame, also the one met
  Event event;
  C::Pose to;
};

class PoseTransitionTest : public CharacterTableTest<PoseRow> {};

TEST_P(PoseTransitionTest, MovesBetweenPosesOnlyAsTheRulesSay) {
  const PoseRow& row = GetParam();
  const auto touching = touch(row.touching, Box{300, 0, 20, 200});
  character.setPose(row.from);
  character.setDirection(row.facing);
  character.velocity = Point2D(0, 100);
  hold(row.held);

  bool sides[4] = {false, false, false, false};
  switch (row.event) {
  case Event::JUMP:
    character.jump();
    break;
  case Event::UPDATE_VEL:
    character.updateVel(16);
    break;
  case Event::MEET_BELOW:
    sides[C::BOTTOM] = true;
    break;
  case Event::MEET_ON_RIGHT:
    sides[C::RIGHT_SIDE] = true;
    break;
  case Event::MEET_ON_LEFT:
    sides[C::LEFT_SIDE] = true;
    break;
  case Event::MEET_ABOVE:
    sides[C::TOP] = true;
    break;
  }
  if (row.event != Event::JUMP && row.event != Event::UPDATE_VEL) {
    ASSERT_TRUE(touching) << "a contact needs an object";
    character.collide(16, touching.get(), sides);
  }

  EXPECT_EQ(row.to, character.getPose());
}

constexpr Thing NONE = Thing::NOTHING;
constexpr Thing CLIMBABLE = Thing::CLIMBABLE_PLATFORM;
constexpr Thing JUMPABLE = Thing::JUMPABLE_PLATFORM;
constexpr Thing PLAIN = Thing::PLAIN_PLATFORM;

INSTANTIATE_TEST_SUITE_P(
    Jump, PoseTransitionTest,
    ::testing::Values(
        PoseRow{"GroundedJumps", C::GROUNDED, C::RIGHT, "", NONE, Event::JUMP, C::JUMPING},
        PoseRow{"JumpingCannotJumpAgain", C::JUMPING, C::RIGHT, "", JUMPABLE, Event::JUMP,
                C::JUMPING},
        PoseRow{"FallingCannotJump", C::FALLING, C::RIGHT, "", JUMPABLE, Event::JUMP, C::FALLING},
        PoseRow{"ClingingJumpsOffJumpable", C::CLINGING, C::RIGHT, "d", JUMPABLE, Event::JUMP,
                C::JUMPING},
        PoseRow{"ClingingJumpsOffClimbable", C::CLINGING, C::LEFT, "a", CLIMBABLE, Event::JUMP,
                C::JUMPING},
        PoseRow{"ClingingCannotJumpOffPlain", C::CLINGING, C::RIGHT, "d", PLAIN, Event::JUMP,
                C::CLINGING},
        PoseRow{"ClingingTouchingNothingCannotJump", C::CLINGING, C::RIGHT, "d", NONE, Event::JUMP,
                C::CLINGING}),
    RowName{});

INSTANTIATE_TEST_SUITE_P(
    UpdateVel, PoseTransitionTest,
    ::testing::Values(PoseRow{"GroundedStaysGrounded", C::GROUNDED, C::RIGHT, "", NONE,
                              Event::UPDATE_VEL, C::GROUNDED},
                      PoseRow{"JumpingStaysJumping", C::JUMPING, C::RIGHT, "", NONE,
                              Event::UPDATE_VEL, C::JUMPING},
                      PoseRow{"FallingStaysFalling", C::FALLING, C::RIGHT, "", NONE,
                              Event::UPDATE_VEL, C::FALLING},
                      PoseRow{"ClingingRightWhileRightHeld", C::CLINGING, C::RIGHT, "d", PLAIN,
                              Event::UPDATE_VEL, C::CLINGING},
                      PoseRow{"ClingingLeftWhileLeftHeld", C::CLINGING, C::LEFT, "a", CLIMBABLE,
                              Event::UPDATE_VEL, C::CLINGING},
                      PoseRow{"ClingingRightLetsGoWithoutRight", C::CLINGING, C::RIGHT, "a ",
                              CLIMBABLE, Event::UPDATE_VEL, C::FALLING},
                      PoseRow{"ClingingLeftLetsGoWithoutLeft", C::CLINGING, C::LEFT, "d ",
                              CLIMBABLE, Event::UPDATE_VEL, C::FALLING}),
    RowName{});

INSTANTIATE_TEST_SUITE_P(
    Contact, PoseTransitionTest,
    ::testing::Values(
        PoseRow{"GroundedLands", C::GROUNDED, C::RIGHT, "", PLAIN, Event::MEET_BELOW, C::GROUNDED},
        PoseRow{"JumpingLands", C::JUMPING, C::RIGHT, "", PLAIN, Event::MEET_BELOW, C::GROUNDED},
        PoseRow{"FallingLands", C::FALLING, C::RIGHT, "", PLAIN, Event::MEET_BELOW, C::GROUNDED},
        PoseRow{"ClingingLands", C::CLINGING, C::RIGHT, "d", CLIMBABLE, Event::MEET_BELOW,
                C::GROUNDED},
        PoseRow{"GroundedGrabsWallOnRight", C::GROUNDED, C::LEFT, "d", PLAIN, Event::MEET_ON_RIGHT,
                C::CLINGING},
        PoseRow{"JumpingGrabsWallOnRight", C::JUMPING, C::LEFT, "d", PLAIN, Event::MEET_ON_RIGHT,
                C::CLINGING},
        PoseRow{"FallingGrabsWallOnRight", C::FALLING, C::LEFT, "d", PLAIN, Event::MEET_ON_RIGHT,
                C::CLINGING},
        PoseRow{"GroundedGrabsWallOnLeft", C::GROUNDED, C::RIGHT, "a", PLAIN, Event::MEET_ON_LEFT,
                C::CLINGING},
        PoseRow{"JumpingGrabsWallOnLeft", C::JUMPING, C::RIGHT, "a", PLAIN, Event::MEET_ON_LEFT,
                C::CLINGING},
        PoseRow{"FallingGrabsWallOnLeftWithJump", C::FALLING, C::RIGHT, " ", PLAIN,
                Event::MEET_ON_LEFT, C::CLINGING},
        PoseRow{"FallingWithoutKeysDoesNotGrab", C::FALLING, C::RIGHT, "", CLIMBABLE,
                Event::MEET_ON_RIGHT, C::FALLING},
        PoseRow{"FallingWithKeyAwayDoesNotGrab", C::FALLING, C::RIGHT, "d", CLIMBABLE,
                Event::MEET_ON_LEFT, C::FALLING},
        PoseRow{"FallingGrabsAndJumpsOffWallTouchedBefore", C::FALLING, C::RIGHT, " ", JUMPABLE,
                Event::MEET_ON_RIGHT, C::JUMPING},
        PoseRow{"ClingingIgnoresWall", C::CLINGING, C::LEFT, "d ", JUMPABLE, Event::MEET_ON_RIGHT,
                C::CLINGING},
        PoseRow{"JumpingKeepsPoseAtCeiling", C::JUMPING, C::RIGHT, "", PLAIN, Event::MEET_ABOVE,
                C::JUMPING},
        PoseRow{"ClingingKeepsPoseAtCeiling", C::CLINGING, C::RIGHT, "d", CLIMBABLE,
                Event::MEET_ABOVE, C::CLINGING},
        PoseRow{"FallingKeepsPoseOnMonster", C::FALLING, C::RIGHT, "", Thing::MONSTER,
                Event::MEET_BELOW, C::FALLING},
        PoseRow{"ClingingKeepsPoseOnMonster", C::CLINGING, C::RIGHT, "d", Thing::MONSTER,
                Event::MEET_BELOW, C::CLINGING},
        PoseRow{"FallingKeepsPoseOnGoalArea", C::FALLING, C::RIGHT, "", Thing::GOAL_AREA,
                Event::MEET_BELOW, C::FALLING}),
    RowName{});

} // namespace
