// The user's files: a new level or a save as needs a free name and leaves
// other files alone, and unsaved edits outlive the process.

#include "WorldScenario.h"

namespace {

using Files = WorldScenario;
const std::string RECOVERY = "Levels/.edit.data.recovery";

// A refused name keeps the prompt open for the next one. A new level is a
// floor, a spawn point on it after it (so that the character lands on the
// floor) and a goal.
TEST_F(Files, ANewLevelNeedsAFreeNameAndSaveAsLeavesTheOldFileAsItWas) {
  startOn("edit.data", "1 0 40 64 2 2\n"), tap(SDLK_n, KMOD_LCTRL), type("\r");
  EXPECT_EQ(status(), "Clamber - edit | Type a name");
  type("edit\r");
  EXPECT_EQ(status(), "Clamber - edit | edit already exists");
  type("\b\b\b\bnew\r");
  EXPECT_EQ(status(), "Clamber - new | Created new");
  const std::string made = resources.read("Levels/new.data");
  EXPECT_EQ(std::tuple(made, object(1).getBottom(), world->isEditMode()),
            std::tuple(list(), object(0).getTop(), true));
  EXPECT_EQ(std::tuple(object(0).getType(), object(1).getType(), object(2).getType()),
            std::tuple(GameObject::PLATFORM, GameObject::SPAWN_POINT, GameObject::GOAL_AREA));
  point(300, 100), click(3), tap(SDLK_s, SDLMod(KMOD_LCTRL | KMOD_LSHIFT)), type("\b\b\bcopy\r");
  EXPECT_EQ(status(), "Clamber - copy | Saved as copy.data!");
  EXPECT_EQ(resources.read("Levels/copy.data"), list());
  EXPECT_EQ(resources.read("Levels/new.data") + resources.read("Levels/edit.data"),
            made + "1 0 40 64 2 2\n");
}

// 5 s of frames after an edit, or the end of the process, write the edits
// beside the level; the next session offers them: Restore, then Discard. A
// damaged line is left out. A folder in the file's place stops even root.
TEST_F(Files, EditsSurviveInTheRecoveryFileUntilRestoredOrDiscarded) {
  startOn("edit.data", "1 0 40 64 2 2\n"), type("e"), point(300, 100), click(3), frames(312);
  EXPECT_FALSE(resources.exists(RECOVERY));
  frames(1);
  EXPECT_EQ(resources.read(RECOVERY), list());
  point(300, 200), click(3), world->prepareQuit();
  const std::string edited = list();
  EXPECT_EQ(resources.read(RECOVERY), edited);
  makeWorld(), type("\r"), frames(1);
  EXPECT_EQ(list() + status(), edited + "Clamber - edit * | Restored unsaved changes");
  makeWorld(), tap(SDLK_DOWN), type("\r"), frames(1);
  EXPECT_EQ(list() + status(), "1 0 40 64 2 2 \nClamber - edit | Discarded unsaved changes");
  EXPECT_FALSE(resources.exists(RECOVERY));
  resources.write(RECOVERY, "1 10 10 5 3 2\nnonsense\n"), makeWorld(), type("\r"), frames(1);
  EXPECT_EQ(list() + status(),
            "1 10 10 5 3 2 \nClamber - edit * | Restored; 1 damaged lines left out");
  std::filesystem::remove(resources.path() / RECOVERY);
  resources.write(RECOVERY + "/taken", ""), type("e"), point(300, 200), click(3), frames(400);
  EXPECT_EQ(list() + status(),
            "1 10 10 5 3 2 \n1 30 20 10 2 0 \nClamber - edit * | Autosave FAILED!");
}

} // namespace
