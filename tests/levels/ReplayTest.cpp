// The replay format and its player: what a script may say, and that a
// played script reaches the world as the frame loop would deliver it.

#include "Replay.h"

#include "actors/Character.h"
#include "app/Application.h"
#include "support/GLWindow.h"
#include "support/Table.h"
#include "world/World.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ReplayScript, ReadsEveryKindOfStatementInOrder) {
  const std::string text = "# a comment line\n"
                           "ms 10\n"
                           "\n"
                           "0 keydown d   # run\n"
                           "7 keyup space\n"
                           "12 mousemove 500 240\n"
                           "12 mousedown 1\n"
                           "13 mouseup 3\n";
  std::string error;
  const std::optional<Replay> replay = parseReplay(text, &error);
  ASSERT_TRUE(replay) << error;
  EXPECT_EQ(replay->frameMs, 10);
  const std::vector<ReplayEvent> expected = {
      {0, ReplayEvent::KEY_DOWN, SDLK_d},      {7, ReplayEvent::KEY_UP, SDLK_SPACE},
      {12, ReplayEvent::MOUSE_MOVE, 500, 240}, {12, ReplayEvent::MOUSE_DOWN, 1},
      {13, ReplayEvent::MOUSE_UP, 3},
  };
  EXPECT_EQ(replay->events, expected);
}

struct BadScriptRow {
  std::string name;
  const char* text;
  const char* error;
};

class BadReplayScript : public ::testing::TestWithParam<BadScriptRow> {};

TEST_P(BadReplayScript, IsRejectedNamingTheLine) {
  std::string error;
  EXPECT_FALSE(parseReplay(GetParam().text, &error));
  EXPECT_EQ(error, GetParam().error);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, BadReplayScript, ::testing::Values(
    BadScriptRow{"EventBeforeMs", "0 keydown d\nms 16\n",
                 "line 1: the script must start with an 'ms' line"},
    BadScriptRow{"FrameGoesBack", "ms 16\n5 keydown d\n4 keyup d\n",
                 "line 3: frame number from 5 on expected, got '4'"},
    BadScriptRow{"UnknownKey", "ms 16\n3 keydown shift\n", "line 2: keydown takes one key name"}),
    RowName{});
// clang-format on

// A floor from (0, 120), the character dropped onto it from (100, 100).
TEST(ReplayPlayer, EventsActInTheUpdateOfTheirFrame) {
  GLWindow::ensure();
  TempResources resources;
  resources.write("Levels/test.data", "1 0 12 60 2 2 \n2 10 10 2 2 \n");
  resources.write("Levels/loadlevel.txt", "test.data\n");
  KeyState keyState;
  World world(Application::WIDTH, Application::HEIGHT, &keyState, resources.resourceRoot());
  std::vector<double> speeds;
  std::size_t shotsAtFrame0 = 0;
  const std::optional<Replay> replay =
      parseReplay("ms 16\n0 mousemove 400 100\n0 mousedown 1\n0 mouseup 1\n30 keydown d\n");
  ASSERT_TRUE(replay);
  playReplay(world, keyState, *replay, 31, [&](int frame) {
    speeds.push_back(world.getCharacter().velocity.x);
    shotsAtFrame0 += frame == 0 ? world.getProjectiles().size() : 0;
  });
  ASSERT_EQ(speeds.size(), 31u);
  EXPECT_EQ(speeds[29], 0.0);
  // One 16 ms frame on the ground: +32 from the key, -16 from friction.
  EXPECT_EQ(speeds[30], 16.0);
  // Fired at the pointer of the last motion, level with the character.
  EXPECT_EQ(shotsAtFrame0, 1u);
  ASSERT_EQ(world.getProjectiles().size(), 1u);
  EXPECT_EQ(world.getProjectiles()[0].getVelocity(), Point2D(200, 0));
}

} // namespace
