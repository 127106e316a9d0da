#include "character/CharacterRig.h"

#include "objects/Monster.h"
#include "objects/Platform.h"
#include "support/Table.h"

#include <gtest/gtest.h>

#include <string>

// Every table says which pose the character ends in; together with the
// contact table they make the pose transition table.

namespace {

using enum Thing;
using enum Character::Pose;
using enum Character::Direction;

TEST_F(CharacterTest, StartsFallingAtRestFacingRightWithFullHitPoints) {
  EXPECT_EQ(character.getPose(), FALLING);
  EXPECT_EQ(character.getDirection(), RIGHT);
  EXPECT_EQ(character.position, Point2D(0, 0));
  EXPECT_EQ(character.velocity, Point2D(0, 0));
  EXPECT_EQ(character.getCurrentHp(), 100);
  EXPECT_EQ(character.getMaxHp(), 100);
  EXPECT_TRUE(character.getAdjacent().empty());
}

TEST_F(CharacterTest, IsATwentyPixelSquareMovedByItsVelocity) {
  character.position = Point2D(100, 50);
  const RectangularSector box = character.getRectangularSector();
  EXPECT_EQ(box.pos, Point2D(90, 40));
  EXPECT_EQ(box.size, Point2D(20, 20));
  character.velocity = Point2D(200, -700);
  character.updatePos(16);
  EXPECT_DOUBLE_EQ(character.position.x, 103.2);
  EXPECT_DOUBLE_EQ(character.position.y, 38.8);
}

// Never clamped: below 0, above the maximum.
TEST_F(CharacterTest, HitPointsAreNeverClamped) {
  character.setCurrentHp(10);
  character.incCurrentHp(-30);
  EXPECT_EQ(character.getCurrentHp(), -20);
  character.incCurrentHp(150);
  EXPECT_EQ(character.getCurrentHp(), 130);
  character.incMaxHp(20);
  character.fullHp();
  EXPECT_EQ(character.getCurrentHp(), 120);
}

struct UpdateVelRow {
  std::string name;
  Character::Pose pose;
  Thing wall; // beside a clinging character
  Point2D velocity;
  int dt;
  Point2D expected;
};

class UpdateVel : public CharacterTableTest<UpdateVelRow> {};

// No key is held: a clinging character lets go in this update, and the
// wall's brake or slide applies in that update all the same.
TEST_P(UpdateVel, ChangesTheVelocityByPose) {
  const UpdateVelRow& row = GetParam();
  const auto wall = touch(row.wall, Box{0, 0, 10, 100});
  character.setPose(row.pose);
  character.velocity = row.velocity;
  character.updateVel(row.dt);
  EXPECT_DOUBLE_EQ(character.velocity.x, row.expected.x);
  EXPECT_DOUBLE_EQ(character.velocity.y, row.expected.y);
}

// Ground friction: a speed below 1 in size stops; the step is not clamped
// and overshoots zero. A wall that cannot be climbed gives no grip.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, UpdateVel, testing::Values(
    UpdateVelRow{"FallingGainsGravityOnly", FALLING, NOTHING, {150, 0}, 16, {150, 16}},
    UpdateVelRow{"JumpingGainsGravity", JUMPING, NOTHING, {0, -700}, 16, {0, -684}},
    UpdateVelRow{"GroundedFrictionSlowsRightward", GROUNDED, NOTHING, {100, 50}, 16, {84, 50}},
    UpdateVelRow{"GroundedFrictionSlowsLeftward", GROUNDED, NOTHING, {-100, 0}, 16, {-84, 0}},
    UpdateVelRow{"GroundedBelowOneStopsPositive", GROUNDED, NOTHING, {0.9, 0}, 16, {0, 0}},
    UpdateVelRow{"GroundedBelowOneStopsNegative", GROUNDED, NOTHING, {-0.9, 0}, 16, {0, 0}},
    UpdateVelRow{"GroundedExactlyOneOvershootsZero", GROUNDED, NOTHING, {1, 0}, 16, {-15, 0}},
    UpdateVelRow{"GroundedHugeSpeedSlows", GROUNDED, NOTHING, {1e12, 0}, 1000, {1e12 - 1000, 0}},
    UpdateVelRow{"ClingingClimbableBrakesDownward", CLINGING, CLIMBABLE, {7, 200}, 16, {7, 168}},
    UpdateVelRow{"ClingingClimbableBrakesUpward", CLINGING, CLIMBABLE, {0, -200}, 16, {0, -168}},
    UpdateVelRow{"ClingingClimbableBelowOneStops", CLINGING, CLIMBABLE, {0, 0.5}, 16, {0, 0}},
    UpdateVelRow{"ClingingPlainSlidesDown", CLINGING, PLAIN, {0, 200}, 16, {0, 216}},
    UpdateVelRow{"ClingingJumpableSlidesDown", CLINGING, JUMPABLE, {0, 200}, 16, {0, 216}}),
    RowName{});
// clang-format on

struct GripRow {
  std::string name;
  Character::Direction wallSide;
  std::string held;
  Character::Pose expected;
};

class Grip : public CharacterTableTest<GripRow> {};

TEST_P(Grip, ClingingHoldsOnOnlyWhileTheKeyTowardTheWallIsHeld) {
  const GripRow& row = GetParam();
  const auto wall = touch(CLIMBABLE, Box{0, 0, 10, 100});
  character.setPose(CLINGING);
  character.setDirection(row.wallSide);
  hold(row.held);
  character.updateVel(16);
  EXPECT_EQ(character.getPose(), row.expected);
  EXPECT_EQ(character.getDirection(), row.wallSide);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, Grip, testing::Values(
    GripRow{"RightWallRightHeld", RIGHT, "d", CLINGING},
    GripRow{"RightWallNothingHeld", RIGHT, "", FALLING},
    GripRow{"RightWallOnlyLeftHeld", RIGHT, "a", FALLING},
    GripRow{"RightWallOnlyJumpHeld", RIGHT, " ", FALLING},
    GripRow{"RightWallBothSidesHeld", RIGHT, "ad", CLINGING},
    GripRow{"LeftWallLeftHeld", LEFT, "a", CLINGING},
    GripRow{"LeftWallOnlyRightHeld", LEFT, "d", FALLING},
    GripRow{"LeftWallUpHeld", LEFT, "w", FALLING}),
    RowName{});
// clang-format on

struct JumpRow {
  std::string name;
  Character::Pose pose;
  Character::Direction facing;
  Thing wall;
  Point2D velocity, expectedVelocity;
  Character::Pose expectedPose;
};

class Jump : public CharacterTableTest<JumpRow> {};

TEST_P(Jump, FromTheGroundOrOffAJumpableWallOnly) {
  const JumpRow& row = GetParam();
  const auto wall = touch(row.wall, Box{0, 0, 10, 100});
  character.setPose(row.pose);
  character.setDirection(row.facing);
  character.velocity = row.velocity;
  character.jump();
  EXPECT_DOUBLE_EQ(character.velocity.x, row.expectedVelocity.x);
  EXPECT_DOUBLE_EQ(character.velocity.y, row.expectedVelocity.y);
  EXPECT_EQ(character.getPose(), row.expectedPose);
  EXPECT_EQ(character.getDirection(), row.facing);
}

// A wall jump keeps half the vertical speed, adds -500 and pushes 200 away
// from the wall; facing left the whole horizontal speed is mirrored.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, Jump, testing::Values(
    JumpRow{"GroundedWhateverItsSpeed", GROUNDED, LEFT, NOTHING, {35, 300}, {35, -700}, JUMPING},
    JumpRow{"JumpingChangesNothing", JUMPING, RIGHT, JUMPABLE, {35, -300}, {35, -300}, JUMPING},
    JumpRow{"FallingChangesNothing", FALLING, RIGHT, JUMPABLE, {35, 300}, {35, 300}, FALLING},
    JumpRow{"WallJumpFacingLeft", CLINGING, LEFT, JUMPABLE, {0, 100}, {200, -450}, JUMPING},
    JumpRow{"WallJumpFacingRight", CLINGING, RIGHT, JUMPABLE, {0, 100}, {-200, -450}, JUMPING},
    JumpRow{"WallJumpOffClimbable", CLINGING, RIGHT, CLIMBABLE, {0, -200}, {-200, -600}, JUMPING},
    JumpRow{"LeftMirrorsWholeSpeed", CLINGING, LEFT, JUMPABLE, {50, 0}, {150, -500}, JUMPING},
    JumpRow{"ClingingToPlainCannotJump", CLINGING, RIGHT, PLAIN, {0, 100}, {0, 100}, CLINGING},
    JumpRow{"ClingingToNothingCannotJump", CLINGING, LEFT, NOTHING, {0, 100}, {0, 100}, CLINGING}),
    RowName{});
// clang-format on

struct PlatformTypeRow {
  std::string name;
  Platform::PlatformType type;
  bool jumpable, climbable;
};

class PlatformTypes : public CharacterTableTest<PlatformTypeRow> {};

TEST_P(PlatformTypes, DecideWhatAnAdjacentPlatformAllows) {
  const PlatformTypeRow& row = GetParam();
  EXPECT_EQ(Character::canJumpOn(row.type), row.jumpable);
  EXPECT_EQ(Character::canClimbOn(row.type), row.climbable);
  const Platform wall(0, 0, 10, 100, row.type);
  character.adjacentObject(&wall);
  EXPECT_TRUE(character.hasAdjacentType(row.type));
  EXPECT_EQ(character.canJump(), row.jumpable);
  EXPECT_EQ(character.canClimb(), row.climbable);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, PlatformTypes, testing::Values(
    PlatformTypeRow{"Climbable", Platform::CLIMBABLE, true, true},
    PlatformTypeRow{"Jumpable", Platform::JUMPABLE, true, false},
    PlatformTypeRow{"Plain", Platform::PLAIN, false, false},
    PlatformTypeRow{"UnknownFromALevelFile", static_cast<Platform::PlatformType>(7), false, false}),
    RowName{});
// clang-format on

// A monster and a spawn point carry type values that equal platform
// types; only platforms count, wherever they are in the list.
TEST_F(CharacterTest, AdjacentTypeLooksOnlyAtPlatformsAndPastOtherObjects) {
  const Monster monster(0, 0, 10, 10);
  const GameObject spawn(0, 0, 10, 10, GameObject::SPAWN_POINT);
  character.adjacentObject(&monster);
  character.adjacentObject(&spawn);
  for (const auto type : {Platform::CLIMBABLE, Platform::JUMPABLE, Platform::PLAIN}) {
    EXPECT_FALSE(character.hasAdjacentType(type)) << type;
  }
  const Platform jumpable(0, 0, 10, 10, Platform::JUMPABLE);
  character.adjacentObject(&jumpable);
  EXPECT_TRUE(character.canJump());
  EXPECT_FALSE(character.canClimb());
}

} // namespace
