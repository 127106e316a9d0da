// Every shipped level can be finished: its recorded play-through, replayed
// through the real World, reaches the goal without dying. A level added to
// the Levels folder without a replay fails here.

#include "Replay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// Replays stay short so that the suite stays fast: under a minute of play
// at 16 ms a frame.
constexpr int MAX_FRAMES = 3000;

std::string replayFileFor(const std::string& levelFile) {
  return (std::filesystem::path(CLAMBER_LEVEL_REPLAYS) / (levelNameOf(levelFile) + ".replay"))
      .string();
}

} // namespace

class LevelReplay : public ::testing::TestWithParam<std::string> {};

TEST_P(LevelReplay, ReachesTheGoalWithoutDying) {
  const std::string path = replayFileFor(GetParam());
  std::ifstream in(path);
  ASSERT_TRUE(in) << "no replay for " << GetParam() << ": expected " << path;
  std::ostringstream text;
  text << in.rdbuf();
  std::string error;
  const std::optional<Replay> replay = parseReplay(text.str(), &error);
  ASSERT_TRUE(replay) << path << ": " << error;

  ShippedLevelRun run(GetParam());
  const ReplayOutcome outcome = run.play(*replay, MAX_FRAMES);

  EXPECT_GE(outcome.completedAt, 0)
      << "\"Level Complete!\" never appeared in " << MAX_FRAMES << " frames";
  EXPECT_FALSE(outcome.died) << "\"You are dead!\" appeared";
  RecordProperty("completedAtFrame", outcome.completedAt);
  std::printf("%s completes at frame %d (%d ms of play)\n", GetParam().c_str(), outcome.completedAt,
              (outcome.completedAt + 1) * replay->frameMs);
}

INSTANTIATE_TEST_SUITE_P(Shipped, LevelReplay, ::testing::ValuesIn(shippedLevelFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           return testNameOf(info.param);
                         });
