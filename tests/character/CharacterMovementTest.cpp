#include "character/CharacterRig.h"

#include "objects/Monster.h"
#include "objects/Platform.h"

#include <gtest/gtest.h>

namespace {

using ::PrintTo;

using Pose = Character::Pose;
using Direction = Character::Direction;

// ---- A new character ---------------------------------------------------------

TEST_F(CharacterTest, StartsFallingAtRestWithFullHitPointsTouchingNothing) {
  EXPECT_EQ(100, character.getMaxHp());
  EXPECT_EQ(100, character.getCurrentHp());
  EXPECT_EQ(Character::FALLING, character.getPose());
  EXPECT_EQ(Point2D(0, 0), character.position);
  EXPECT_EQ(Point2D(0, 0), character.velocity);
  EXPECT_TRUE(character.getAdjacent().empty());
}

TEST_F(CharacterTest, DirectionHasADefinedStartingValue) {
  EXPECT_TRUE(character.isDirection(Character::RIGHT));
  EXPECT_FALSE(character.isDirection(Character::LEFT));
}

// ---- Box and movement --------------------------------------------------------

TEST_F(CharacterTest, BoxIsTheTwentyPixelSquareAroundThePosition) {
  character.position = Point2D(100, 50);
  const RectangularSector box = character.getRectangularSector();
  EXPECT_DOUBLE_EQ(90, box.getX());
  EXPECT_DOUBLE_EQ(40, box.getY());
  EXPECT_DOUBLE_EQ(20, box.getWidth());
  EXPECT_DOUBLE_EQ(20, box.getHeight());
}

TEST_F(CharacterTest, UpdatePosMovesByTheVelocityOverTheElapsedTime) {
  character.position = Point2D(100, 50);
  character.velocity = Point2D(200, -700);
  character.updatePos(16);
  EXPECT_DOUBLE_EQ(103.2, character.position.getX());
  EXPECT_DOUBLE_EQ(38.8, character.position.getY());
  character.updatePos(0);
  EXPECT_DOUBLE_EQ(103.2, character.position.getX());
  EXPECT_DOUBLE_EQ(38.8, character.position.getY());
}

// ---- updateVel by pose -------------------------------------------------------

struct UpdateVelRow {
  const char* name;
  Pose pose;
  Thing adjacent; // the wall beside a clinging character
  Point2D velocity;
  int dt;
  Point2D expected;
};

class UpdateVelTest : public CharacterTableTest<UpdateVelRow> {};

TEST_P(UpdateVelTest, ChangesTheVelocityByPose) {
  const UpdateVelRow& row = GetParam();
  const auto wall = touch(row.adjacent, Box{0, 0, 10, 100});
  character.setPose(row.pose);
  character.setDirection(Character::RIGHT);
  hold("d"); // keeps a clinging character on the wall
  character.velocity = row.velocity;

  character.updateVel(row.dt);

  EXPECT_DOUBLE_EQ(row.expected.getX(), character.velocity.getX());
  EXPECT_DOUBLE_EQ(row.expected.getY(), character.velocity.getY());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UpdateVelTest,
    ::testing::Values(
        UpdateVelRow{
            "FallingGainsGravity", Character::FALLING, Thing::NOTHING, {0, 0}, 16, {0, 16}},
        UpdateVelRow{
            "JumpingGainsGravity", Character::JUMPING, Thing::NOTHING, {0, -700}, 16, {0, -684}},
        UpdateVelRow{"AirborneKeepsHorizontalSpeed",
                     Character::FALLING,
                     Thing::NOTHING,
                     {150, 20},
                     16,
                     {150, 36}},
        UpdateVelRow{
            "AirborneWithNoTimeUnchanged", Character::JUMPING, Thing::NOTHING, {5, 7}, 0, {5, 7}},
        UpdateVelRow{"GroundedBelowOneStopsPositive",
                     Character::GROUNDED,
                     Thing::NOTHING,
                     {0.9, 0},
                     16,
                     {0, 0}},
        UpdateVelRow{"GroundedBelowOneStopsNegative",
                     Character::GROUNDED,
                     Thing::NOTHING,
                     {-0.9, 0},
                     16,
                     {0, 0}},
        UpdateVelRow{
            "GroundedAtRestStaysAtRest", Character::GROUNDED, Thing::NOTHING, {0, 0}, 16, {0, 0}},
        UpdateVelRow{"GroundedFrictionSlowsRightward",
                     Character::GROUNDED,
                     Thing::NOTHING,
                     {100, 0},
                     16,
                     {84, 0}},
        UpdateVelRow{"GroundedFrictionSlowsLeftward",
                     Character::GROUNDED,
                     Thing::NOTHING,
                     {-100, 0},
                     16,
                     {-84, 0}},
        UpdateVelRow{"GroundedExactlyOneIsNotStopped",
                     Character::GROUNDED,
                     Thing::NOTHING,
                     {1, 0},
                     16,
                     {-15, 0}},
        UpdateVelRow{"GroundedFrictionOvershootsZero",
                     Character::GROUNDED,
                     Thing::NOTHING,
                     {10, 0},
                     16,
                     {-6, 0}},
        UpdateVelRow{"GroundedOvershootComesBack",
                     Character::GROUNDED,
                     Thing::NOTHING,
                     {-6, 0},
                     16,
                     {10, 0}},
        UpdateVelRow{"GroundedKeepsVerticalSpeed",
                     Character::GROUNDED,
                     Thing::NOTHING,
                     {100, 50},
                     16,
                     {84, 50}},
        UpdateVelRow{"GroundedBeyondIntRangeStillSlows",
                     Character::GROUNDED,
                     Thing::NOTHING,
                     {1e12, 0},
                     1000,
                     {1e12 - 1000, 0}},
        UpdateVelRow{"ClingingClimbableBrakesDownward",
                     Character::CLINGING,
                     Thing::CLIMBABLE_PLATFORM,
                     {0, 200},
                     16,
                     {0, 168}},
        UpdateVelRow{"ClingingClimbableBrakesUpward",
                     Character::CLINGING,
                     Thing::CLIMBABLE_PLATFORM,
                     {0, -200},
                     16,
                     {0, -168}},
        UpdateVelRow{"ClingingClimbableBelowOneStops",
                     Character::CLINGING,
                     Thing::CLIMBABLE_PLATFORM,
                     {0, 0.5},
                     16,
                     {0, 0}},
        UpdateVelRow{"ClingingPlainSlidesDown",
                     Character::CLINGING,
                     Thing::PLAIN_PLATFORM,
                     {0, 200},
                     16,
                     {0, 216}},
        UpdateVelRow{"ClingingJumpableSlidesDown",
                     Character::CLINGING,
                     Thing::JUMPABLE_PLATFORM,
                     {0, 200},
                     16,
                     {0, 216}},
        UpdateVelRow{"ClingingPlainFromBelowOneSlidesFromZero",
                     Character::CLINGING,
                     Thing::PLAIN_PLATFORM,
                     {0, 0.5},
                     16,
                     {0, 16}},
        UpdateVelRow{"ClingingNothingBesideSlidesDown",
                     Character::CLINGING,
                     Thing::NOTHING,
                     {0, -200},
                     16,
                     {0, -184}},
        UpdateVelRow{"ClingingKeepsHorizontalSpeed",
                     Character::CLINGING,
                     Thing::CLIMBABLE_PLATFORM,
                     {7, 200},
                     16,
                     {7, 168}}),
    RowName{});

struct LetGoRow {
  const char* name;
  Direction facing;
  const char* held;
  Pose expected;
};

class LetGoTest : public CharacterTableTest<LetGoRow> {};

TEST_P(LetGoTest, ClingingHoldsOnOnlyWhileTheKeyTowardTheWallIsHeld) {
  const LetGoRow& row = GetParam();
  const auto wall = touch(Thing::CLIMBABLE_PLATFORM, Box{0, 0, 10, 100});
  character.setPose(Character::CLINGING);
  character.setDirection(row.facing);
  character.velocity = Point2D(0, 200);
  hold(row.held);

  character.updateVel(16);

  EXPECT_EQ(row.expected, character.getPose());
  // The brake applies in the frame the grip is lost as well.
  EXPECT_DOUBLE_EQ(168, character.velocity.getY());
  EXPECT_EQ(row.facing, character.getDirection());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LetGoTest,
    ::testing::Values(LetGoRow{"RightWallRightHeld", Character::RIGHT, "d", Character::CLINGING},
                      LetGoRow{"RightWallNothingHeld", Character::RIGHT, "", Character::FALLING},
                      LetGoRow{"RightWallOnlyLeftHeld", Character::RIGHT, "a", Character::FALLING},
                      LetGoRow{"RightWallOnlyJumpHeld", Character::RIGHT, " ", Character::FALLING},
                      LetGoRow{"RightWallBothSidesHeld", Character::RIGHT, "ad",
                               Character::CLINGING},
                      LetGoRow{"LeftWallLeftHeld", Character::LEFT, "a", Character::CLINGING},
                      LetGoRow{"LeftWallNothingHeld", Character::LEFT, "", Character::FALLING},
                      LetGoRow{"LeftWallOnlyRightHeld", Character::LEFT, "d", Character::FALLING},
                      LetGoRow{"LeftWallUpHeld", Character::LEFT, "w", Character::FALLING}),
    RowName{});

TEST_F(CharacterTest, ReleasingTheKeyTowardTheWallLetsGoOnTheNextUpdate) {
  const auto wall = touch(Thing::CLIMBABLE_PLATFORM, Box{0, 0, 10, 100});
  character.setPose(Character::CLINGING);
  character.setDirection(Character::RIGHT);
  press(SDLK_d);
  character.updateVel(16);
  ASSERT_TRUE(character.isPose(Character::CLINGING));

  release(SDLK_d);
  character.updateVel(16);
  EXPECT_TRUE(character.isPose(Character::FALLING));
}

// ---- jump --------------------------------------------------------------------

struct JumpRow {
  const char* name;
  Pose pose;
  Direction facing;
  Thing adjacent;
  Point2D velocity;
  Point2D expectedVelocity;
  Pose expectedPose;
};

class JumpTest : public CharacterTableTest<JumpRow> {};

TEST_P(JumpTest, JumpsFromTheGroundOrOffAJumpableWallOnly) {
  const JumpRow& row = GetParam();
  const auto wall = touch(row.adjacent, Box{0, 0, 10, 100});
  character.setPose(row.pose);
  character.setDirection(row.facing);
  character.velocity = row.velocity;

  character.jump();

  EXPECT_DOUBLE_EQ(row.expectedVelocity.getX(), character.velocity.getX());
  EXPECT_DOUBLE_EQ(row.expectedVelocity.getY(), character.velocity.getY());
  EXPECT_EQ(row.expectedPose, character.getPose());
  EXPECT_EQ(row.facing, character.getDirection());
}

INSTANTIATE_TEST_SUITE_P(Rows, JumpTest,
                         ::testing::Values(JumpRow{"GroundedAtRest",
                                                   Character::GROUNDED,
                                                   Character::RIGHT,
                                                   Thing::NOTHING,
                                                   {0, 0},
                                                   {0, -700},
                                                   Character::JUMPING},
                                           JumpRow{"GroundedWhateverVerticalSpeed",
                                                   Character::GROUNDED,
                                                   Character::LEFT,
                                                   Thing::NOTHING,
                                                   {35, 300},
                                                   {35, -700},
                                                   Character::JUMPING},
                                           JumpRow{"JumpingChangesNothing",
                                                   Character::JUMPING,
                                                   Character::RIGHT,
                                                   Thing::JUMPABLE_PLATFORM,
                                                   {35, -300},
                                                   {35, -300},
                                                   Character::JUMPING},
                                           JumpRow{"FallingChangesNothing",
                                                   Character::FALLING,
                                                   Character::RIGHT,
                                                   Thing::JUMPABLE_PLATFORM,
                                                   {35, 300},
                                                   {35, 300},
                                                   Character::FALLING},
                                           JumpRow{"WallJumpFacingLeft",
                                                   Character::CLINGING,
                                                   Character::LEFT,
                                                   Thing::JUMPABLE_PLATFORM,
                                                   {0, 100},
                                                   {200, -450},
                                                   Character::JUMPING},
                                           JumpRow{"WallJumpFacingRight",
                                                   Character::CLINGING,
                                                   Character::RIGHT,
                                                   Thing::JUMPABLE_PLATFORM,
                                                   {0, 100},
                                                   {-200, -450},
                                                   Character::JUMPING},
                                           JumpRow{"WallJumpOffClimbable",
                                                   Character::CLINGING,
                                                   Character::RIGHT,
                                                   Thing::CLIMBABLE_PLATFORM,
                                                   {0, -200},
                                                   {-200, -600},
                                                   Character::JUMPING},
                                           JumpRow{"WallJumpFacingLeftNegatesWholeSpeed",
                                                   Character::CLINGING,
                                                   Character::LEFT,
                                                   Thing::JUMPABLE_PLATFORM,
                                                   {50, 0},
                                                   {150, -500},
                                                   Character::JUMPING},
                                           JumpRow{"ClingingToPlainCannotJump",
                                                   Character::CLINGING,
                                                   Character::RIGHT,
                                                   Thing::PLAIN_PLATFORM,
                                                   {0, 100},
                                                   {0, 100},
                                                   Character::CLINGING},
                                           JumpRow{"ClingingTouchingNothingCannotJump",
                                                   Character::CLINGING,
                                                   Character::LEFT,
                                                   Thing::NOTHING,
                                                   {0, 100},
                                                   {0, 100},
                                                   Character::CLINGING},
                                           JumpRow{"ClingingBesideMonsterCannotJump",
                                                   Character::CLINGING,
                                                   Character::LEFT,
                                                   Thing::MONSTER,
                                                   {0, 100},
                                                   {0, 100},
                                                   Character::CLINGING}),
                         RowName{});

// ---- Tables and adjacency ----------------------------------------------------

struct PlatformTypeRow {
  const char* name;
  Platform::PlatformType type;
  bool jumpable;
  bool climbable;
};

class PlatformTypeTest : public CharacterTableTest<PlatformTypeRow> {};

TEST_P(PlatformTypeTest, TablesDecideWhatATypeAllows) {
  const PlatformTypeRow& row = GetParam();
  EXPECT_EQ(row.jumpable, Character::canJumpOn(row.type));
  EXPECT_EQ(row.climbable, Character::canClimbOn(row.type));
}

TEST_P(PlatformTypeTest, AdjacentPlatformAnswersCanJumpAndCanClimb) {
  const PlatformTypeRow& row = GetParam();
  const Platform wall(0, 0, 10, 100, row.type);
  character.adjacentObject(&wall);
  EXPECT_TRUE(character.hasAdjacentType(row.type));
  EXPECT_EQ(row.jumpable, character.canJump());
  EXPECT_EQ(row.climbable, character.canClimb());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PlatformTypeTest,
    ::testing::Values(PlatformTypeRow{"Climbable", Platform::CLIMBABLE, true, true},
                      PlatformTypeRow{"Jumpable", Platform::JUMPABLE, true, false},
                      PlatformTypeRow{"Plain", Platform::PLAIN, false, false},
                      PlatformTypeRow{"UnknownFromALevelFile",
                                      static_cast<Platform::PlatformType>(7), false, false}),
    RowName{});

TEST_F(CharacterTest, TouchingNothingCanNeitherJumpNorClimb) {
  EXPECT_FALSE(character.canJump());
  EXPECT_FALSE(character.canClimb());
  EXPECT_FALSE(character.hasAdjacentType(Platform::CLIMBABLE));
}

TEST_F(CharacterTest, AdjacentTypeNeverMatchesObjectsThatAreNotPlatforms) {
  // A monster and a spawn point whose type values equal platform types.
  const Monster monster(0, 0, 10, 10);
  const GameObject spawn(0, 0, 10, 10, GameObject::SPAWN_POINT);
  character.adjacentObject(&monster);
  character.adjacentObject(&spawn);
  EXPECT_FALSE(character.hasAdjacentType(Platform::CLIMBABLE));
  EXPECT_FALSE(character.hasAdjacentType(Platform::JUMPABLE));
  EXPECT_FALSE(character.hasAdjacentType(Platform::PLAIN));
  EXPECT_FALSE(character.canJump());
  EXPECT_FALSE(character.canClimb());
}

TEST_F(CharacterTest, AdjacentTypeLooksPastOtherObjects) {
  const Monster monster(0, 0, 10, 10);
  const Platform plain(0, 0, 10, 10, Platform::PLAIN);
  const Platform jumpable(0, 0, 10, 10, Platform::JUMPABLE);
  character.adjacentObject(&monster);
  character.adjacentObject(&plain);
  character.adjacentObject(&jumpable);
  EXPECT_TRUE(character.hasAdjacentType(Platform::JUMPABLE));
  EXPECT_TRUE(character.canJump());
  EXPECT_FALSE(character.canClimb());
}

TEST_F(CharacterTest, ClearAdjacentForgetsWhatWasTouching) {
  const Platform wall(0, 0, 10, 10, Platform::CLIMBABLE);
  character.adjacentObject(&wall);
  ASSERT_EQ(1u, character.getAdjacent().size());
  EXPECT_EQ(&wall, character.getAdjacent().front());

  character.clearAdjacent();

  EXPECT_TRUE(character.getAdjacent().empty());
  EXPECT_FALSE(character.canClimb());
}

// ---- Hit points --------------------------------------------------------------

TEST_F(CharacterTest, HitPointsGoBelowZeroAndFullHpRestoresTheMaximum) {
  character.setCurrentHp(10);
  character.incCurrentHp(-30);
  EXPECT_EQ(-20, character.getCurrentHp());
  character.fullHp();
  EXPECT_EQ(100, character.getCurrentHp());
}

TEST_F(CharacterTest, HitPointsMayExceedTheMaximum) {
  character.incCurrentHp(50);
  EXPECT_EQ(150, character.getCurrentHp());
  EXPECT_EQ(100, character.getMaxHp());
}

TEST_F(CharacterTest, RaisingTheMaximumRaisesWhatFullHpRestores) {
  character.incMaxHp(20);
  EXPECT_EQ(120, character.getMaxHp());
  EXPECT_EQ(100, character.getCurrentHp());
  character.fullHp();
  EXPECT_EQ(120, character.getCurrentHp());
}

TEST_F(CharacterTest, GroundSetsGroundedAndStopsOnlyTheVerticalSpeed) {
  character.velocity = Point2D(40, 300);
  character.ground();
  EXPECT_TRUE(character.isPose(Character::GROUNDED));
  EXPECT_EQ(Point2D(40, 0), character.velocity);
}

} // namespace
