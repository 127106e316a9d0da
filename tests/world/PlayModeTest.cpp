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

// The rules' constants in px/s, px/s^2 and ms, as a player would measure them.
constexpr double RUN = 2000.0 * 16 / 1000; // one 16 ms frame of acceleration
constexpr double AIR = 400.0 * 16 / 1000;
constexpr double FRICTION = 1000.0 * 16 / 1000;
constexpr double GRAVITY = 1000.0 * 16 / 1000;
constexpr double WALL_BRAKE = 2000.0 * 16 / 1000;
constexpr double SHOT_SPEED = 200;
constexpr int SHOT_LIFETIME = 2000;
constexpr int DAMAGE = 30; // of a shot, and of a monster met

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

// A plain platform with its top at 400 from x 0 to 200; the character
// lands flush on it and stays.
class Ledge : public PlayMode {
protected:
  void SetUp() override {
    PlayMode::SetUp();
    startOn("ledge.data", {spawn(100, 300), platform(0, 400, 200, 20, Platform::PLAIN)});
    ASSERT_TRUE(settle());
    frames(10, 16);
    ASSERT_EQ(hero().position, Point2D(100, 390));
  }
};

// The probe for ground widens the box by one pixel on every side.
TEST_F(Ledge, StandingOnAnEdgeKeepsGroundOnlyWithinOnePixel) {
  const struct {
    const char* name;
    double x;
    Character::Pose expected;
  } rows[] = {{"HalfAPixelBeyondTheRightEdge", 210.5, Character::GROUNDED},
              {"OnePixelBeyondTheRightEdge", 211, Character::FALLING},
              {"HalfAPixelBeyondTheLeftEdge", -10.5, Character::GROUNDED},
              {"OnePixelBeyondTheLeftEdge", -11, Character::FALLING}};
  for (const auto& row : rows) {
    place(row.x, 390, 0, 0, Character::GROUNDED);
    frame(16);
    EXPECT_EQ(hero().getPose(), row.expected) << row.name;
  }
}

// The velocity the frame's move used, and what is left after the frame's
// own friction; in the air a fifth of the acceleration and no friction.
TEST_F(Ledge, OneFrameOfInputFromRestRunsAtThirtyTwoOrInTheAirAtSixPointFour) {
  const struct {
    const char* name;
    bool grounded;
    const char* held;
    double movedWith, after;
  } rows[] = {{"RightOnTheGround", true, "d", RUN, RUN - FRICTION},
              {"LeftOnTheGround", true, "a", -RUN, -RUN + FRICTION},
              {"BothOnTheGroundCancel", true, "ad", 0, 0},
              {"RightInTheAir", false, "d", AIR, AIR}};
  for (const auto& row : rows) {
    place(100, row.grounded ? 390 : 100, 0, 0,
          row.grounded ? Character::GROUNDED : Character::FALLING);
    for (const char* key = row.held; *key != '\0'; ++key) {
      press(static_cast<SDLKey>(*key));
    }
    frame(16);
    for (const char* key = row.held; *key != '\0'; ++key) {
      release(static_cast<SDLKey>(*key));
    }
    EXPECT_NEAR(hero().position.x - 100, row.movedWith * 16 / 1000, 1e-9) << row.name;
    EXPECT_DOUBLE_EQ(hero().velocity.x, row.after) << row.name;
  }
}

// A wall whose left side is at 200.
class Wall : public PlayMode {
protected:
  void build(Platform::PlatformType type) {
    startOn("wall.data", {spawn(40, 40), platform(200, 0, 20, 400, type)});
  }
};

TEST_F(Wall, HeldKeysClimbAtTwoHundredAndTheWallBrakesAfterTheMove) {
  for (const auto& [key, speed] : {std::pair{SDLK_w, -200.0}, {SDLK_s, 200.0}}) {
    build(Platform::CLIMBABLE);
    place(190, 200, 0, 0, Character::CLINGING);
    hero().setDirection(Character::RIGHT);
    press(SDLK_d);
    // The first frame finds the wall beside the character; climbing needs it.
    frame(16);
    press(key);
    const double y0 = hero().position.y;
    frame(16);
    release(key);
    EXPECT_NEAR(hero().position.y - y0, speed * 16 / 1000, 1e-9);
    EXPECT_DOUBLE_EQ(hero().velocity.y, speed - std::copysign(WALL_BRAKE, speed));
    EXPECT_TRUE(hero().isPose(Character::CLINGING));
  }
}

// The frame that handles the contact looks for nothing beside the
// character; sliding one more frame finds the wall for the jump.
TEST_F(Wall, GrabOnArrivalThenJumpOnlyOffAJumpableWall) {
  for (const bool jumpable : {true, false}) {
    build(jumpable ? Platform::JUMPABLE : Platform::PLAIN);
    place(185, 200, 500, 0, Character::FALLING);
    press(SDLK_d);
    frame(16);
    EXPECT_TRUE(hero().isPose(Character::CLINGING));
    EXPECT_EQ(hero().position.x, 190);
    EXPECT_EQ(hero().velocity.x, 0);
    frame(16);
    const double vy = hero().velocity.y;
    press(SDLK_SPACE);
    frame(16);
    release(SDLK_SPACE);
    if (jumpable) {
      EXPECT_TRUE(hero().isPose(Character::JUMPING));
      EXPECT_DOUBLE_EQ(hero().velocity.x, -200);
      EXPECT_DOUBLE_EQ(hero().velocity.y, 0.5 * vy - 500 + GRAVITY);
    } else {
      EXPECT_TRUE(hero().isPose(Character::CLINGING));
      EXPECT_EQ(hero().position.x, 190);
    }
  }
}

// A platform and a monster in the same place; the character drops into
// both, and only the first in level order is handled.
TEST_F(PlayMode, OfTwoOverlappingObjectsOnlyTheFirstIsHandled) {
  const std::string floor = platform(0, 400, 200, 20, Platform::PLAIN);
  const std::string enemy = monster(90, 400);
  for (const bool monsterFirst : {true, false}) {
    startOn("pair.data",
            {spawn(40, 40), monsterFirst ? enemy : floor, monsterFirst ? floor : enemy});
    place(100, 385, 0, 1000, Character::FALLING);
    frame(16);
    EXPECT_EQ(hero().position.y, 390);
    // A monster throws the character back up, then one frame of gravity.
    EXPECT_EQ(hero().getCurrentHp(), monsterFirst ? 100 - DAMAGE : 100);
    EXPECT_DOUBLE_EQ(hero().velocity.y, monsterFirst ? -1000 + GRAVITY : 0);
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
  place(100, 385, 0, 1000, Character::FALLING);
  frame(16);
  EXPECT_DOUBLE_EQ(hero().position.y, 385 + 16);
  EXPECT_EQ(hero().getCurrentHp(), 100);
  place(100, 390, 0, 0, Character::GROUNDED);
  frame(16);
  EXPECT_TRUE(hero().isPose(Character::GROUNDED));
}

// Bouncing on a monster costs hit points at every landing; the frame of
// the second hit leaves exactly 0.
TEST_F(PlayMode, DeathShowsTheMessageAndTheMenuInTheFrameAfterTheLastHit) {
  startOn("pit.data", {spawn(100, 100), monster(300, 400)});
  hero().setCurrentHp(2 * DAMAGE);
  place(310, 385, 0, 300, Character::FALLING);
  for (int guard = 0; hero().getCurrentHp() > 0 && guard < 2000; ++guard) {
    frame(16);
    ASSERT_EQ(world->getMenu(), nullptr);
  }
  ASSERT_EQ(hero().getCurrentHp(), 0);
  EXPECT_EQ(lastMessage(), "F1: help");
  frame(16);
  EXPECT_EQ(lastMessage(), "You are dead!");
  EXPECT_NE(world->getMenu(), nullptr);
  EXPECT_EQ(hero().getCurrentHp(), hero().getMaxHp());
  // The frame went on with the restarted character.
  EXPECT_EQ(hero().position, Point2D(100, 100));
  EXPECT_DOUBLE_EQ(hero().velocity.y, GRAVITY);
}

TEST_F(PlayMode, TouchingTheGoalCompletesTheLevelInTheSameFrame) {
  startOn("goal.data", {spawn(100, 100), levelfile::goal(300, 300)});
  place(285, 350, 1000, 0, Character::FALLING);
  hero().setCurrentHp(40);
  frame(16);
  EXPECT_EQ(lastMessage(), "Level Complete!");
  EXPECT_NE(world->getMenu(), nullptr);
  EXPECT_EQ(hero().position, Point2D(100, 100));
  EXPECT_EQ(hero().getCurrentHp(), 100);
}

// A shot fired from inside the monster is stopped by it in the same frame.
TEST_F(PlayMode, AFrameOfNoTimeMovesNothingButStillResolvesContacts) {
  startOn("still.data", {spawn(40, 40), monster(90, 90)});
  place(100, 100, 50, 80, Character::FALLING);
  pointAt(300, 100);
  click(1);
  frame(0);
  EXPECT_EQ(hero().position, Point2D(100, 100));
  EXPECT_EQ(hero().getCurrentHp(), 100 - DAMAGE);
  EXPECT_EQ(monsterAt(1).getCurrentHp(), 100 - DAMAGE);
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
  }
};

// The unit vector of a zero vector has no direction: a shot aimed exactly
// at the character's centre is not fired.
TEST_F(Range, LeftClickFiresFromTheCharacterTowardThePointerRightClickDoesNot) {
  moveMouse(320, 230);
  click(1);
  EXPECT_TRUE(world->getProjectiles().empty());
  moveMouse(320 + 30, 230 + 40);
  click(1);
  ASSERT_EQ(world->getProjectiles().size(), 1u);
  const Projectile& shot = world->getProjectiles()[0];
  EXPECT_EQ(Point2D(shot.getX(), shot.getY()), Point2D(320, 230));
  EXPECT_EQ(shot.getVelocity(), Point2D(SHOT_SPEED * 30 / 50, SHOT_SPEED * 40 / 50));
  EXPECT_EQ(shot.getLifetime(), SHOT_LIFETIME);

  ::testing::internal::CaptureStdout();
  click(3);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "do stuff");
  EXPECT_EQ(world->getProjectiles().size(), 1u);
}

// A shot hits as its truncated point, strictly inside: from 320 at 3.2 px a
// frame it is past 401 in the 26th frame. The dead monster lets the next
// shot pass on to the wall, past 501 in the 57th frame.
TEST_F(Range, AMonsterDiesOnTheFourthHitAtTheNextUpdateThenLetsShotsPass) {
  for (int hit = 1; hit <= 4; ++hit) {
    pointAt(410, 230);
    click(1);
    ASSERT_EQ(framesUntilNoShots(100), 26) << "hit " << hit;
    EXPECT_EQ(monsterAt(1).getCurrentHp(), 100 - hit * DAMAGE) << "hit " << hit;
    EXPECT_TRUE(monsterAt(1).isActive()) << "hit " << hit;
  }
  frame(16);
  EXPECT_FALSE(monsterAt(1).isActive());
  pointAt(410, 230);
  click(1);
  EXPECT_EQ(framesUntilNoShots(100), 57);
  EXPECT_EQ(monsterAt(1).getCurrentHp(), 100 - 4 * DAMAGE);
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

TEST_F(Range, AShotInTheOpenIsDrawnUntilTheFrameThatUsesUpItsLifetime) {
  pointAt(320, 30);
  click(1);
  frames(10, 16);
  ASSERT_EQ(world->getProjectiles().size(), 1u);
  const int x = static_cast<int>(world->getProjectiles()[0].getX());
  const int y = static_cast<int>(world->getProjectiles()[0].getY());
  drawFrame();
  expectBox(x - 2, y - 2, x + 1, y + 1, rgb(0, 255, 0), BLACK);
  EXPECT_EQ(framesUntilNoShots(200), (SHOT_LIFETIME + 15) / 16 - 10);
}

// A character out of the window is put on the edge it crossed (less than a
// whole pixel past it is not past it); the next frame the camera follows
// by the remaining distance per second, measured before the character
// moves. The dead zone is measured before the snap, so the unsnapped axis
// follows although it is only 60 pixels off centre.
TEST_F(PlayMode, TheCameraSnapsAWindowAwayCharacterOntoTheEdgeThenGlides) {
  const struct {
    const char* name;
    Point2D character, snapped;
  } rows[] = {{"BeyondTheRightEdge", {690, 240}, {50, 0}},
              {"BeyondTheLeftEdge", {-50, 240}, {-50, 0}},
              {"BelowTheBottomEdge", {320, 530}, {0, 50}},
              {"HalfAPixelPastTheEdgeOnlyFollows", {640.5, 240}, {320.5 * 16 / 1000, 0}},
              {"DeadZoneMeasuredBeforeTheSnap", {690, 300}, {50, 60.0 * 16 / 1000}}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    startOn("open.data", {spawn(320, 240)});
    place(row.character.x, row.character.y, 0, 0, Character::FALLING);
    frame(16);
    EXPECT_EQ(world->getOffset(), row.snapped);
    const Point2D d = hero().position - (world->getOffset() + Point2D(320, 240));
    frame(16);
    EXPECT_DOUBLE_EQ(world->getOffset().x, row.snapped.x + d.x * 16 / 1000);
    EXPECT_DOUBLE_EQ(world->getOffset().y, row.snapped.y + d.y * 16 / 1000);
  }
}

// 100 pixels off centre is within it, 101 is not.
TEST_F(PlayMode, TheCameraStaysWhileTheCharacterIsWithinTheDeadZone) {
  startOn("open.data", {spawn(320, 240)});
  place(320 + 60, 240 + 80, 0, 0, Character::FALLING);
  frame(16);
  EXPECT_EQ(world->getOffset(), Point2D(0, 0));
  place(320 + 61, 240 + 80, 0, 0, Character::FALLING);
  frame(16);
  EXPECT_DOUBLE_EQ(world->getOffset().x, 61.0 * 16 / 1000);
}

} // namespace
