#include "ObjectDescription.h"

#include "common/Functions.h"
#include "support/TempResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

using Lines = std::vector<std::string>;

namespace {

// The names in the resource folder's Levels, hidden ones included.
Lines folderEntries(const TempResources& res) {
  Lines names;
  for (const auto& entry : fs::directory_iterator(res.path() / "Levels")) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

} // namespace

// ---- The written line ---------------------------------------------------------

struct SaveRow {
  const char* name;
  std::shared_ptr<GameObject> object;
  const char* line;
};

class SaveString : public ::testing::TestWithParam<SaveRow> {};

TEST_P(SaveString, ByteForByte) {
  EXPECT_EQ(GetParam().object->getSaveString(), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedLines, SaveString,
    ::testing::Values(
        SaveRow{"jumpablePlatform",
                std::make_shared<Platform>(100, 400, 200, 20, Platform::JUMPABLE),
                "1 10 40 20 2 1 \n"},
        SaveRow{"spawnPoint",
                std::make_shared<GameObject>(40, 380, 20, 20, GameObject::SPAWN_POINT),
                "2 4 38 2 2 \n"},
        SaveRow{"goalArea", std::make_shared<GameObject>(600, 300, 100, 100, GameObject::GOAL_AREA),
                "3 60 30 10 10 \n"},
        SaveRow{"monster", std::make_shared<Monster>(250, 380, 20, 20), "4 25 38 2 2 \n"},
        SaveRow{"offGridClimbable",
                std::make_shared<Platform>(125, -35, 10, 10, Platform::CLIMBABLE),
                "1 12.5 -3.5 1 1 0 \n"},
        SaveRow{"farCoordinateInExponentForm",
                std::make_shared<GameObject>(12345670, 0, 10, 10, GameObject::GOAL_AREA),
                "3 1.23457e+06 0 1 1 \n"},
        SaveRow{"unknownPlatformKind",
                std::make_shared<Platform>(0, 0, 10, 10, static_cast<Platform::PlatformType>(7)),
                "1 0 0 1 1 7 \n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaveString, DamagedMonsterSavesNoHitPoints) {
  Monster m(250, 380, 20, 20);
  m.setCurrentHp(-40);
  m.setActive(false);
  m.setSelected(true);
  EXPECT_EQ(m.getSaveString(), "4 25 38 2 2 \n");
}

// ---- Save and load ----------------------------------------------------------------

TEST(LevelFiles, SavesPlatformAndMonsterAsTwoLinesAndLoadsThemBack) {
  TempResources res;
  Level level;
  level.addObject(std::make_unique<Platform>(100, 400, 200, 20, Platform::JUMPABLE));
  auto monster = std::make_unique<Monster>(250, 380, 20, 20);
  monster->setCurrentHp(10);
  monster->setSelected(true);
  level.addObject(std::move(monster));

  ASSERT_TRUE(level.saveLevel("two.data"));
  EXPECT_EQ(res.read("Levels/two.data"), "1 10 40 20 2 1 \n4 25 38 2 2 \n");

  Level loaded;
  ASSERT_TRUE(loaded.loadLevel("two.data"));
  EXPECT_EQ(describe(loaded),
            (Lines{"platform 100 400 200 20 kind 1", "monster 250 380 20 20 hp 100/100"}));
}

struct LoadRow {
  const char* name;
  std::string content;
  Lines objects;
};

class LoadLines : public ::testing::TestWithParam<LoadRow> {};

TEST_P(LoadLines, Objects) {
  TempResources res;
  res.write("Levels/hand.data", GetParam().content);
  Level level;
  testing::internal::CaptureStdout();
  EXPECT_TRUE(level.loadLevel("hand.data"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(describe(level), GetParam().objects);
}

INSTANTIATE_TEST_SUITE_P(
    HandWritten, LoadLines,
    ::testing::Values(
        LoadRow{"missingPlatformKindReadsClimbable", "1 5 5 3 1", {"platform 50 50 30 10 kind 0"}},
        LoadRow{"leadingSpaceStaysInTypeField", " 2 1 1 2 2", {"spawn 10 10 20 20"}},
        LoadRow{"tabDoesNotSeparate", "1\t5 5 3 1 0", {"platform 50 30 10 0 kind 0"}},
        LoadRow{
            "twoSpacesGiveEmptyFieldThatShifts", "1 5  5 3 1 2 ", {"platform 50 0 50 30 kind 1"}},
        LoadRow{"unknownTypeSkipped", "7 1 1 1 1\n2 1 1 2 2 \n", {"spawn 10 10 20 20"}},
        LoadRow{"typeZeroSkipped", "0 1 1 1 1 \n", {}},
        LoadRow{"emptyLineSkipped", "\n3 1 2 3 4 \n\n", {"goal 10 20 30 40"}},
        LoadRow{"emptyFileIsEmptyLevel", "", {}},
        LoadRow{
            "offGridLineLoadsTruncated", "1 12.5 -3.5 1 1 0 \n", {"platform 120 -30 10 10 kind 0"}},
        LoadRow{"exponentFormReadsItsLeadingDigit", "3 1.23457e+06 0 1 1 \n", {"goal 10 0 10 10"}},
        LoadRow{"lettersReadZero", "4 x 2 y 2 \n", {"monster 0 20 0 20 hp 100/100"}},
        LoadRow{"unknownPlatformKindKept", "1 0 0 1 1 7 \n", {"platform 0 0 10 10 kind 7"}},
        LoadRow{"carriageReturnLineEnds",
                "2 1 1 2 2 \r\n1 0 0 1 1 2\r\n",
                {"spawn 10 10 20 20", "platform 0 0 10 10 kind 2"}},
        LoadRow{"fourFieldObjectGetsZeroHeight", "2 1 1 2", {"spawn 10 10 20 0"}},
        LoadRow{"fourFieldPlatformSkipped",
                "1 5 5 3\n4 1 1 1 1 \n",
                {"monster 10 10 10 10 hp 100/100"}},
        LoadRow{"threeFieldObjectSkipped", "3 1 1\n4\n", {}},
        LoadRow{"extraFieldsIgnored", "2 1 1 2 2 9 9 9 \n", {"spawn 10 10 20 20"}},
        LoadRow{"largestTenthsLoad",
                "3 214748364 -214748364 1 1 \n",
                {"goal 2147483640 -2147483640 10 10"}},
        LoadRow{
            "tenfoldPastIntMaxSkipped", "3 214748365 0 1 1 \n2 1 1 2 2 \n", {"spawn 10 10 20 20"}},
        LoadRow{"tenfoldPastIntMinSkipped", "3 0 0 1 -214748365 \n", {}},
        LoadRow{"typeOverflowSkipped", "4294967297 1 1 1 1 \n", {}},
        LoadRow{"platformKindOverflowSkipped", "1 1 1 1 1 99999999999 \n", {}},
        LoadRow{"fileOrderIsListOrder",
                "4 1 1 1 1 \n1 2 2 2 2 2 \n2 3 3 3 3 \n3 4 4 4 4 \n",
                {"monster 10 10 10 10 hp 100/100", "platform 20 20 20 20 kind 2",
                 "spawn 30 30 30 30", "goal 40 40 40 40"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LevelFiles, LoadReplacesTheObjectsHeldBefore) {
  TempResources res;
  res.write("Levels/one.data", "3 1 2 3 4 \n");
  Level level;
  level.addObject(std::make_unique<Monster>(0, 0, 20, 20));
  ASSERT_TRUE(level.loadLevel("one.data"));
  EXPECT_EQ(describe(level), (Lines{"goal 10 20 30 40"}));
}

TEST(LevelFiles, MissingFileFailsPrintsFailedAndLeavesLevelEmpty) {
  TempResources res;
  Level level;
  level.addObject(std::make_unique<Monster>(0, 0, 20, 20));
  testing::internal::CaptureStdout();
  EXPECT_FALSE(level.loadLevel("absent.data"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "FAILED\n");
  EXPECT_TRUE(level.objects.empty());
}

// Any level saved and loaded gives the same objects, in the same order, as
// long as its coordinates lie on the 10 grid within the format's range.
TEST(LevelFiles, RoundTripKeepsEveryObject) {
  TempResources res;
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> tenths(-999999, 999999);
  std::uniform_int_distribution<int> kind(0, 3);
  std::uniform_int_distribution<int> type(1, 4);
  for (int round = 0; round < 20; ++round) {
    Level level;
    for (int i = 0; i < 50; ++i) {
      const double x = tenths(random) * 10.0;
      const double y = tenths(random) * 10.0;
      const double w = tenths(random) * 10.0;
      const double h = tenths(random) * 10.0;
      switch (type(random)) {
      case 1: {
        // 3 stands for a kind only a hand-edited file holds.
        const int k = kind(random);
        level.addObject(std::make_unique<Platform>(
            x, y, w, h, static_cast<Platform::PlatformType>(k == 3 ? -5 : k)));
        break;
      }
      case 4:
        level.addObject(std::make_unique<Monster>(x, y, w, h));
        break;
      default:
        level.addObject(std::make_unique<GameObject>(
            x, y, w, h, random() % 2 ? GameObject::SPAWN_POINT : GameObject::GOAL_AREA));
      }
    }
    ASSERT_TRUE(level.saveLevel("round.data"));
    Level loaded;
    ASSERT_TRUE(loaded.loadLevel("round.data"));
    ASSERT_EQ(describe(loaded), describe(level)) << "round " << round;
  }
}

TEST(LevelFiles, OffGridValuesComeBackAsTenTimesTheirPrintedTenth) {
  TempResources res;
  Level level;
  level.addObject(std::make_unique<Platform>(125, -35, 9.99, 19.5, Platform::PLAIN));
  ASSERT_TRUE(level.saveLevel("off.data"));
  Level loaded;
  ASSERT_TRUE(loaded.loadLevel("off.data"));
  EXPECT_EQ(describe(loaded), (Lines{"platform 120 -30 0 10 kind 2"}));
}

// ---- Saving never loses the old file ------------------------------------------------

TEST(LevelFiles, SaveReplacesTheFileAndLeavesNoTemporary) {
  TempResources res;
  res.write("Levels/level.data", "3 1 1 1 1 \n3 2 2 2 2 \n3 3 3 3 3 \n");
  Level level;
  level.addObject(std::make_unique<GameObject>(40, 380, 20, 20, GameObject::SPAWN_POINT));
  ASSERT_TRUE(level.saveLevel("level.data"));
  EXPECT_EQ(res.read("Levels/level.data"), "2 4 38 2 2 \n");
  EXPECT_EQ(folderEntries(res), (Lines{"level.data"}));
}

TEST(LevelFiles, SaveOfEmptyLevelWritesEmptyFile) {
  TempResources res;
  res.write("Levels/level.data", "3 1 1 1 1 \n");
  Level level;
  ASSERT_TRUE(level.saveLevel("level.data"));
  EXPECT_TRUE(res.exists("Levels/level.data"));
  EXPECT_EQ(res.read("Levels/level.data"), "");
}

TEST(LevelFiles, SaveKeepsThePermissionsOfTheOldFile) {
  TempResources res;
  res.write("Levels/level.data", "3 1 1 1 1 \n");
  const fs::path file = res.path() / "Levels" / "level.data";
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  Level level;
  ASSERT_TRUE(level.saveLevel("level.data"));
  EXPECT_EQ(fs::status(file).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(LevelFiles, NewFileGetsTheUsualPermissions) {
  TempResources res;
  const mode_t mask = umask(022);
  Level level;
  const bool saved = level.saveLevel("new.data");
  umask(mask);
  ASSERT_TRUE(saved);
  struct stat info {};
  ASSERT_EQ(stat((res.path() / "Levels" / "new.data").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(LevelFiles, SaveWithoutLevelsFolderFails) {
  TempResources res;
  fs::remove_all(res.path() / "Levels");
  Level level;
  level.addObject(std::make_unique<Monster>(0, 0, 20, 20));
  EXPECT_FALSE(level.saveLevel("level.data"));
  EXPECT_FALSE(fs::exists(res.path() / "Levels"));
}

TEST(LevelFiles, SaveOverAFolderFailsAndLeavesNoTemporary) {
  TempResources res;
  res.write("Levels/level.data/keep", "x");
  Level level;
  level.addObject(std::make_unique<Monster>(0, 0, 20, 20));
  EXPECT_FALSE(level.saveLevel("level.data"));
  EXPECT_EQ(folderEntries(res), (Lines{"level.data"}));
  EXPECT_EQ(res.read("Levels/level.data/keep"), "x");
}

// A disk that fills part-way through a save: the file size limit makes
// writes fail past a few bytes (with SIGXFSZ ignored, write reports EFBIG).
// Run in a child process so that the limit stays there.
TEST(LevelFiles, WriteFailingPartWayKeepsTheOldFileByteIdentical) {
  TempResources res;
  std::string old;
  for (int i = 0; i < 40; ++i) {
    old += "1 " + std::to_string(i) + " 40 20 2 1 \n";
  }
  res.write("Levels/level.data", old);

  Level level;
  for (int i = 0; i < 2000; ++i) {
    level.addObject(std::make_unique<Platform>(i * 10, 400, 200, 20, Platform::JUMPABLE));
  }

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
      _exit(3);
    }
    _exit(level.saveLevel("level.data") ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "child ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the save reported success; 3: no limit set";

  EXPECT_EQ(res.read("Levels/level.data"), old);
  EXPECT_EQ(folderEntries(res), (Lines{"level.data"}));
  EXPECT_EQ(getLevelList(), (Lines{"level"}));
}

// The same limit without a file to keep: the save fails and leaves nothing.
TEST(LevelFiles, WriteFailingPartWayLeavesNoNewFile) {
  TempResources res;
  Level level;
  for (int i = 0; i < 2000; ++i) {
    level.addObject(std::make_unique<Monster>(i * 10, 380, 20, 20));
  }
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1000, 1000};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
      _exit(3);
    }
    _exit(level.saveLevel("fresh.data") ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(folderEntries(res).empty());
}
