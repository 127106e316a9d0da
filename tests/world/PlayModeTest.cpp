// Play-mode frames driven through the frame loop's dispatch with chosen
// elapsed times, on levels written to a temporary resource folder.

#include "WorldScenario.h"

#include "actors/Character.h"
#include "actors/Projectile.h"
#include "objects/GameObject.h"
#include "objects/Level.h"
#include "objects/Monster.h"
#include "objects/Platform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace {

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
const Rgb CHARACTER_BLUE = rgb(0, 0, 255);
const Rgb SHOT_GREEN = rgb(0, 255, 0);

// Level-file lines; coordinates in pixels (multiples of 10).
std::string tenths(int v) {
  return std::to_string(v / 10);
}
std::string rectFields(int x, int y, int w, int h) {
  return tenths(x) + " " + tenths(y) + " " + tenths(w) + " " + tenths(h) + " ";
}
std::string platformLine(int x, int y, int w, int h, Platform::PlatformType t) {
  return "1 " + rectFields(x, y, w, h) + std::to_string(static_cast<int>(t)) + " ";
}
std::string spawnLine(int x, int y) {
  return "2 " + rectFields(x, y, 20, 20);
}
std::string goalLine(int x, int y, int w, int h) {
  return "3 " + rectFields(x, y, w, h);
}
std::string monsterLine(int x, int y, int w, int h) {
  return "4 " + rectFields(x, y, w, h);
}

} // namespace

// Parameter rows print as their names in test output.
template <typename Row>
requires requires(const Row& r) {
  r.name;
}
static void PrintTo(const Row& row, std::ostream* os) {
  *os << row.name;
}

class PlayMode : public WorldScenario {
protected:
  Character& hero() { return world->getCharacter(); }
  GameObject& object(int i) { return *world->getLevel().objects.at(i); }
  Monster& monster(int i) { return dynamic_cast<Monster&>(object(i)); }

  void place(double x, double y, double vx, double vy, Character::Pose pose) {
    hero().position.set(x, y);
    hero().velocity.set(vx, vy);
    hero().setPose(pose);
  }

  // Runs frames until the character stands (at most limit frames).
  bool settle(int ms, int limit = 300) {
    for (int i = 0; i < limit; ++i) {
      frame(ms);
      if (hero().isPose(Character::GROUNDED)) {
        return true;
      }
    }
    return false;
  }

  // Aims at a world position with the camera where it is, and clicks left.
  void shootAt(double worldX, double worldY) {
    const Point2D& offset = world->getOffset();
    moveMouse(static_cast<int>(worldX - offset.x), static_cast<int>(worldY - offset.y));
    click(1);
  }

  // Frames until every shot is gone; the number of frames taken, or -1.
  int framesUntilNoShots(int ms, int limit) {
    for (int i = 1; i <= limit; ++i) {
      frame(ms);
      if (world->getProjectiles().empty()) {
        return i;
      }
    }
    return -1;
  }
};

// ---- Standing, landing and falling ------------------------------------------

class Ledge : public PlayMode {
protected:
  static constexpr int TOP = 400;
  static constexpr int LEFT = 0;
  static constexpr int RIGHT = 200;

  void SetUp() override {
    PlayMode::SetUp();
    startOn("ledge.data",
            {spawnLine(100, 300), platformLine(LEFT, TOP, RIGHT - LEFT, 20, Platform::PLAIN)});
    makeWorld();
  }
};

TEST_F(Ledge, FallingCharacterLandsFlushOnThePlatformTop) {
  ASSERT_TRUE(settle(16));
  EXPECT_EQ(hero().position.y, TOP - 10);
  EXPECT_EQ(hero().position.x, 100);
  EXPECT_EQ(hero().velocity.y, 0);

  frames(10, 16);
  EXPECT_TRUE(hero().isPose(Character::GROUNDED));
  EXPECT_EQ(hero().position.y, TOP - 10);
}

struct EdgeCase {
  const char* name;
  double x;
  Character::Pose expected;
};

class StandingOnAnEdge : public Ledge, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(StandingOnAnEdge, KeepsGroundOnlyWithinOnePixel) {
  ASSERT_TRUE(settle(16));
  hero().position.x = GetParam().x;
  frame(16);
  EXPECT_EQ(hero().getPose(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ledge, StandingOnAnEdge,
    ::testing::Values(EdgeCase{"HalfAPixelBeyondTheRightEdge", 200 + 10 + 0.5, Character::GROUNDED},
                      EdgeCase{"OnePixelBeyondTheRightEdge", 200 + 10 + 1, Character::FALLING},
                      EdgeCase{"HalfAPixelBeyondTheLeftEdge", 0 - 10 - 0.5, Character::GROUNDED},
                      EdgeCase{"OnePixelBeyondTheLeftEdge", 0 - 10 - 1, Character::FALLING}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Ledge, RunningOffTheEdgeFallsPastThePlatformTop) {
  ASSERT_TRUE(settle(16));
  press(SDLK_d);
  int groundedFrames = 0;
  while (hero().isPose(Character::GROUNDED) && groundedFrames < 200) {
    frame(16);
    ++groundedFrames;
  }
  ASSERT_TRUE(hero().isPose(Character::FALLING));
  // It leaves the ground only once its box is more than a pixel past the edge.
  EXPECT_GE(hero().position.x - 10, RIGHT + 1);
  frames(30, 16);
  EXPECT_GT(hero().position.y, TOP - 10);
  EXPECT_TRUE(hero().isPose(Character::FALLING));
}

// ---- Running ---------------------------------------------------------------

struct RunCase {
  const char* name;
  bool grounded;
  bool left;
  bool right;
  // The velocity the move of the frame used, and what is left after the
  // frame's own friction.
  double movedWith;
  double after;
};

class Running : public Ledge, public ::testing::WithParamInterface<RunCase> {};

TEST_P(Running, OneFrameOfInputFromRest) {
  const RunCase& c = GetParam();
  if (c.grounded) {
    ASSERT_TRUE(settle(16));
  } else {
    place(500, 100, 0, 0, Character::FALLING);
  }
  if (c.left) {
    press(SDLK_a);
  }
  if (c.right) {
    press(SDLK_d);
  }
  const double x0 = hero().position.x;
  frame(16);
  // The move used the speed before friction.
  EXPECT_NEAR(hero().position.x - x0, c.movedWith * 16 / 1000, 1e-9);
  EXPECT_DOUBLE_EQ(hero().velocity.x, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Ledge, Running,
    ::testing::Values(RunCase{"RightOnTheGround", true, false, true, RUN_ACCELERATION * 16 / 1000,
                              RUN_ACCELERATION * 16 / 1000 - FRICTION * 16 / 1000},
                      RunCase{"LeftOnTheGround", true, true, false, -RUN_ACCELERATION * 16 / 1000,
                              -RUN_ACCELERATION * 16 / 1000 + FRICTION * 16 / 1000},
                      RunCase{"BothOnTheGroundCancel", true, true, true, 0, 0},
                      RunCase{"RightInTheAir", false, false, true, AIR_ACCELERATION * 16 / 1000,
                              AIR_ACCELERATION * 16 / 1000},
                      RunCase{"LeftInTheAir", false, true, false, -AIR_ACCELERATION * 16 / 1000,
                              -AIR_ACCELERATION * 16 / 1000},
                      RunCase{"BothInTheAirCancel", false, true, true, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Walls -------------------------------------------------------------------

class Wall : public PlayMode {
protected:
  static constexpr int WALL_LEFT = 200;

  void build(Platform::PlatformType type) {
    startOn("wall.data", {spawnLine(40, 40), platformLine(WALL_LEFT, 0, 20, 400, type)});
    makeWorld();
  }
};

struct ClimbCase {
  const char* name;
  bool up;
  bool down;
  double speed;
};

class Climbing : public Wall, public ::testing::WithParamInterface<ClimbCase> {};

TEST_P(Climbing, HeldKeysSetTheVerticalSpeed) {
  build(Platform::CLIMBABLE);
  place(WALL_LEFT - 10, 200, 0, 0, Character::CLINGING);
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
                         ::testing::Values(ClimbCase{"Up", true, false, -CLIMB_SPEED},
                                           ClimbCase{"Down", false, true, CLIMB_SPEED},
                                           ClimbCase{"BothGoDown", true, true, CLIMB_SPEED}),
                         [](const auto& info) { return std::string(info.param.name); });

struct WallJumpCase {
  const char* name;
  Platform::PlatformType type;
  bool jumps;
};

class WallJump : public Wall, public ::testing::WithParamInterface<WallJumpCase> {};

TEST_P(WallJump, GrabOnArrivalThenJumpWhileClinging) {
  build(GetParam().type);
  place(185, 200, 500, 0, Character::FALLING);
  press(SDLK_d);

  // Arriving from a distance: flush against the wall and holding on.
  frame(16);
  EXPECT_TRUE(hero().isPose(Character::CLINGING));
  EXPECT_TRUE(hero().isDirection(Character::RIGHT));
  EXPECT_EQ(hero().position.x, WALL_LEFT - 10);
  EXPECT_EQ(hero().velocity.x, 0);

  // The frame that handled the contact looked for nothing beside the
  // character; sliding one more frame finds the wall for the jump.
  EXPECT_TRUE(hero().getAdjacent().empty());
  frame(16);
  ASSERT_TRUE(hero().isPose(Character::CLINGING));
  ASSERT_EQ(hero().getAdjacent().size(), 1u);
  EXPECT_EQ(hero().getAdjacent()[0], &object(1));
  const double vy = hero().velocity.y;

  press(SDLK_SPACE);
  frame(16);
  if (GetParam().jumps) {
    EXPECT_TRUE(hero().isPose(Character::JUMPING));
    EXPECT_DOUBLE_EQ(hero().velocity.x, -200);
    EXPECT_DOUBLE_EQ(hero().velocity.y, 0.5 * vy - 500 + GRAVITY * 16 / 1000);
    EXPECT_LT(hero().position.x, WALL_LEFT - 10);
  } else {
    EXPECT_TRUE(hero().isPose(Character::CLINGING));
    EXPECT_EQ(hero().velocity.x, 0);
    EXPECT_EQ(hero().position.x, WALL_LEFT - 10);
  }
}

INSTANTIATE_TEST_SUITE_P(Wall, WallJump,
                         ::testing::Values(WallJumpCase{"Jumpable", Platform::JUMPABLE, true},
                                           WallJumpCase{"Climbable", Platform::CLIMBABLE, true},
                                           WallJumpCase{"Plain", Platform::PLAIN, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Contacts ------------------------------------------------------------------

// A platform and a monster in the same place; the character drops into both.
struct OverlapCase {
  const char* name;
  bool monsterFirst;
};

class TwoOverlappingObjects : public PlayMode, public ::testing::WithParamInterface<OverlapCase> {};

TEST_P(TwoOverlappingObjects, OnlyTheFirstInLevelOrderIsHandled) {
  const std::string floor = platformLine(0, 400, 200, 20, Platform::PLAIN);
  const std::string enemy = monsterLine(90, 400, 20, 20);
  if (GetParam().monsterFirst) {
    startOn("pair.data", {spawnLine(40, 40), enemy, floor});
  } else {
    startOn("pair.data", {spawnLine(40, 40), floor, enemy});
  }
  makeWorld();
  const double speed = 1000;
  place(100, 385, 0, speed, Character::FALLING);
  frame(16);

  EXPECT_EQ(hero().position.y, 400 - 10);
  if (GetParam().monsterFirst) {
    // Met from above: thrown back up at the same speed, then one frame of
    // gravity; the pose stays.
    EXPECT_EQ(hero().getCurrentHp(), 100 - MONSTER_DAMAGE);
    EXPECT_DOUBLE_EQ(hero().velocity.y, -speed + GRAVITY * 16 / 1000);
    EXPECT_TRUE(hero().isPose(Character::FALLING));
  } else {
    EXPECT_EQ(hero().getCurrentHp(), 100);
    EXPECT_EQ(hero().velocity.y, 0);
    EXPECT_TRUE(hero().isPose(Character::GROUNDED));
  }
}

INSTANTIATE_TEST_SUITE_P(PlayMode, TwoOverlappingObjects,
                         ::testing::Values(OverlapCase{"MonsterFirst", true},
                                           OverlapCase{"PlatformFirst", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlayMode, ACharacterAtRestInsideAnObjectGetsNoContact) {
  startOn("rest.data", {spawnLine(40, 40), monsterLine(90, 90, 20, 20)});
  makeWorld();
  place(100, 100, 0, 0, Character::GROUNDED);
  frame(16);
  EXPECT_EQ(hero().getCurrentHp(), 100);
  // Only the adjacency probe ran: the monster counts as touching ground.
  EXPECT_TRUE(hero().isPose(Character::GROUNDED));
}

TEST_F(PlayMode, ADeadMonsterNeitherStopsNorHurtsButCountsAsGround) {
  startOn("dead.data", {spawnLine(40, 40), monsterLine(90, 400, 20, 20)});
  makeWorld();
  monster(1).setCurrentHp(-1);
  frame(16);
  ASSERT_FALSE(monster(1).isActive());

  const double speed = 1000;
  place(100, 385, 0, speed, Character::FALLING);
  frame(16);
  EXPECT_DOUBLE_EQ(hero().position.y, 385 + speed * 16 / 1000);
  EXPECT_DOUBLE_EQ(hero().velocity.y, speed + GRAVITY * 16 / 1000);
  EXPECT_EQ(hero().getCurrentHp(), 100);

  place(100, 400 - 10, 0, 0, Character::GROUNDED);
  frame(16);
  EXPECT_TRUE(hero().isPose(Character::GROUNDED));
  ASSERT_EQ(hero().getAdjacent().size(), 1u);
  EXPECT_EQ(hero().getAdjacent()[0], &object(1));
}

struct DeathCase {
  const char* name;
  int startHp;
  int hits;
};

class Death : public PlayMode, public ::testing::WithParamInterface<DeathCase> {};

TEST_P(Death, ShowsTheMessageAndTheMenuInTheFrameAfterTheLastHit) {
  startOn("pit.data", {spawnLine(100, 100), monsterLine(300, 400, 20, 20)});
  makeWorld();
  hero().setCurrentHp(GetParam().startHp);
  place(310, 385, 0, 300, Character::FALLING);

  // Bouncing on the monster costs hit points at every landing.
  int guard = 0;
  while (hero().getCurrentHp() > 0 && guard < 2000) {
    frame(16);
    ++guard;
    ASSERT_EQ(world->getMenu(), nullptr);
    ASSERT_EQ(lastMessage(), "");
  }
  ASSERT_EQ(hero().getCurrentHp(), GetParam().startHp - GetParam().hits * MONSTER_DAMAGE);

  frame(16);
  EXPECT_EQ(lastMessage(), "You are dead!");
  EXPECT_NE(world->getMenu(), nullptr);
  EXPECT_EQ(hero().getCurrentHp(), hero().getMaxHp());
  // The frame went on with the restarted character: at the spawn point, one
  // frame of gravity in its speed.
  EXPECT_EQ(hero().position, Point2D(100, 100));
  EXPECT_DOUBLE_EQ(hero().velocity.y, GRAVITY * 16 / 1000);
}

INSTANTIATE_TEST_SUITE_P(PlayMode, Death,
                         ::testing::Values(DeathCase{"FullHealthAfterFourHits", 100, 4},
                                           DeathCase{"ExactlyZeroIsDead", 30, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlayMode, TouchingTheGoalCompletesTheLevelInTheSameFrame) {
  startOn("goal.data", {spawnLine(100, 100), goalLine(300, 300, 100, 100)});
  makeWorld();
  place(285, 350, 1000, 0, Character::FALLING);
  hero().setCurrentHp(40);
  frame(16);
  EXPECT_EQ(lastMessage(), "Level Complete!");
  EXPECT_NE(world->getMenu(), nullptr);
  EXPECT_EQ(hero().position, Point2D(100, 100));
  EXPECT_EQ(hero().velocity.x, 0);
  EXPECT_EQ(hero().getCurrentHp(), 100);
}

TEST_F(PlayMode, AFrameOfNoTimeMovesNothingButStillResolvesContacts) {
  startOn("still.data", {spawnLine(40, 40), monsterLine(90, 90, 20, 20)});
  makeWorld();
  world->setOffset(0, 0);
  place(100, 100, 50, 80, Character::FALLING);
  // A shot from inside the monster is stopped by it in the same frame.
  shootAt(300, 100);
  ASSERT_EQ(world->getProjectiles().size(), 1u);

  frame(0);
  EXPECT_EQ(hero().position, Point2D(100, 100));
  EXPECT_EQ(hero().getCurrentHp(), 100 - MONSTER_DAMAGE);
  EXPECT_EQ(monster(1).getCurrentHp(), 100 - SHOT_DAMAGE);
  EXPECT_TRUE(world->getProjectiles().empty());
}

TEST_F(PlayMode, AFrameOfNoTimeLeavesAShotWhereItIs) {
  startOn("open.data", {spawnLine(300, 240)});
  makeWorld();
  world->setOffset(0, 0);
  shootAt(400, 240);
  frame(0);
  ASSERT_EQ(world->getProjectiles().size(), 1u);
  EXPECT_EQ(world->getProjectiles()[0].getX(), 300);
  EXPECT_EQ(world->getProjectiles()[0].getLifetime(), SHOT_LIFETIME);
}

// ---- Shots ------------------------------------------------------------------------

class Range : public PlayMode {
protected:
  // The character stands at (320, 230), the window centre, so the camera
  // stays put; the monster and then a wall lie to the right.
  static constexpr int MONSTER_LEFT = 400;
  static constexpr int WALL_LEFT = 500;

  void SetUp() override {
    PlayMode::SetUp();
    // The spawn point comes last: the character starts inside it, and an
    // earlier spawn point would take every contact from the floor.
    startOn("range.data",
            {platformLine(300, 240, 40, 20, Platform::PLAIN),
             monsterLine(MONSTER_LEFT, 220, 20, 20),
             platformLine(WALL_LEFT, 200, 20, 60, Platform::PLAIN), spawnLine(320, 230)});
    makeWorld();
    ASSERT_TRUE(settle(16));
    ASSERT_EQ(world->getOffset(), Point2D(0, 0));
  }
};

TEST_F(Range, LeftClickFiresFromTheCharacterTowardThePointer) {
  moveMouse(320 + 30, 230 + 40);
  click(1);
  ASSERT_EQ(world->getProjectiles().size(), 1u);
  const Projectile& shot = world->getProjectiles()[0];
  EXPECT_EQ(shot.getX(), 320);
  EXPECT_EQ(shot.getY(), 230);
  EXPECT_DOUBLE_EQ(shot.getVelocity().x, SHOT_SPEED * 30 / 50);
  EXPECT_DOUBLE_EQ(shot.getVelocity().y, SHOT_SPEED * 40 / 50);
  EXPECT_EQ(shot.getLifetime(), SHOT_LIFETIME);
}

TEST_F(Range, AShotAimedAtTheCharactersCentreIsNotFired) {
  moveMouse(320, 230);
  click(1);
  EXPECT_TRUE(world->getProjectiles().empty());
  moveMouse(321, 230);
  click(1);
  ASSERT_EQ(world->getProjectiles().size(), 1u);
  EXPECT_DOUBLE_EQ(world->getProjectiles()[0].getVelocity().x, SHOT_SPEED);
}

TEST_F(Range, RightClickOnlyPrintsDoStuff) {
  moveMouse(400, 230);
  ::testing::internal::CaptureStdout();
  click(3);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "do stuff");
  EXPECT_TRUE(world->getProjectiles().empty());
}

TEST_F(Range, AMonsterDiesOnTheFourthHitAtTheNextUpdate) {
  for (int hit = 1; hit <= 4; ++hit) {
    shootAt(410, 230);
    // The truncated point must be strictly inside: x from 320 at 3.2 px a
    // frame is past 401 in the 26th frame.
    ASSERT_EQ(framesUntilNoShots(16, 100), 26) << "hit " << hit;
    EXPECT_EQ(monster(1).getCurrentHp(), 100 - hit * SHOT_DAMAGE) << "hit " << hit;
    EXPECT_TRUE(monster(1).isActive()) << "hit " << hit;
  }
  frame(16);
  EXPECT_FALSE(monster(1).isActive());
}

TEST_F(Range, AShotPassesADeadMonsterAndStopsAtAWall) {
  monster(1).setCurrentHp(-1);
  frame(16);
  ASSERT_FALSE(monster(1).isActive());

  shootAt(410, 230);
  frames(40, 16);
  ASSERT_EQ(world->getProjectiles().size(), 1u);
  EXPECT_GT(world->getProjectiles()[0].getX(), MONSTER_LEFT + 20);
  EXPECT_EQ(monster(1).getCurrentHp(), -1);

  // Well before its lifetime is up, the wall takes it without a change.
  const int more = framesUntilNoShots(16, 100);
  EXPECT_GT(more, 0);
  EXPECT_LT((40 + more) * 16, SHOT_LIFETIME);
  EXPECT_EQ(object(2).getX(), WALL_LEFT);
  EXPECT_TRUE(object(2).isActive());
}

TEST_F(Range, AShotExpiresAfterItsLifetime) {
  shootAt(320, 100);
  // Gone in the frame that uses up the last of its lifetime.
  EXPECT_EQ(framesUntilNoShots(16, 200), (SHOT_LIFETIME + 15) / 16);
}

TEST_F(Range, ShotsAreDrawnAsGreenSquaresOverTheirPosition) {
  shootAt(320, 30);
  frames(10, 16);
  ASSERT_EQ(world->getProjectiles().size(), 1u);
  const Projectile& shot = world->getProjectiles()[0];
  const int x = static_cast<int>(shot.getX());
  const int y = static_cast<int>(shot.getY());
  drawFrame();
  EXPECT_EQ(pixel(x - 2, y - 2), SHOT_GREEN);
  EXPECT_EQ(pixel(x + 1, y + 1), SHOT_GREEN);
  EXPECT_EQ(pixel(x - 3, y), BLACK);
  EXPECT_EQ(pixel(x + 2, y), BLACK);
  EXPECT_EQ(pixel(x, y - 3), BLACK);
  EXPECT_EQ(pixel(x, y + 2), BLACK);
}

TEST_F(Range, TheCharacterIsDrawnInPlayViewOnly) {
  drawFrame();
  EXPECT_EQ(pixel(310, 220), CHARACTER_BLUE);
  EXPECT_EQ(pixel(329, 239), CHARACTER_BLUE);
  EXPECT_EQ(pixel(309, 230), BLACK);
  EXPECT_EQ(pixel(330, 230), BLACK);
  EXPECT_EQ(pixel(320, 219), BLACK);

  tap(SDLK_e);
  drawFrame();
  EXPECT_NE(pixel(310, 220), CHARACTER_BLUE);
  EXPECT_NE(pixel(329, 239), CHARACTER_BLUE);
}

// ---- Camera ---------------------------------------------------------------------------

struct CameraCase {
  const char* name;
  Point2D character;
  // Offset after the snapping frame, and where the character then sits in
  // the window.
  Point2D snapped;
  Point2D onScreen;
};

class Camera : public PlayMode, public ::testing::WithParamInterface<CameraCase> {};

TEST_P(Camera, SnapsAWindowAwayCharacterOntoTheEdgeThenGlides) {
  startOn("open.data", {spawnLine(320, 240)});
  makeWorld();
  world->setOffset(0, 0);
  const CameraCase& c = GetParam();
  place(c.character.x, c.character.y, 0, 0, Character::FALLING);

  frame(16);
  EXPECT_EQ(world->getOffset(), c.snapped);
  EXPECT_EQ(hero().position - world->getOffset(), c.onScreen);

  // Next frame: the camera follows by the remaining distance per second,
  // measured before the character moves.
  const Point2D centre(320, 240);
  const Point2D before = hero().position;
  const Point2D d = before - (world->getOffset() + centre);
  frame(16);
  const Point2D expected = c.snapped + d * 16 / 1000;
  EXPECT_DOUBLE_EQ(world->getOffset().x, expected.x);
  EXPECT_DOUBLE_EQ(world->getOffset().y, expected.y);
}

INSTANTIATE_TEST_SUITE_P(
    PlayMode, Camera,
    ::testing::Values(
        CameraCase{"BeyondTheRightEdge", Point2D(690, 240), Point2D(50, 0), Point2D(640, 240)},
        CameraCase{"BeyondTheLeftEdge", Point2D(-50, 240), Point2D(-50, 0), Point2D(0, 240)},
        CameraCase{"BelowTheBottomEdge", Point2D(320, 530), Point2D(0, 50), Point2D(320, 480)},
        CameraCase{"AboveTheTopEdge", Point2D(320, -50), Point2D(0, -50), Point2D(320, 0)},
        // Less than a whole pixel past the edge is not past it: only the
        // follow moves the camera.
        CameraCase{"HalfAPixelPastTheEdgeOnlyFollows", Point2D(640.5, 240),
                   Point2D(320.5 * 16 / 1000, 0), Point2D(640.5 - 320.5 * 16 / 1000, 240)},
        // The dead zone counts the distance before the snap, so the unsnapped
        // axis follows although it is only 60 pixels off centre.
        CameraCase{"DeadZoneMeasuredBeforeTheSnap", Point2D(690, 300),
                   Point2D(50, 60.0 * 16 / 1000), Point2D(640, 300 - 60.0 * 16 / 1000)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlayMode, CameraStaysWhileTheCharacterIsWithinTheDeadZone) {
  startOn("open.data", {spawnLine(320, 240)});
  makeWorld();
  world->setOffset(0, 0);
  place(320 + 60, 240 + 80, 0, 0, Character::FALLING);
  frame(16);
  EXPECT_EQ(world->getOffset(), Point2D(0, 0));
  place(320 + 61, 240 + 80, 0, 0, Character::FALLING);
  frame(16);
  EXPECT_DOUBLE_EQ(world->getOffset().x, 61.0 * 16 / 1000);
}

TEST_F(PlayMode, SnappedCharacterIsDrawnOnTheWindowEdge) {
  startOn("open.data", {spawnLine(320, 240)});
  makeWorld();
  world->setOffset(0, 0);
  place(690, 240, 0, 0, Character::FALLING);
  frame(16);
  drawFrame();
  EXPECT_EQ(pixel(630, 240), CHARACTER_BLUE);
  EXPECT_EQ(pixel(639, 240), CHARACTER_BLUE);
  EXPECT_EQ(pixel(629, 240), BLACK);
}
