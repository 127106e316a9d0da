// Play-mode frames driven through the frame loop's dispatch with chosen
// elapsed times, on levels written to a temporary resource folder.

#include "WorldScenario.h"

#include "actors/Projectile.h"
#include "objects/Monster.h"
#include "objects/Platform.h"
#include "support/Table.h"

#include <cmath>
#include <string>

namespace {

using levelfile::monster;
using levelfile::platform;
using levelfile::spawn;

// The rules' constants, as a player would measure them.
constexpr double RUN_ACCELERATION = 2000; // px/s^2 on the ground
constexpr double AIR_ACCELERATION = 400;  // px/s^2 otherwise
constexpr double FRICTION = 1000;         // px/s^2 on the ground
constexpr double GRAVITY = 1000;          // px/s^2
constexpr double CLIMB_SPEED = 200;       // px/s
constexpr double WALL_BRAKE = 2000;       // px/s^2 on a climbable wall
constexpr double SHOT_SPEED = 200;        // px/s
constexpr int SHOT_LIFETIME = 2000;       // ms
constexpr int SHOT_DAMAGE = 30;
constexpr int MONSTER_DAMAGE = 30;

const Rgb BLACK = rgb(0, 0, 0);

class PlayMode : public WorldScenario {
protected:
  Monster& monsterAt(int i) { return dynamic_cast<Monster&>(object(i)); }

  void place(double x, double y, double vx, double vy, Character::Pose pose) {
    hero().position.set(x, y);
    hero().velocity.set(vx, vy);
    hero().setPose(pose);
  }

  // Runs frames until the character stands (at most 300).
  bool settle() {
    for (int i = 0; i < 300 && !hero().isPose(Character::GROUNDED); ++i) {
      frame(16);
    }
    return hero().isPose(Character::GROUNDED);
  }

  // Frames until every shot is gone; the number of frames taken, or -1.
  int framesUntilNoShots(int limit) {
    for (int i = 1; i <= limit; ++i) {
      frame(16);
      if (world->getProjectiles().empty()) {
        return i;
      }
    }
    return -1;
  }
};

// A plain platform with its top at 400 from x 0 to 200.
class Ledge : public PlayMode {
protected:
  void SetUp() override {
    PlayMode::SetUp();
    startOn("ledge.data", {spawn(100, 300), platform(0, 400, 200, 20, Platform::PLAIN)});
  }
};

TEST_F(Ledge, FallingCharacterLandsFlushOnThePlatformTopAndStays) {
  ASSERT_TRUE(settle());
  EXPECT_EQ(hero().position, Point2D(100, 390));
  EXPECT_EQ(hero().velocity.y, 0);
  frames(10, 16);
  EXPECT_TRUE(hero().isPose(Character::GROUNDED));
  EXPECT_EQ(hero().position.y, 390);
}

struct EdgeRow {
  std::string name;
  double x;
  Character::Pose expected;
};

class StandingOnAnEdge : public Ledge, public ::testing::WithParamInterface<EdgeRow> {};

// The probe for ground widens the box by one pixel on every side.
TEST_P(StandingOnAnEdge, KeepsGroundOnlyWithinOnePixel) {
  ASSERT_TRUE(settle());
  hero().position.x = GetParam().x;
  frame(16);
  EXPECT_EQ(hero().getPose(), GetParam().expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ledge, StandingOnAnEdge, ::testing::Values(
    EdgeRow{"HalfAPixelBeyondTheRightEdge", 210.5, Character::GROUNDED},
    EdgeRow{"OnePixelBeyondTheRightEdge", 211, Character::FALLING},
    EdgeRow{"HalfAPixelBeyondTheLeftEdge", -10.5, Character::GROUNDED},
    EdgeRow{"OnePixelBeyondTheLeftEdge", -11, Character::FALLING}),
    RowName{});
// clang-format on

struct RunRow {
  std::string name;
  bool grounded;
  const char* held;
  // The velocity the frame's move used, and what is left after the frame's
  // own friction.
  double movedWith, after;
};

class Running : public Ledge, public ::testing::WithParamInterface<RunRow> {};

TEST_P(Running, OneFrameOfInputFromRest) {
  const RunRow& row = GetParam();
  if (row.grounded) {
    ASSERT_TRUE(settle());
  } else {
    place(500, 100, 0, 0, Character::FALLING);
  }
  for (const char* key = row.held; *key != '\0'; ++key) {
    press(static_cast<SDLKey>(*key));
  }
  const double x0 = hero().position.x;
  frame(16);
  EXPECT_NEAR(hero().position.x - x0, row.movedWith * 16 / 1000, 1e-9);
  EXPECT_DOUBLE_EQ(hero().velocity.x, row.after);
}

constexpr double RUN = RUN_ACCELERATION * 16 / 1000;
constexpr double AIR = AIR_ACCELERATION * 16 / 1000;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Ledge, Running, ::testing::Values(
    RunRow{"RightOnTheGround", true, "d", RUN, RUN - FRICTION * 16 / 1000},
    RunRow{"LeftOnTheGround", true, "a", -RUN, -RUN + FRICTION * 16 / 1000},
    RunRow{"BothOnTheGroundCancel", true, "ad", 0, 0},
    RunRow{"RightInTheAir", false, "d", AIR, AIR},
    RunRow{"BothInTheAirCancel", false, "ad", 0, 0}),
    RowName{});
// clang-format on

// A wall whose left side is at 200.
class Wall : public PlayMode {
protected:
  void build(Platform::PlatformType type) {
    startOn("wall.data", {spawn(40, 40), platform(200, 0, 20, 400, type)});
  }
};

struct ClimbRow {
  std::string name;
  bool up, down;
  double speed;
};

class Climbing : public Wall, public ::testing::WithParamInterface<ClimbRow> {};

TEST_P(Climbing, HeldKeysSetTheVerticalSpeed) {
  build(Platform::CLIMBABLE);
  place(190, 200, 0, 0, Character::CLINGING);
  hero().setDirection(Character::RIGHT);
  press(SDLK_d);
  // The first frame finds the wall beside the character; climbing needs it.
  frame(16);
  ASSERT_TRUE(hero().isPose(Character::CLINGING));
  if (GetParam().up) {
    press(SDLK_w);
  }
  if (GetParam().down) {
    press(SDLK_s);
  }
  const double y0 = hero().position.y;
  frame(16);
  const double speed = GetParam().speed;
  EXPECT_NEAR(hero().position.y - y0, speed * 16 / 1000, 1e-9);
  // The climbable wall brakes toward zero after the move.
  EXPECT_DOUBLE_EQ(hero().velocity.y, speed - std::copysign(WALL_BRAKE * 16 / 1000, speed));
  EXPECT_TRUE(hero().isPose(Character::CLINGING));
}

INSTANTIATE_TEST_SUITE_P(Wall, Climbing,
                         ::testing::Values(ClimbRow{"Up", true, false, -CLIMB_SPEED},
                                           ClimbRow{"Down", false, true, CLIMB_SPEED},
                                           ClimbRow{"BothGoDown", true, true, CLIMB_SPEED}),
                         RowName{});

struct WallJumpRow {
  std::string name;
  Platform::PlatformType type;
  bool jumps;
};

class WallJump : public Wall, public ::testing::WithParamInterface<WallJumpRow> {};

TEST_P(WallJump, GrabOnArrivalThenJumpWhileClinging) {
  build(GetParam().type);
  place(185, 200, 500, 0, Character::FALLING);
  press(SDLK_d);
  frame(16);
  EXPECT_TRUE(hero().isPose(Character::CLINGING));
  EXPECT_TRUE(hero().isDirection(Character::RIGHT));
  EXPECT_EQ(hero().position.x, 190);
  EXPECT_EQ(hero().velocity.x, 0);

  // The frame that handled the contact looked for nothing beside the
  // character; sliding one more frame finds the wall for the jump.
  EXPECT_TRUE(hero().getAdjacent().empty());
  frame(16);
  ASSERT_EQ(hero().getAdjacent().size(), 1u);
  EXPECT_EQ(hero().getAdjacent()[0], &object(1));
  const double vy = hero().velocity.y;

  press(SDLK_SPACE);
  frame(16);
  if (GetParam().jumps) {
    EXPECT_TRUE(hero().isPose(Character::JUMPING));
    EXPECT_DOUBLE_EQ(hero().velocity.x, -200);
    EXPECT_DOUBLE_EQ(hero().velocity.y, 0.5 * vy - 500 + GRAVITY * 16 / 1000);
    EXPECT_LT(hero().position.x, 190);
  } else {
    EXPECT_TRUE(hero().isPose(Character::CLINGING));
    EXPECT_EQ(hero().position.x, 190);
  }
}

INSTANTIATE_TEST_SUITE_P(Wall, WallJump,
                         ::testing::Values(WallJumpRow{"Jumpable", Platform::JUMPABLE, true},
                                           WallJumpRow{"Climbable", Platform::CLIMBABLE, true},
                                           WallJumpRow{"Plain", Platform::PLAIN, false}),
                         RowName{});

// A platform and a monster in the same place; the character drops into
// both, and only the first in level order is handled.
TEST_F(PlayMode, OfTwoOverlappingObjectsOnlyTheFirstIsHandled) {
  const std::string floor = platform(0, 400, 200, 20, Platform::PLAIN);
  const std::string enemy = monster(90, 400);
  for (const bool monsterFirst : {true, false}) {
    SCOPED_TRACE(monsterFirst ? "monster first" : "platform first");
    startOn("pair.data",
            {spawn(40, 40), monsterFirst ? enemy : floor, monsterFirst ? floor : enemy});
    place(100, 385, 0, 1000, Character::FALLING);
    frame(16);
    EXPECT_EQ(hero().position.y, 390);
    if (monsterFirst) {
      // Thrown back up at the same speed, then one frame of gravity.
      EXPECT_EQ(hero().getCurrentHp(), 100 - MONSTER_DAMAGE);
      EXPECT_DOUBLE_EQ(hero().velocity.y, -1000 + GRAVITY * 16 / 1000);
      EXPECT_TRUE(hero().isPose(Character::FALLING));
    } else {
      EXPECT_EQ(hero().getCurrentHp(), 100);
      EXPECT_TRUE(hero().isPose(Character::GROUNDED));
    }
  }
}

// Only the adjacency probe runs: the monster counts as touching ground.
TEST_F(PlayMode, ACharacterAtRestInsideAnObjectGetsNoContact) {
  startOn("rest.data", {spawn(40, 40), monster(90, 90)});
  place(100, 100, 0, 0, Character::GROUNDED);
  frame(16);
  EXPECT_EQ(hero().getCurrentHp(), 100);
  EXPECT_TRUE(hero().isPose(Character::GROUNDED));
}

TEST_F(PlayMode, ADeadMonsterNeitherStopsNorHurtsButCountsAsGround) {
  startOn("dead.data", {spawn(40, 40), monster(90, 400)});
  monsterAt(1).setCurrentHp(-1);
  frame(16);
  ASSERT_FALSE(monsterAt(1).isActive());

  place(100, 385, 0, 1000, Character::FALLING);
  frame(16);
  EXPECT_DOUBLE_EQ(hero().position.y, 385 + 16);
  EXPECT_DOUBLE_EQ(hero().velocity.y, 1000 + GRAVITY * 16 / 1000);
  EXPECT_EQ(hero().getCurrentHp(), 100);

  place(100, 390, 0, 0, Character::GROUNDED);
  frame(16);
  EXPECT_TRUE(hero().isPose(Character::GROUNDED));
  ASSERT_EQ(hero().getAdjacent().size(), 1u);
  EXPECT_EQ(hero().getAdjacent()[0], &object(1));
}

struct DeathRow {
  std::string name;
  int startHp, hits;
};

class Death : public PlayMode, public ::testing::WithParamInterface<DeathRow> {};

// Bouncing on a monster costs hit points at every landing.
TEST_P(Death, ShowsTheMessageAndTheMenuInTheFrameAfterTheLastHit) {
  startOn("pit.data", {spawn(100, 100), monster(300, 400)});
  hero().setCurrentHp(GetParam().startHp);
  place(310, 385, 0, 300, Character::FALLING);
  for (int guard = 0; hero().getCurrentHp() > 0 && guard < 2000; ++guard) {
    frame(16);
    ASSERT_EQ(world->getMenu(), nullptr);
    ASSERT_EQ(lastMessage(), "");
  }
  ASSERT_EQ(hero().getCurrentHp(), GetParam().startHp - GetParam().hits * MONSTER_DAMAGE);

  frame(16);
  EXPECT_EQ(lastMessage(), "You are dead!");
  EXPECT_NE(world->getMenu(), nullptr);
  EXPECT_EQ(hero().getCurrentHp(), hero().getMaxHp());
  // The frame went on with the restarted character: at the spawn point,
  // with one frame of gravity in its speed.
  EXPECT_EQ(hero().position, Point2D(100, 100));
  EXPECT_DOUBLE_EQ(hero().velocity.y, GRAVITY * 16 / 1000);
}

INSTANTIATE_TEST_SUITE_P(PlayMode, Death,
                         ::testing::Values(DeathRow{"FullHealthAfterFourHits", 100, 4},
                                           DeathRow{"ExactlyZeroIsDead", 30, 1}),
                         RowName{});

TEST_F(PlayMode, TouchingTheGoalCompletesTheLevelInTheSameFrame) {
  startOn("goal.data", {spawn(100, 100), levelfile::goal(300, 300)});
  place(285, 350, 1000, 0, Character::FALLING);
  hero().setCurrentHp(40);
  frame(16);
  EXPECT_EQ(lastMessage(), "Level Complete!");
  EXPECT_NE(world->getMenu(), nullptr);
  EXPECT_EQ(hero().position, Point2D(100, 100));
  EXPECT_EQ(hero().velocity.x, 0);
  EXPECT_EQ(hero().getCurrentHp(), 100);
}

// A shot fired from inside the monster is stopped by it in the same frame.
TEST_F(PlayMode, AFrameOfNoTimeMovesNothingButStillResolvesContacts) {
  startOn("still.data", {spawn(40, 40), monster(90, 90)});
  place(100, 100, 50, 80, Character::FALLING);
  pointAt(300, 100);
  click(1);
  ASSERT_EQ(world->getProjectiles().size(), 1u);
  frame(0);
  EXPECT_EQ(hero().position, Point2D(100, 100));
  EXPECT_EQ(hero().getCurrentHp(), 100 - MONSTER_DAMAGE);
  EXPECT_EQ(monsterAt(1).getCurrentHp(), 100 - SHOT_DAMAGE);
  EXPECT_TRUE(world->getProjectiles().empty());
}

// The character stands at (320, 230), the window centre, so the camera
// stays put; a monster at 400 and then a wall at 500 lie to its right.
class Range : public PlayMode {
protected:
  void SetUp() override {
    PlayMode::SetUp();
    // The spawn point comes last: the character starts inside it, and an
    // earlier spawn point would take every contact from the floor.
    startOn("range.data", {platform(300, 240, 40, 20, Platform::PLAIN), monster(400, 220),
                           platform(500, 200, 20, 60, Platform::PLAIN), spawn(320, 230)});
    ASSERT_TRUE(settle());
    ASSERT_EQ(world->getOffset(), Point2D(0, 0));
  }
};

TEST_F(Range, LeftClickFiresFromTheCharacterTowardThePointerRightClickDoesNot) {
  moveMouse(320 + 30, 230 + 40);
  click(1);
  ASSERT_EQ(world->getProjectiles().size(), 1u);
  const Projectile& shot = world->getProjectiles()[0];
  EXPECT_EQ(Point2D(shot.getX(), shot.getY()), Point2D(320, 230));
  EXPECT_DOUBLE_EQ(shot.getVelocity().x, SHOT_SPEED * 30 / 50);
  EXPECT_DOUBLE_EQ(shot.getVelocity().y, SHOT_SPEED * 40 / 50);
  EXPECT_EQ(shot.getLifetime(), SHOT_LIFETIME);

  ::testing::internal::CaptureStdout();
  click(3);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "do stuff") << "the right button";
  EXPECT_EQ(world->getProjectiles().size(), 1u);
}

// The unit vector of a zero vector has no direction to fly in.
TEST_F(Range, AShotAimedAtTheCharactersCentreIsNotFired) {
  moveMouse(320, 230);
  click(1);
  EXPECT_TRUE(world->getProjectiles().empty());
  moveMouse(321, 230);
  click(1);
  ASSERT_EQ(world->getProjectiles().size(), 1u);
  EXPECT_DOUBLE_EQ(world->getProjectiles()[0].getVelocity().x, SHOT_SPEED);
}

// A shot hits as its truncated point, strictly inside: from 320 at 3.2 px a
// frame it is past 401 in the 26th frame.
TEST_F(Range, AMonsterDiesOnTheFourthHitAtTheNextUpdate) {
  for (int hit = 1; hit <= 4; ++hit) {
    pointAt(410, 230);
    click(1);
    ASSERT_EQ(framesUntilNoShots(100), 26) << "hit " << hit;
    EXPECT_EQ(monsterAt(1).getCurrentHp(), 100 - hit * SHOT_DAMAGE) << "hit " << hit;
    EXPECT_TRUE(monsterAt(1).isActive()) << "hit " << hit;
  }
  frame(16);
  EXPECT_FALSE(monsterAt(1).isActive());
}

TEST_F(Range, AShotPassesADeadMonsterAndStopsAtAWall) {
  monsterAt(1).setCurrentHp(-1);
  frame(16);
  ASSERT_FALSE(monsterAt(1).isActive());
  pointAt(410, 230);
  click(1);
  frames(40, 16);
  ASSERT_EQ(world->getProjectiles().size(), 1u);
  EXPECT_GT(world->getProjectiles()[0].getX(), 420);
  // Well before its lifetime is up, the wall takes it without a change.
  const int more = framesUntilNoShots(100);
  EXPECT_GT(more, 0);
  EXPECT_LT((40 + more) * 16, SHOT_LIFETIME);
  EXPECT_EQ(monsterAt(1).getCurrentHp(), -1);
  EXPECT_TRUE(object(2).isActive());
}

// A character that has fallen for long enough is past the int range; its
// shots are tested as points without an undefined conversion (the sanitized
// run checks this) and hit nothing out there.
TEST_F(Range, AShotFarBeyondTheIntRangeHitsNothing) {
  hero().position.set(3e9, 230);
  pointAt(320, 100);
  click(1);
  frame(16);
  EXPECT_EQ(world->getProjectiles().size(), 1u);
  EXPECT_EQ(monsterAt(1).getCurrentHp(), 100);
}

TEST_F(Range, AShotInTheOpenExpiresInTheFrameThatUsesUpItsLifetime) {
  pointAt(320, 100);
  click(1);
  EXPECT_EQ(framesUntilNoShots(200), (SHOT_LIFETIME + 15) / 16);
}

TEST_F(Range, ShotsAreDrawnAsGreenSquaresOverTheirPosition) {
  pointAt(320, 30);
  click(1);
  frames(10, 16);
  ASSERT_EQ(world->getProjectiles().size(), 1u);
  const int x = static_cast<int>(world->getProjectiles()[0].getX());
  const int y = static_cast<int>(world->getProjectiles()[0].getY());
  drawFrame();
  expectBox(x - 2, y - 2, x + 1, y + 1, rgb(0, 255, 0), BLACK);
}

struct CameraRow {
  std::string name;
  Point2D character;
  // Offset after the snapping frame, and where the character then sits in
  // the window.
  Point2D snapped, onScreen;
};

class Camera : public PlayMode, public ::testing::WithParamInterface<CameraRow> {};

TEST_P(Camera, SnapsAWindowAwayCharacterOntoTheEdgeThenGlides) {
  const CameraRow& row = GetParam();
  startOn("open.data", {spawn(320, 240)});
  place(row.character.x, row.character.y, 0, 0, Character::FALLING);
  frame(16);
  EXPECT_EQ(world->getOffset(), row.snapped);
  EXPECT_EQ(hero().position - world->getOffset(), row.onScreen);

  // Next frame: the camera follows by the remaining distance per second,
  // measured before the character moves.
  const Point2D d = hero().position - (world->getOffset() + Point2D(320, 240));
  frame(16);
  const Point2D expected = row.snapped + d * 16 / 1000;
  EXPECT_DOUBLE_EQ(world->getOffset().x, expected.x);
  EXPECT_DOUBLE_EQ(world->getOffset().y, expected.y);
}

// Less than a whole pixel past the edge is not past it. The dead zone is
// measured before the snap, so the unsnapped axis follows although it is
// only 60 pixels off centre.
// clang-format off
INSTANTIATE_TEST_SUITE_P(PlayMode, Camera, ::testing::Values(
    CameraRow{"BeyondTheRightEdge", {690, 240}, {50, 0}, {640, 240}},
    CameraRow{"BeyondTheLeftEdge", {-50, 240}, {-50, 0}, {0, 240}},
    CameraRow{"BelowTheBottomEdge", {320, 530}, {0, 50}, {320, 480}},
    CameraRow{"AboveTheTopEdge", {320, -50}, {0, -50}, {320, 0}},
    CameraRow{"HalfAPixelPastTheEdgeOnlyFollows", {640.5, 240}, {320.5 * 16 / 1000, 0},
              {640.5 - 320.5 * 16 / 1000, 240}},
    CameraRow{"DeadZoneMeasuredBeforeTheSnap", {690, 300}, {50, 60.0 * 16 / 1000},
              {640, 300 - 60.0 * 16 / 1000}}),
    RowName{});
// clang-format on

TEST_F(PlayMode, CameraStaysWhileTheCharacterIsWithinTheDeadZone) {
  startOn("open.data", {spawn(320, 240)});
  place(320 + 60, 240 + 80, 0, 0, Character::FALLING);
  frame(16);
  EXPECT_EQ(world->getOffset(), Point2D(0, 0));
  place(320 + 61, 240 + 80, 0, 0, Character::FALLING);
  frame(16);
  EXPECT_DOUBLE_EQ(world->getOffset().x, 61.0 * 16 / 1000);
}

} // namespace
