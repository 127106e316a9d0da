// The editor's keyboard commands and its recovery file, driven as a person
// drives them: the caption, the pixels and the files are what they leave.

#include "EndToEnd.h"

#include <chrono>
#include <filesystem>
#include <string>

namespace {

using namespace std::chrono_literals;

class EditorEndToEnd : public EndToEnd {
protected:
  // Starts the game on level edit in edit mode.
  void startEditing() {
    useLevels({{"edit.data", kFloorLevel}});
    game.start();
    game.key("e");
    ASSERT_TRUE(shows(20, 400, kEditBackground));
  }

  // A right click adds a climbable platform 100 x 20 at the pointer.
  std::string addPlatform() {
    game.moveMouse(100, 100);
    game.xdotool({"click", "3"});
    return kFloorLevel + "1 10 10 10 2 0 \n";
  }

  bool recoveryExists() const {
    return std::filesystem::exists(game.folder().path() / "resources/Levels/.edit.data.recovery");
  }
};

TEST_F(EditorEndToEnd, ADragIsUndoneAndRedoneThenSavedWithCtrlS) {
  startEditing();
  drag(100, 260, 100, 300); // the floor 40 pixels down
  ASSERT_TRUE(captionIs("Clamber - edit *"));
  struct Step {
    const char* keys;
    const char* caption;
    bool moved;
  };
  for (const Step& step :
       {Step{"ctrl+z", "Clamber - edit", false}, Step{"ctrl+y", "Clamber - edit *", true},
        Step{"ctrl+z", "Clamber - edit", false}, Step{"ctrl+shift+z", "Clamber - edit *", true}}) {
    game.key(step.keys);
    EXPECT_TRUE(captionIs(step.caption)) << step.keys << ": " << game.caption();
    // Left of the mouse marker: the floor's old rows and its new ones.
    EXPECT_TRUE(waitFor([&] {
      const Screenshot shot = game.screenshot();
      return (shot.at(50, 260) == kEditBackground) == step.moved &&
             (shot.at(50, 300) == kEditBackground) != step.moved;
    })) << step.keys;
  }
  game.key("ctrl+s");
  EXPECT_TRUE(captionIs("Clamber - edit"));
  EXPECT_EQ(level("edit.data"), "1 0 29 64 2 2 \n2 32 24 2 2 \n");
}

TEST_F(EditorEndToEnd, CtrlQQuitsWithStatusZeroKeepingTheEditsForRecovery) {
  startEditing();
  // Quit well before the autosave is due: the edit reaches the file anyway.
  const std::string edited = addPlatform();
  game.key("ctrl+q");
  EXPECT_EQ(game.waitExit(), 0);
  EXPECT_EQ(level(".edit.data.recovery"), edited);
}

TEST_F(EditorEndToEnd, EditsOutliveAKillAndAreRestoredAndSaved) {
  startEditing();
  const std::string edited = addPlatform();
  ASSERT_TRUE(waitFor([&] { return level(".edit.data.recovery") == edited; }, 10s));
  game.kill();

  game.start();
  // The menu's first row, Restore, selected in blue above the grey one.
  ASSERT_TRUE(waitFor([&] {
    const Screenshot shot = game.screenshot();
    return shot.at(300, 78) == kMenuSelection && shot.at(300, 116) == kBoxFill;
  })) << "no recovery menu";
  game.key("Return");
  ASSERT_TRUE(captionIs("Clamber - edit *"));
  game.key("e");
  game.key("equal");
  EXPECT_TRUE(waitFor([&] { return level("edit.data") == edited && !recoveryExists(); }))
      << level("edit.data");
}

TEST_F(EditorEndToEnd, CtrlNCreatesALevelThatTheLevelMenuLists) {
  useLevels({{"start.data", kFloorLevel}});
  game.start();
  // A level menu shown before the level exists: the next one reads the folder anew.
  game.key("l");
  game.key("Escape");
  game.key("ctrl+n");
  game.xdotool({"type", "zz-new"});
  game.key("Return");
  ASSERT_TRUE(captionIs("Clamber - zz-new"));
  EXPECT_TRUE(shows(20, 300, kEditBackground)) << "not in edit mode";
  // A floor, a spawn point standing on it and a goal.
  EXPECT_EQ(level("zz-new.data"), "1 0 40 64 2 2 \n2 10 38 2 2 \n3 50 30 10 10 \n");

  // The menu lists start, then zz-new; a menu closes on the frame after its
  // Return, so each load is awaited before the next key.
  game.key("l");
  game.key("Return");
  ASSERT_TRUE(captionIs("Clamber - start"));
  game.key("l");
  game.key("Down");
  game.key("Return");
  EXPECT_TRUE(captionIs("Clamber - zz-new"));
}

TEST_F(EditorEndToEnd, SaveAsRefusesTheNameOfAnotherLevel) {
  const std::string other = "1 40 30 10 10 2 \n";
  useLevels({{"a.data", kFloorLevel}, {"b.data", other}});
  game.start();
  game.key("e");
  game.key("ctrl+shift+s");
  // The name field's left edge.
  ASSERT_TRUE(shows(40, 240, kWhite)) << "no prompt";
  game.key("BackSpace");
  game.key("b");
  game.key("Return");
  // Input is handled in order: a frame with the marker moved came after the
  // Return.
  game.moveMouse(600, 400);
  ASSERT_TRUE(shows(600, 400, kMouseMarker));
  EXPECT_EQ(game.screenshot().at(40, 240), kWhite) << "the prompt closed";
  EXPECT_EQ(level("b.data"), other);
  EXPECT_EQ(game.caption(), "Clamber - a");
  game.key("Escape");
  EXPECT_TRUE(shows(40, 240, kEditBackground)) << "the prompt stayed";
}

TEST_F(EditorEndToEnd, F1ShowsTheHelpAndF1HidesIt) {
  useLevels({{"start.data", kFloorLevel}});
  game.start();
  ASSERT_TRUE(standsOnTheFloor());
  // Inside the box's top-left corner, above its text.
  EXPECT_EQ(game.screenshot().at(45, 75), kBlack);
  game.key("F1");
  EXPECT_TRUE(waitFor([&] {
    const Screenshot shot = game.screenshot();
    return shot.at(45, 75) == kBoxFill && shot.at(38, 70) == kWhite;
  })) << "no help";
  game.key("F1");
  EXPECT_TRUE(shows(45, 75, kBlack)) << "the help stayed";
}

} // namespace
