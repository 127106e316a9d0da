#include "ObjectDescription.h"

#include "support/TempResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
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

// Level's files hold the text of its objects: fields in tenths, off-grid
// ones with a fraction, whole ones as all their digits. Loading replaces the
// objects, each field read as its leading integer (so off-grid coordinates
// come back on the grid and a monster with full hit points); a missing file
// leaves no objects.
TEST(LevelFiles, SavesOneLinePerObjectAndLoadsThemBack) {
  TempResources res;
  Level level;
  level.addObject(std::make_unique<Platform>(100, 400, 200, 20, Platform::JUMPABLE));
  auto monster = std::make_unique<Monster>(250, 380, 20, 20);
  monster->setCurrentHp(10);
  monster->setSelected(true);
  level.addObject(std::move(monster));
  level.addObject(std::make_unique<GameObject>(40, 380, 20, 20, GameObject::SPAWN_POINT));
  level.addObject(std::make_unique<Platform>(125, -35, 10, 10, Platform::CLIMBABLE));
  level.addObject(std::make_unique<GameObject>(200000000, 0, 10, 10, GameObject::GOAL_AREA));
  ASSERT_TRUE(level.saveLevel(res.resourceRoot(), "five.data"));
  EXPECT_EQ(res.read("Levels/five.data"), "1 10 40 20 2 1 \n"
                                          "4 25 38 2 2 \n"
                                          "2 4 38 2 2 \n"
                                          "1 12.5 -3.5 1 1 0 \n"
                                          "3 20000000 0 1 1 \n");
  ASSERT_TRUE(level.loadLevel(res.resourceRoot(), "five.data"));
  EXPECT_EQ(describe(level), (Lines{"platform 100 400 200 20 kind 1",
                                    "monster 250 380 20 20 hp 100/100", "spawn 40 380 20 20",
                                    "platform 120 -30 10 10 kind 0", "goal 200000000 0 10 10"}));
  testing::internal::CaptureStdout();
  EXPECT_FALSE(level.loadLevel(res.resourceRoot(), "absent.data"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "FAILED\n");
  EXPECT_TRUE(level.getObjects().empty());
}

// A new file is made as any file is; a replaced one keeps its permissions,
// and no temporary file is left either way.
TEST(LevelSave, ReplacesTheFileKeepingItsPermissions) {
  TempResources res;
  const fs::path file = res.path() / "Levels" / "level.data";
  Level level;
  level.addObject(std::make_unique<GameObject>(40, 380, 20, 20, GameObject::SPAWN_POINT));
  const mode_t mask = umask(022);
  const bool saved = level.saveLevel(res.resourceRoot(), "level.data");
  umask(mask);
  ASSERT_TRUE(saved);
  EXPECT_EQ(fs::status(file).permissions(), static_cast<fs::perms>(0644));
  fs::permissions(file, static_cast<fs::perms>(0640));
  level.addObject(std::make_unique<GameObject>(50, 60, 70, 80, GameObject::GOAL_AREA));
  ASSERT_TRUE(level.saveLevel(res.resourceRoot(), "level.data"));
  EXPECT_EQ(res.read("Levels/level.data"), "2 4 38 2 2 \n3 5 6 7 8 \n");
  EXPECT_EQ(folderEntries(res), (Lines{"level.data"}));
  EXPECT_EQ(fs::status(file).permissions(), static_cast<fs::perms>(0640));
}

TEST(LevelSave, SaveOverAFolderOrWithoutTheFolderFailsAndLeavesNoTemporary) {
  TempResources res;
  res.write("Levels/level.data/keep", "x");
  Level level;
  level.addObject(std::make_unique<Monster>(0, 0, 20, 20));
  EXPECT_FALSE(level.saveLevel(res.resourceRoot(), "level.data"));
  EXPECT_EQ(folderEntries(res), (Lines{"level.data"}));
  EXPECT_EQ(res.read("Levels/level.data/keep"), "x");
  fs::remove_all(res.path() / "Levels");
  EXPECT_FALSE(level.saveLevel(res.resourceRoot(), "level.data")) << "no Levels folder";
}

// Runs prepare in a child process, then saves there over a level.data that
// holds 40 lines; the old file must stay byte-identical with no temporary
// file beside it.
void expectFailedSaveKeepsTheOldFile(const Level& level,
                                     const std::function<bool(const fs::path&)>& prepare) {
  TempResources res;
  std::string old;
  for (int i = 0; i < 40; ++i) {
    old += "1 " + std::to_string(i) + " 40 20 2 1 \n";
  }
  res.write("Levels/level.data", old);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    _exit(!prepare(res.path()) ? 3 : level.saveLevel(res.resourceRoot(), "level.data") ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "child ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the save reported success; 3: no set-up";
  EXPECT_EQ(res.read("Levels/level.data"), old);
  EXPECT_EQ(folderEntries(res), (Lines{"level.data"}));
}

// A disk that fills part-way through a save: the file size limit makes
// writes fail past 4096 bytes (with SIGXFSZ ignored, write reports EFBIG).
TEST(LevelSave, WriteFailingPartWayKeepsTheOldFileByteIdentical) {
  Level level;
  for (int i = 0; i < 2000; ++i) {
    level.addObject(std::make_unique<Platform>(i * 10, 400, 200, 20, Platform::JUMPABLE));
  }
  expectFailedSaveKeepsTheOldFile(level, [](const fs::path&) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
  });
}

// A level file its user may not write stays as it is and the save fails,
// even in a folder that would let the save rename a new file over it. Run
// as an ordinary user: root may write any file.
TEST(LevelSave, WriteProtectedFileFailsAndIsLeftAsItWas) {
  Level level;
  level.addObject(std::make_unique<Monster>(0, 0, 20, 20));
  expectFailedSaveKeepsTheOldFile(level, [](const fs::path& root) {
    fs::permissions(root / "Levels" / "level.data", static_cast<fs::perms>(0444));
    fs::permissions(root / "Levels", fs::perms::all);
    for (const fs::path& folder : {root, root.parent_path()}) {
      fs::permissions(folder, static_cast<fs::perms>(0011), fs::perm_options::add);
    }
    const uid_t nobody = 65534;
    if (geteuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0)) {
      return false;
    }
    return access((root / "Levels").c_str(), W_OK | X_OK) == 0;
  });
}

} // namespace
