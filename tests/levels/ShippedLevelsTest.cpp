// The levels the game ships: listed in the order they teach the game, the
// first one loaded at start-up, each with one spawn point and one goal and
// finished by its recorded play-through without dying. A level added to the
// Levels folder without a replay fails here.

#include "Replay.h"

#include "objects/GameObject.h"
#include "objects/Level.h"
#include "world/World.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Each level leans on what the ones before it taught: running and jumping,
// climbing white walls, wall jumps between pink walls, monsters and
// shooting, all of it at once.
const std::vector<std::string> PLAYING_ORDER = {"01-first-steps.data", "02-climb.data",
                                                "03-wall-jump.data", "04-monsters.data",
                                                "05-summit.data"};

// Replays stay short so that the suite stays fast: under a minute of play.
constexpr int MAX_FRAMES = 3000;

long countOfType(const Level& level, GameObject::ObjectType type) {
  return std::count_if(level.getObjects().begin(), level.getObjects().end(),
                       [type](const auto& o) { return o->getType() == type; });
}

TEST(ShippedLevels, AreTheLessonsInPlayingOrderAndTheFirstIsLoadedAtStart) {
  EXPECT_EQ(shippedLevelFiles(), PLAYING_ORDER);
  EXPECT_EQ(fileText(shippedLevelsFolder() / "loadlevel.txt"), PLAYING_ORDER.front() + "\n");
}

TEST(ShippedLevels, LevelMenuListsThemInPlayingOrder) {
  ShippedLevelRun run(PLAYING_ORDER.front());
  for (std::size_t i = 0; i < PLAYING_ORDER.size(); ++i) {
    std::string script = "ms 16\n0 keydown l\n";
    for (std::size_t down = 0; down < i; ++down) {
      script += "0 keydown down\n";
    }
    run.play(*parseReplay(script + "0 keydown return\n"), 1);
    EXPECT_EQ(run.world().getLevelName(), PLAYING_ORDER[i]);
  }
}

class ShippedLevel : public ::testing::TestWithParam<std::string> {};

TEST_P(ShippedLevel, HasOneSpawnPointAndOneGoalAndItsReplayReachesTheGoalWithoutDying) {
  const auto path =
      std::filesystem::path(CLAMBER_LEVEL_REPLAYS) / (levelNameOf(GetParam()) + ".replay");
  std::string error;
  const std::optional<Replay> replay = parseReplay(fileText(path), &error);
  ASSERT_TRUE(replay) << path << ": " << error;

  ShippedLevelRun run(GetParam());
  EXPECT_EQ(countOfType(run.world().getLevel(), GameObject::SPAWN_POINT), 1);
  EXPECT_EQ(countOfType(run.world().getLevel(), GameObject::GOAL_AREA), 1);
  const ReplayOutcome outcome = run.play(*replay, MAX_FRAMES);
  EXPECT_GE(outcome.completedAt, 0) << "\"Level Complete!\" never appeared";
  EXPECT_FALSE(outcome.died) << "\"You are dead!\" appeared";
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedLevel, ::testing::ValuesIn(shippedLevelFiles()),
                         [](const auto& info) { return testNameOf(info.param); });

} // namespace
