// The replay format and its player: what a script may say, and that a
// played script reaches the world as the frame loop would deliver it.

#include "Replay.h"

#include "actors/Character.h"
#include "app/Application.h"
#include "support/GLWindow.h"
#include "world/World.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

ReplayEvent key(int frame, ReplayEvent::Kind kind, SDLKey k) {
  ReplayEvent e;
  e.frame = frame;
  e.kind = kind;
  e.key = k;
  return e;
}

ReplayEvent motion(int frame, int x, int y) {
  ReplayEvent e;
  e.frame = frame;
  e.kind = ReplayEvent::MOUSE_MOVE;
  e.x = x;
  e.y = y;
  return e;
}

ReplayEvent button(int frame, ReplayEvent::Kind kind, int b) {
  ReplayEvent e;
  e.frame = frame;
  e.kind = kind;
  e.button = b;
  return e;
}

} // namespace

// ---- Reading scripts ----------------------------------------------------------

TEST(ReplayScript, ReadsEveryKindOfStatementInOrder) {
  const std::string text = "# a comment line\n"
                           "ms 10\n"
                           "\n"
                           "0 keydown d   # run\n"
                           "0 keydown space\n"
                           "7 keyup space\n"
                           "12 mousemove 500 240\n"
                           "12 mousedown 1\n"
                           "13 mouseup 1\n";
  std::string error;
  const std::optional<Replay> replay = parseReplay(text, &error);
  ASSERT_TRUE(replay) << error;
  EXPECT_EQ(replay->frameMs, 10);
  const std::vector<ReplayEvent> expected = {
      key(0, ReplayEvent::KEY_DOWN, SDLK_d),   key(0, ReplayEvent::KEY_DOWN, SDLK_SPACE),
      key(7, ReplayEvent::KEY_UP, SDLK_SPACE), motion(12, 500, 240),
      button(12, ReplayEvent::MOUSE_DOWN, 1),  button(13, ReplayEvent::MOUSE_UP, 1),
  };
  EXPECT_EQ(replay->events, expected);
}

TEST(ReplayScript, OnlyTheMsLineIsAnEmptyScript) {
  const std::optional<Replay> replay = parseReplay("ms 16\n");
  ASSERT_TRUE(replay);
  EXPECT_EQ(replay->frameMs, 16);
  EXPECT_TRUE(replay->events.empty());
}

struct BadScriptRow {
  const char* name;
  const char* text;
  const char* error; // the start of the message
};

class BadReplayScript : public ::testing::TestWithParam<BadScriptRow> {};

TEST_P(BadReplayScript, IsRejectedNamingTheLine) {
  std::string error;
  EXPECT_FALSE(parseReplay(GetParam().text, &error));
  EXPECT_EQ(error.substr(0, std::string(GetParam().error).size()), GetParam().error)
      << "message: " << error;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BadReplayScript,
    ::testing::Values(
        BadScriptRow{"Empty", "", "line 0: no 'ms' line"},
        BadScriptRow{"EventBeforeMs", "0 keydown d\nms 16\n", "line 1: the script must start"},
        BadScriptRow{"ZeroMs", "ms 0\n", "line 1: 'ms' takes one positive"},
        BadScriptRow{"FrameGoesBack", "ms 16\n5 keydown d\n4 keyup d\n",
                     "line 3: frame 4 comes after frame 5"},
        BadScriptRow{"NegativeFrame", "ms 16\n-1 keydown d\n", "line 2: frame number expected"},
        BadScriptRow{"UnknownAction", "ms 16\n3 jump\n", "line 2: unknown action 'jump'"},
        BadScriptRow{"UnknownKey", "ms 16\n3 keydown shift\n", "line 2: unknown key 'shift'"},
        BadScriptRow{"MotionOffTheScreenEdge", "ms 16\n3 mousemove -1 5\n",
                     "line 2: mousemove takes two window coordinates"},
        BadScriptRow{"ButtonZero", "ms 16\n3 mousedown 0\n",
                     "line 2: mousedown takes one button number"}),
    [](const ::testing::TestParamInfo<BadScriptRow>& info) { return info.param.name; });

struct KeyNameRow {
  const char* name;
  const char* word;
  SDLKey key;
};

class ReplayKeyName : public ::testing::TestWithParam<KeyNameRow> {};

TEST_P(ReplayKeyName, NamesTheSdlKey) {
  EXPECT_EQ(replayKey(GetParam().word), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReplayKeyName,
                         ::testing::Values(KeyNameRow{"Letter", "w", SDLK_w},
                                           KeyNameRow{"Space", "space", SDLK_SPACE},
                                           KeyNameRow{"ArrowDown", "down", SDLK_DOWN},
                                           KeyNameRow{"CapitalLetter", "W", SDLK_UNKNOWN}),
                         [](const ::testing::TestParamInfo<KeyNameRow>& info) {
                           return info.param.name;
                         });

// ---- Playing scripts ----------------------------------------------------------

// A small level of the test's own: a floor, the character dropped 10 pixels
// above it, and whatever else a test puts in.
class ReplayPlayer : public ::testing::Test {
protected:
  void SetUp() override { GLWindow::ensure(); }

  void start(const std::string& extraLines = "") {
    // Floor from (0, 120) 600 wide; spawn point (100, 100), listed last.
    resources.write("Levels/test.data", "1 0 12 60 2 2 \n" + extraLines + "2 10 10 2 2 \n");
    resources.write("Levels/loadlevel.txt", "test.data\n");
    world = std::make_unique<World>(Application::WIDTH, Application::HEIGHT, &keyState);
  }

  ReplayOutcome play(const std::string& script, int maxFrames,
                     const std::function<void(int)>& afterFrame = {}) {
    std::string error;
    const std::optional<Replay> replay = parseReplay(script, &error);
    EXPECT_TRUE(replay) << error;
    return replay ? playReplay(*world, keyState, *replay, maxFrames, afterFrame) : ReplayOutcome{};
  }

  const Character& character() const { return world->getCharacter(); }

  TempResources resources;
  KeyState keyState;
  std::unique_ptr<World> world;
};

TEST_F(ReplayPlayer, KeyOfAFrameActsInThatFramesUpdate) {
  start();
  std::vector<double> speeds;
  play("ms 16\n30 keydown d\n", 31, [&](int) { speeds.push_back(character().velocity.x); });
  ASSERT_EQ(speeds.size(), 31u);
  EXPECT_TRUE(character().isPose(Character::GROUNDED));
  EXPECT_EQ(speeds[29], 0.0);
  // One 16 ms frame on the ground: +32 from the key, -16 from friction.
  EXPECT_EQ(speeds[30], 16.0);
}

TEST_F(ReplayPlayer, KeyUpStopsTheKeyActing) {
  start();
  std::vector<double> speeds;
  play("ms 16\n30 keydown d\n40 keyup d\n", 45,
       [&](int) { speeds.push_back(character().velocity.x); });
  ASSERT_EQ(speeds.size(), 45u);
  EXPECT_GT(speeds[39], speeds[38]);
  // From frame 40 on only friction acts.
  EXPECT_EQ(speeds[40], speeds[39] - 16.0);
  EXPECT_FALSE(keyState.keyDown(SDLK_d));
}

TEST_F(ReplayPlayer, ButtonFiresAtThePointerOfTheLastMotion) {
  start();
  // The character's centre starts at window (100, 100), the camera at rest.
  play("ms 16\n0 mousemove 400 100\n0 mousedown 1\n0 mouseup 1\n", 1);
  ASSERT_EQ(world->getProjectiles().size(), 1u);
  EXPECT_EQ(world->getProjectiles()[0].getVelocity().x, 200.0);
  EXPECT_EQ(world->getProjectiles()[0].getVelocity().y, 0.0);
  EXPECT_EQ(world->getMouse().x, 400.0);
}

TEST_F(ReplayPlayer, ReportsTheFrameThatReachesTheGoalAndStopsThere) {
  // The goal stands on the floor 200 pixels to the right.
  start("3 30 2 10 10 \n");
  int firstFrameWithMenu = -1;
  const ReplayOutcome outcome = play("ms 16\n20 keydown d\n", 500, [&](int frame) {
    // Reaching the goal opens the level menu in the same frame.
    if (firstFrameWithMenu < 0 && world->getMenu() != nullptr) {
      firstFrameWithMenu = frame;
    }
  });
  EXPECT_GT(outcome.completedAt, 20);
  EXPECT_EQ(outcome.completedAt, firstFrameWithMenu);
  EXPECT_EQ(outcome.framesRun, outcome.completedAt + 1);
  EXPECT_FALSE(outcome.died);
}

TEST_F(ReplayPlayer, RunsToTheLimitWhenTheGoalIsNeverReached) {
  start("3 30 2 10 10 \n");
  const ReplayOutcome outcome = play("ms 16\n", 50);
  EXPECT_EQ(outcome.completedAt, -1);
  EXPECT_EQ(outcome.framesRun, 50);
  EXPECT_FALSE(outcome.died);
}

TEST_F(ReplayPlayer, ReportsDeath) {
  // A bed of monsters on the floor, just under the character: every landing
  // on it costs 30 hit points and bounces the character back up.
  start("4 0 11 60 1 \n");
  const ReplayOutcome outcome = play("ms 16\n", 600);
  EXPECT_TRUE(outcome.died);
  EXPECT_EQ(outcome.completedAt, -1);
}
