// The levels the game ships: each well formed and playable from its start,
// listed in the order they teach the game, the first one loaded at start-up.

#include "Replay.h"

#include "actors/Character.h"
#include "common/Functions.h"
#include "gfx/FloatingText.h"
#include "objects/GameObject.h"
#include "objects/Level.h"
#include "world/World.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Lesson {
  const char* file;
  const char* teaches;
};

// The playing order: each level leans on what the ones before it taught.
const std::vector<Lesson>& playingOrder() {
  static const std::vector<Lesson> order = {
      {"01-first-steps.data", "running and jumping"},
      {"02-climb.data", "climbing white walls"},
      {"03-wall-jump.data", "wall jumps between pink walls"},
      {"04-monsters.data", "monsters and shooting"},
      {"05-summit.data", "all of it at once"},
  };
  return order;
}

std::string shippedText(const std::string& file) {
  std::ifstream in(shippedLevelsFolder() / file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int countOfType(const Level& level, GameObject::ObjectType type) {
  return static_cast<int>(
      std::count_if(level.objects.begin(), level.objects.end(),
                    [type](const std::unique_ptr<GameObject>& o) { return o->getType() == type; }));
}

struct Extent {
  double left;
  double right;
  double bottom;
};

// The box around all of a level's objects; the level must not be empty.
Extent extentOf(const Level& level) {
  const GameObject& first = *level.objects.front();
  Extent e{first.getLeft(), first.getRight(), first.getBottom()};
  for (const std::unique_ptr<GameObject>& o : level.objects) {
    e.left = std::min(e.left, o->getLeft());
    e.right = std::max(e.right, o->getRight());
    e.bottom = std::max(e.bottom, o->getBottom());
  }
  return e;
}

// A script that opens the level menu, moves down `down` items and chooses.
Replay chooseFromLevelMenu(std::size_t down) {
  std::string script = "ms 16\n0 keydown l\n0 keyup l\n";
  for (std::size_t i = 0; i < down; ++i) {
    script += "0 keydown down\n0 keyup down\n";
  }
  script += "0 keydown return\n0 keyup return\n";
  return *parseReplay(script);
}

} // namespace

// ---- The set of levels ------------------------------------------------------

TEST(ShippedLevels, AreTheLessonsInPlayingOrder) {
  std::vector<std::string> expected;
  for (const Lesson& lesson : playingOrder()) {
    expected.push_back(lesson.file);
  }
  EXPECT_EQ(shippedLevelFiles(), expected);
}

TEST(ShippedLevels, LevelListNamesTheFirstLessonAndTheFileExists) {
  std::ifstream in(shippedLevelsFolder() / "loadlevel.txt");
  std::string first;
  ASSERT_TRUE(std::getline(in, first)) << "loadlevel.txt has no first line";
  EXPECT_EQ(first, playingOrder().front().file);
  const std::vector<std::string> files = shippedLevelFiles();
  EXPECT_NE(std::find(files.begin(), files.end(), first), files.end())
      << first << " is not a level in " << shippedLevelsFolder();
}

TEST(ShippedLevels, GameStartsOnTheFirstLesson) {
  ShippedLevelRun run;
  EXPECT_EQ(run.world().getLevelName(), playingOrder().front().file);
  EXPECT_EQ(countOfType(run.world().getLevel(), GameObject::SPAWN_POINT), 1);
}

TEST(ShippedLevels, LevelMenuListsThemInPlayingOrder) {
  ShippedLevelRun run(playingOrder().front().file);
  for (std::size_t i = 0; i < playingOrder().size(); ++i) {
    SCOPED_TRACE(std::string(playingOrder()[i].file) + ", " + playingOrder()[i].teaches);
    run.play(chooseFromLevelMenu(i), 1);
    EXPECT_EQ(run.world().getMenu(), nullptr);
    ASSERT_FALSE(run.world().getFloatingTexts().empty());
    EXPECT_EQ(run.world().getFloatingTexts().back().getText(),
              "Loaded " + levelNameOf(playingOrder()[i].file) + "!");
    EXPECT_EQ(run.world().getLevelName(), playingOrder()[i].file);
  }
}

// ---- Each level ---------------------------------------------------------------

class ShippedLevel : public ::testing::TestWithParam<std::string> {};

TEST_P(ShippedLevel, HasExactlyOneSpawnPointAndOneGoal) {
  ShippedLevelRun run(GetParam());
  const Level& level = run.world().getLevel();
  ASSERT_FALSE(level.objects.empty()) << GetParam() << " did not load";
  EXPECT_EQ(countOfType(level, GameObject::SPAWN_POINT), 1);
  EXPECT_EQ(countOfType(level, GameObject::GOAL_AREA), 1);
}

// Every line is one the game reads as an object and writes back the same:
// the file is in the editor's own format, so saving it from the editor
// changes nothing.
TEST_P(ShippedLevel, SavesBackByteForByte) {
  const std::string text = shippedText(GetParam());
  ASSERT_FALSE(text.empty());
  ASSERT_EQ(text.back(), '\n');
  const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));

  ShippedLevelRun run(GetParam());
  EXPECT_EQ(run.world().getLevel().objects.size(), lines);
  ASSERT_TRUE(run.world().getLevel().saveLevel("resaved.data"));
  std::ifstream in(createPath("/Levels/resaved.data"), std::ios::binary);
  std::ostringstream saved;
  saved << in.rdbuf();
  EXPECT_EQ(saved.str(), text);
}

// Nothing to do at the start but land: the character comes to rest on a
// floor just below its spawn point. (A spawn point listed ahead of that floor
// would take the landing's one contact and let the character fall through.)
TEST_P(ShippedLevel, CharacterLandsFromTheSpawnPointWithoutInput) {
  ShippedLevelRun run(GetParam());
  const Point2D start = run.world().getCharacter().position;
  const Replay nothing{16, {}};
  run.play(nothing, 120);
  const Character& character = run.world().getCharacter();
  EXPECT_TRUE(character.isPose(Character::GROUNDED));
  EXPECT_EQ(character.position.x, start.x);
  EXPECT_GT(character.position.y, start.y);
  EXPECT_LT(character.position.y, start.y + 100);
}

// Wherever the character leaves a platform, it lands again: some platform
// reaches down to the level's lowest edge under every 10-pixel column from
// the level's left edge to its right edge.
TEST_P(ShippedLevel, HasGroundUnderEveryColumn) {
  ShippedLevelRun run(GetParam());
  const auto& objects = run.world().getLevel().objects;
  ASSERT_FALSE(objects.empty());
  const Extent extent = extentOf(run.world().getLevel());
  for (double x = extent.left; x < extent.right; x += 10) {
    const bool ground = std::any_of(objects.begin(), objects.end(), [&](const auto& o) {
      return o->getType() == GameObject::PLATFORM && o->getLeft() <= x && o->getRight() >= x + 10 &&
             o->getBottom() == extent.bottom;
    });
    EXPECT_TRUE(ground) << "nothing to land on in the column from x " << x;
  }
}

// The walls at the level's two ends rise well above a jump from the top of
// anything else in it (a ground jump rises 245 pixels), so that nobody
// leaves the level over them.
TEST_P(ShippedLevel, IsWalledInAboveAnyJump) {
  constexpr double CLEARANCE = 300;
  ShippedLevelRun run(GetParam());
  const auto& objects = run.world().getLevel().objects;
  ASSERT_FALSE(objects.empty());
  const Extent extent = extentOf(run.world().getLevel());
  double leftWallTop = 0;
  double rightWallTop = 0;
  double othersTop = 0;
  for (const std::unique_ptr<GameObject>& o : objects) {
    if (o->getType() == GameObject::PLATFORM && o->getLeft() == extent.left) {
      leftWallTop = std::min(leftWallTop, o->getTop());
    } else if (o->getType() == GameObject::PLATFORM && o->getRight() == extent.right) {
      rightWallTop = std::min(rightWallTop, o->getTop());
    } else {
      othersTop = std::min(othersTop, o->getTop());
    }
  }
  EXPECT_LE(leftWallTop, othersTop - CLEARANCE);
  EXPECT_LE(rightWallTop, othersTop - CLEARANCE);
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedLevel, ::testing::ValuesIn(shippedLevelFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           return testNameOf(info.param);
                         });
