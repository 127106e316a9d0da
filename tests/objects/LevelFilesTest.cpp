// Levels live in files the user keeps: a saved level loads back, a failed
// save never costs the old file, and the level menu lists the level files
// only, in a fixed order.

#include "common/ResourceFiles.h"
#include "objects/Level.h"
#include "objects/LevelText.h"
#include "objects/Monster.h"
#include "objects/Platform.h"
#include "support/TempResources.h"
#include "world/LevelStore.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <iterator>

#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TEST(LevelFiles, ASavedLevelLoadsBackAndAMissingOneLoadsEmpty) {
  TempResources res;
  Level level;
  level.addObject(std::make_unique<Platform>(100, 400, 200, 20, Platform::JUMPABLE));
  level.addObject(std::make_unique<Monster>(250, 380, 20, 20));
  for (int i = 0; i < 200; ++i) { // a few kilobytes, as a real level
    level.addObject(std::make_unique<Platform>(10 * i, 500, 10, 10, Platform::PLAIN));
  }
  ASSERT_TRUE(LevelStore(res.resourceRoot()).saveLevel("two.data", level));
  Level loaded;
  ASSERT_TRUE(LevelStore(res.resourceRoot()).loadLevel("two.data", loaded));
  EXPECT_EQ(levelText(loaded.getObjects()), levelText(level.getObjects()));
  EXPECT_NE(dynamic_cast<const Monster*>(&loaded.get(1)), nullptr);
  EXPECT_FALSE(LevelStore(res.resourceRoot()).loadLevel("absent.data", loaded));
  EXPECT_EQ(loaded.size(), 0u);
}

// A disk filling up: writes past 8 bytes fail (EFBIG, SIGXFSZ ignored), and
// any level line is longer. Written in place, the old file would be lost.
TEST(LevelFiles, AWriteFailingPartWayLeavesTheOldFileAlone) {
  TempResources res;
  res.write("Levels/level.data", "old");
  Level level;
  level.addObject(std::make_unique<Platform>(100, 400, 200, 20, Platform::JUMPABLE));
  rlimit before{};
  getrlimit(RLIMIT_FSIZE, &before);
  const rlimit small{8, before.rlim_max};
  std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved = LevelStore(res.resourceRoot()).saveLevel("level.data", level);
  setrlimit(RLIMIT_FSIZE, &before);
  EXPECT_FALSE(saved);
  EXPECT_EQ(res.read("Levels/level.data"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(res.path() / "Levels"), {}), 1) << "a temporary";
}

// A level file its user may not write stays, even in a folder that lets a
// new file be renamed over it. Run by root, saved as nobody: root may write
// any file.
TEST(LevelFiles, AWriteProtectedFileIsNotReplaced) {
  TempResources res;
  res.write("Levels/level.data", "old");
  fs::permissions(res.path() / "Levels" / "level.data", fs::perms::owner_read);
  fs::permissions(res.path() / "Levels", fs::perms::all);
  fs::permissions(res.path().parent_path(), fs::perms::others_exec, fs::perm_options::add);
  const bool root = geteuid() == 0;
  ASSERT_TRUE(!root || (setegid(65534) == 0 && seteuid(65534) == 0));
  const bool saved = LevelStore(res.resourceRoot()).saveLevel("level.data", Level());
  ASSERT_TRUE(!root || (seteuid(0) == 0 && setegid(0) == 0));
  EXPECT_FALSE(saved);
  EXPECT_EQ(res.read("Levels/level.data"), "old");
}

// Hidden files, a save's temporary among them, are no levels; the rest are
// cut at their first ".data" and sorted by byte order, not the locale's.
TEST(LevelFiles, TheLevelListHoldsTheVisibleDataFilesInByteOrder) {
  TempResources res;
  for (const char* name : {"a.data", "b.data.bak", "notes.txt", "B.data", "_x.data", ".h.data"}) {
    res.write(std::string("Levels/") + name, "");
  }
  EXPECT_EQ(LevelStore(res.resourceRoot()).list(), (std::vector<std::string>{"B", "_x", "a", "b"}));
}

} // namespace
