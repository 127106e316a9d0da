// The real executable driven as a person drives it: what it prints, the ways it
// ends, what the game and its editor show and the level and recovery files.

#include "EndToEnd.h"
#include "support/Table.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <string>

TEST_F(EndToEnd, PrintsTheAttributeAndTextureLinesInOrder) {
  start();
  closeWindow();
  ASSERT_EQ(waitExit(), 0);
  EXPECT_THAT(dir.read("output"), testing::ContainsRegex("Red size: [0-9]+ bits\n"
                                                         "Blue size: [0-9]+ bits\n"
                                                         "Green size: [0-9]+ bits\n"
                                                         "Alpha size: [0-9]+ bits\n"
                                                         "Color buffer size: [0-9]+ bits\n"
                                                         "Depth bufer size: [0-9]+ bits\n"
                                                         "Surface: w:64 h:64 bpp:24\n"
                                                         "bytes per pixel: 3\n"));
}

struct QuitWay {
  const char* name;
  const char* keys; // none: the window's close control
};

class Quitting : public EndToEnd, public testing::WithParamInterface<QuitWay> {};

TEST_P(Quitting, EndsWithStatusZeroKeepingTheEditsForRecoveryWherePlainQDoesNot) {
  useLevels({{"edit.data", kFloorLevel}});
  start();
  // Keys are handled in order: once e has shown the editor, q was ignored.
  key("q");
  key("e");
  ASSERT_TRUE(shows(20, 400, kGrey)) << "plain q ended the game";
  // Quit well before the autosave is due: the edit reaches the file anyway.
  const std::string edited = addPlatform();
  GetParam().keys ? key(GetParam().keys) : closeWindow();
  EXPECT_EQ(waitExit(), 0);
  EXPECT_EQ(level(".edit.data.recovery"), edited);
}

INSTANTIATE_TEST_SUITE_P(EndToEnd, Quitting,
                         testing::Values(QuitWay{"MetaQ", "Meta_L+q"}, QuitWay{"CtrlQ", "ctrl+q"},
                                         QuitWay{"CloseControl", nullptr}),
                         RowName{});

TEST_F(EndToEnd, AMissingImageEndsTheGameWithStatusOne) {
  std::filesystem::remove(dir.path() / "resources/Images/test.bmp");
  launch();
  EXPECT_EQ(waitExit(), 1);
  const auto image = std::filesystem::canonical(dir.path()) / "resources/Images/test.bmp";
  EXPECT_THAT(dir.read("output"),
              testing::HasSubstr("Failed to load texture: " + image.string() + "\n"));
}

TEST_F(EndToEnd, PlayLandsOnTheFloorAndWalksRight) {
  useLevels({{"start.data", kFloorLevel}});
  start();
  // The leftmost column of the character's blue square on row y; 640 for none.
  const auto blueColumn = [&](int y) {
    const std::vector<std::uint32_t> pixels = row(y);
    return std::find(pixels.begin(), pixels.end(), kBlue) - pixels.begin();
  };
  // Standing: the 20 x 20 square's bottom row is the row above the floor.
  ASSERT_TRUE(waitFor([&] { return blueColumn(249) == 310 && blueColumn(250) == 640; }))
      << "standing at " << blueColumn(249);
  EXPECT_TRUE(shows(629, 15, 0xff0000) && shows(630, 15, 0)) << "the hit points' bar at the right";
  xdotool("keydown d");
  const bool walked = waitFor([&] { return blueColumn(249) > 330 && blueColumn(249) < 640; });
  xdotool("keyup d");
  EXPECT_TRUE(walked) << "the character did not walk right along the floor";
}

TEST_F(EndToEnd, AnEditingSessionIsSavedToTheLevelFile) {
  startEditing();
  // The new platform dragged by its body onto the grid and resized by its
  // handle, then at (250, 160).
  addPlatform();
  drag(150, 110, 203, 157);
  drag(255, 165, 300, 185);
  // A monster from the add-object menu, which closes on the frame after
  // Return; the monster shows up selected at the pointer.
  moveMouse(400, 100);
  key("grave");
  key("Down");
  key("Return");
  ASSERT_TRUE(shows(425, 125, 0x00f000)) << "the new monster's green resize handle";
  // Cut, pasted elsewhere and saved.
  key("x");
  moveMouse(505, 303);
  key("v");
  key("equal");
  const std::string saved = kFloorLevel + "1 15 14 14 4 0 \n4 50 30 2 2 \n";
  EXPECT_TRUE(waitFor([&] { return level("edit.data") == saved; })) << level("edit.data");
}

TEST_F(EndToEnd, EditsOutliveAKillAndAreRestoredAndSaved) {
  startEditing();
  const std::string edited = addPlatform();
  ASSERT_TRUE(
      waitFor([&] { return level(".edit.data.recovery") == edited; }, std::chrono::seconds(10)));
  kill();
  start();
  // The menu's first row, Restore, selected in blue above the grey one.
  ASSERT_TRUE(waitFor([&] { return pixel(300, 78) == kBlue && pixel(300, 116) == kGrey; }))
      << "no recovery menu";
  key("Return");
  // A menu closes on the frame after its Return: restored, not yet saved.
  ASSERT_TRUE(captionIs("Clamber - edit *"));
  key("e");
  key("equal");
  EXPECT_TRUE(waitFor([&] {
    return level("edit.data") == edited && level(".edit.data.recovery").empty();
  })) << level("edit.data");
}

TEST_F(EndToEnd, CtrlNCreatesALevelThatTheLevelMenuListsAndLoads) {
  useLevels({{"start.data", kFloorLevel}});
  start();
  // A menu shown before the level exists: the next one reads the folder anew.
  key("l");
  key("Escape");
  key("ctrl+n");
  xdotool("type zz-new");
  key("Return");
  ASSERT_TRUE(captionIs("Clamber - zz-new"));
  // A floor, a spawn point standing on it and a goal.
  EXPECT_EQ(level("zz-new.data"), "1 0 40 64 2 2 \n2 10 38 2 2 \n3 50 30 10 10 \n");
  // The menu lists start, then zz-new; a menu closes on the frame after its
  // Return, so each load is awaited before the next key.
  key("l");
  key("Return");
  ASSERT_TRUE(captionIs("Clamber - start"));
  EXPECT_TRUE(waitFor([&] { return pixel(20, 260) != kGrey && pixel(20, 410) == kGrey; }))
      << "not start's floor at 250 but zz-new's at 400";
  key("l");
  key("Down");
  key("Return");
  EXPECT_TRUE(captionIs("Clamber - zz-new"));
}

TEST_F(EndToEnd, SaveAsRefusesTheNameOfAnotherLevel) {
  const std::string other = "1 40 30 10 10 2 \n";
  useLevels({{"a.data", kFloorLevel}, {"b.data", other}});
  start();
  key("e");
  key("ctrl+shift+s");
  // The name field's left edge.
  ASSERT_TRUE(shows(40, 240, kWhite)) << "no prompt";
  key("BackSpace");
  key("b");
  key("Return");
  // Keys are handled in order: with the prompt gone, the Return was too.
  key("Escape");
  ASSERT_TRUE(shows(40, 240, kGrey)) << "the prompt stayed";
  EXPECT_EQ(level("b.data"), other);
}
