#include "character/CharacterRig.h"

#include "support/GLWindow.h"

#include <GL/gl.h>

// Every table says which pose the character ends in; together with the
// contact table they make the pose transition table.

namespace {

using enum Thing;
using enum Character::Pose;
using enum Character::Direction;

// A 20-pixel square around its position; hit points are never clamped.
TEST_F(CharacterTest, StartsFallingAtRestFacingRightWithFullHitPoints) {
  EXPECT_EQ(describe(state()), describe({{0, 0}, {0, 0}, FALLING, RIGHT, 100}));
  EXPECT_EQ(character.getMaxHp(), 100);
  character.position = Point2D(100, 50);
  EXPECT_EQ(character.getRectangularSector().pos, Point2D(90, 40));
  EXPECT_EQ(character.getRectangularSector().size, Point2D(20, 20));
  character.velocity = Point2D(200, -700);
  character.updatePos(16);
  EXPECT_DOUBLE_EQ(character.position.x, 103.2);
  EXPECT_DOUBLE_EQ(character.position.y, 38.8);
  character.incCurrentHp(-130);
  EXPECT_EQ(character.getCurrentHp(), -30);
  character.incCurrentHp(180);
  EXPECT_EQ(character.getCurrentHp(), 150);
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
  const auto wall = touch(row.wall);
  character.setPose(row.pose);
  character.velocity = row.velocity;
  character.updateVel(row.dt);
  EXPECT_DOUBLE_EQ(character.velocity.x, row.expected.x);
  EXPECT_DOUBLE_EQ(character.velocity.y, row.expected.y);
}

// Ground friction: a speed below 1 in size stops; the step is not clamped
// and overshoots zero; a speed far past the int range still slows. A wall
// that cannot be climbed gives no grip.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, UpdateVel, testing::Values(
    UpdateVelRow{"FallingGainsGravityOnly", FALLING, NOTHING, {150, 0}, 16, {150, 16}},
    UpdateVelRow{"JumpingGainsGravity", JUMPING, NOTHING, {0, -700}, 16, {0, -684}},
    UpdateVelRow{"GroundedFrictionSlowsRightward", GROUNDED, NOTHING, {100, 50}, 16, {84, 50}},
    UpdateVelRow{"GroundedFrictionSlowsLeftward", GROUNDED, NOTHING, {-100, 0}, 16, {-84, 0}},
    UpdateVelRow{"GroundedBelowOneStops", GROUNDED, NOTHING, {-0.9, 0}, 16, {0, 0}},
    UpdateVelRow{"GroundedExactlyOneOvershootsZero", GROUNDED, NOTHING, {1, 0}, 16, {-15, 0}},
    UpdateVelRow{"GroundedHugeSpeedSlows", GROUNDED, NOTHING, {1e12, 0}, 1000, {1e12 - 1000, 0}},
    UpdateVelRow{"ClingingClimbableBrakes", CLINGING, CLIMBABLE, {7, 200}, 16, {7, 168}},
    UpdateVelRow{"ClingingPlainSlidesDown", CLINGING, PLAIN, {0, 200}, 16, {0, 216}}),
    RowName{});
// clang-format on

struct GripRow {
  std::string name;
  Character::Direction wallSide;
  const char* held;
  Character::Pose expected;
};

class Grip : public CharacterTableTest<GripRow> {};

TEST_P(Grip, ClingingHoldsOnOnlyWhileTheKeyTowardTheWallIsHeld) {
  const auto wall = touch(CLIMBABLE);
  character.setPose(CLINGING);
  character.setDirection(GetParam().wallSide);
  hold(GetParam().held);
  character.updateVel(16);
  EXPECT_EQ(character.getPose(), GetParam().expected);
  EXPECT_EQ(character.getDirection(), GetParam().wallSide);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, Grip, testing::Values(
    GripRow{"RightWallRightHeld", RIGHT, "d", CLINGING},
    GripRow{"RightWallNothingHeld", RIGHT, "", FALLING},
    GripRow{"RightWallOnlyLeftHeld", RIGHT, "a", FALLING},
    GripRow{"RightWallOnlyJumpHeld", RIGHT, " ", FALLING},
    GripRow{"LeftWallLeftHeld", LEFT, "a", CLINGING},
    GripRow{"LeftWallOnlyRightHeld", LEFT, "d", FALLING}),
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
  const auto wall = touch(row.wall);
  character.setPose(row.pose);
  character.setDirection(row.facing);
  character.velocity = row.velocity;
  character.jump();
  EXPECT_EQ(character.velocity, row.expectedVelocity);
  EXPECT_EQ(character.getPose(), row.expectedPose);
  EXPECT_EQ(character.getDirection(), row.facing);
}

// A wall jump keeps half the vertical speed, adds -500 and pushes 200 away
// from the wall; facing left the whole horizontal speed is mirrored.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, Jump, testing::Values(
    JumpRow{"GroundedWhateverItsSpeed", GROUNDED, LEFT, NOTHING, {35, 300}, {35, -700}, JUMPING},
    JumpRow{"FallingChangesNothing", FALLING, RIGHT, JUMPABLE, {35, 300}, {35, 300}, FALLING},
    JumpRow{"WallJumpFacingLeft", CLINGING, LEFT, JUMPABLE, {0, 100}, {200, -450}, JUMPING},
    JumpRow{"WallJumpFacingRight", CLINGING, RIGHT, JUMPABLE, {0, 100}, {-200, -450}, JUMPING},
    JumpRow{"LeftMirrorsWholeSpeed", CLINGING, LEFT, JUMPABLE, {50, 0}, {150, -500}, JUMPING},
    JumpRow{"ClingingToPlainCannotJump", CLINGING, RIGHT, PLAIN, {0, 100}, {0, 100}, CLINGING}),
    RowName{});
// clang-format on

// A monster and a spawn point carry type values that equal platform types;
// only platforms count, wherever they are in the list. A kind only a level
// file holds allows nothing.
TEST_F(CharacterTest, APlatformTypeDecidesWhatAnAdjacentPlatformAllows) {
  const struct {
    Platform::PlatformType type;
    bool jumpable, climbable;
  } rows[] = {{Platform::CLIMBABLE, true, true},
              {Platform::JUMPABLE, true, false},
              {Platform::PLAIN, false, false},
              {static_cast<Platform::PlatformType>(7), false, false}};
  const auto monster = touch(MONSTER);
  const auto spawn = touch(SPAWN_POINT);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.type);
    EXPECT_EQ(Character::canJumpOn(row.type), row.jumpable);
    EXPECT_EQ(Character::canClimbOn(row.type), row.climbable);
    const Platform wall(0, 0, 10, 100, row.type);
    character.adjacentObject(&wall);
    EXPECT_EQ(character.canJump(), row.jumpable);
    EXPECT_EQ(character.canClimb(), row.climbable);
    character.clearAdjacent();
    character.adjacentObject(monster.get());
    character.adjacentObject(spawn.get());
  }
}

// Edges truncate toward zero: -20.5..-0.5 becomes -20..0, not -21..-1, so
// with the camera's translation of 100 the square fills 80..99. Fallen far
// past the int range, it must not wrap round into view.
TEST_F(CharacterTest, DrawFillsTheTwentyPixelSquareInBlue) {
  GLWindow::clear();
  glTranslated(100, 0, 0);
  character.position = Point2D(-10.5, 50);
  character.draw();
  expectBox(80, 40, 99, 59, rgb(0, 0, 255), rgb(0, 0, 0));
  GLWindow::clear();
  character.position = Point2D(100, 1e12);
  character.draw();
  for (const int y : {0, 240, 479}) {
    EXPECT_EQ(GLWindow::pixel(100, y), rgb(0, 0, 0)) << "at y " << y;
  }
}

} // namespace
