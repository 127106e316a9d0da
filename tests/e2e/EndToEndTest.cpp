// The real executable in a real window, driven with real X input: what a
// person sees on screen and keeps on disk.

#include "GameProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {

// A level whose spawn point stands on a floor at the window's centre, so the
// camera has no reason to move. The spawn point comes last: the first object
// overlapping the character takes a frame's one contact, and the character
// starts inside its spawn point.
const std::string kFloorLevel = "1 0 25 64 2 2 \n" // plain floor (0, 250) 640 x 20
                                "2 32 24 2 2 \n";  // spawn point (320, 240)

class EndToEnd : public ::testing::Test {
protected:
  void SetUp() override { enableMetaKey(); }

  void useLevels(const std::vector<std::pair<std::string, std::string>>& levels) {
    for (const auto& [name, content] : levels) {
      game.writeResource("Levels/" + name, content);
    }
    game.writeResource("Levels/loadlevel.txt", levels.front().first + "\n");
  }

  void quitWithMetaQ() {
    game.keyDown("Meta_L");
    game.settle(60ms);
    game.key("q");
    game.keyUp("Meta_L");
  }

  GameProcess game;
};

bool isBlue(const std::vector<int>& p) {
  return p[0] == 0 && p[1] == 0 && p[2] == 255;
}

// The leftmost column of the character's blue square on row y, or -1.
int blueColumn(const Screenshot& shot, int y) {
  for (int x = 0; x < shot.width; ++x) {
    if (isBlue(shot.at(x, y))) {
      return x;
    }
  }
  return -1;
}

TEST_F(EndToEnd, StartsWithTheAttributeAndTextureLinesAndQuitsWithMetaQ) {
  useLevels({{"start.data", kFloorLevel}});
  game.start();
  quitWithMetaQ();
  EXPECT_EQ(game.waitExit(5s), 0);
  const std::string out = game.output();
  const std::vector<std::string> lines = {"Red size: ",
                                          "Blue size: ",
                                          "Green size: ",
                                          "Alpha size: ",
                                          "Color buffer size: ",
                                          "Depth bufer size: ",
                                          "Surface: w:64 h:64 bpp:24\n",
                                          "bytes per pixel: 3\n"};
  size_t at = 0;
  for (const auto& line : lines) {
    const size_t found = out.find(line, at);
    ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line << "\n" << out;
    at = found + line.size();
  }
}

TEST_F(EndToEnd, PlainQDoesNotQuit) {
  useLevels({{"start.data", kFloorLevel}});
  game.start();
  game.key("q");
  game.settle(300ms);
  EXPECT_TRUE(game.running());
}

TEST_F(EndToEnd, TheWindowCloseControlEndsTheGameWithStatusZero) {
  useLevels({{"start.data", kFloorLevel}});
  game.start();
  game.closeWindow();
  EXPECT_EQ(game.waitExit(5s), 0);
}

TEST_F(EndToEnd, AMissingImageEndsTheGameWithStatusOne) {
  useLevels({{"start.data", kFloorLevel}});
  std::filesystem::remove(game.resources() / "Images" / "test.bmp");
  game.start(false);
  EXPECT_EQ(game.waitExit(10s), 1);
  EXPECT_NE(game.output().find("Failed to load texture: /Images/test.bmp\n"), std::string::npos)
      << game.output();
}

TEST_F(EndToEnd, PlayLandsOnTheFloorAndWalksRight) {
  useLevels({{"start.data", kFloorLevel}});
  game.start();
  game.settle(500ms);
  Screenshot before = game.screenshot();
  // Standing: the 20 x 20 square's bottom row is the row above the floor.
  const int startX = blueColumn(before, 245);
  ASSERT_EQ(startX, 310);
  EXPECT_FALSE(isBlue(before.at(startX, 250)));

  game.keyDown("d");
  game.settle(300ms);
  game.keyUp("d");
  game.settle(1500ms);
  Screenshot after = game.screenshot();
  const int endX = blueColumn(after, 245);
  EXPECT_GT(endX, startX + 20) << "the character did not walk right";
}

TEST_F(EndToEnd, AnEditingSessionIsSavedToTheLevelFile) {
  useLevels({{"edit.data", kFloorLevel}});
  game.start();
  game.key("e");
  Screenshot edit = game.screenshot();
  EXPECT_EQ(edit.at(20, 400), (std::vector<int>{51, 51, 51})) << "edit-mode background";

  // Right click: a new climbable platform at the pointer.
  game.moveMouse(100, 100);
  game.click(3);
  // Drag it by its body onto the grid ...
  game.moveMouse(150, 110);
  game.mouseDown(1);
  game.moveMouse(203, 157);
  game.mouseUp(1);
  // ... and resize it by its handle, now at (250, 160).
  game.moveMouse(255, 165);
  game.mouseDown(1);
  game.moveMouse(300, 185);
  game.mouseUp(1);

  // A monster from the add-object menu, then cut and pasted elsewhere.
  game.moveMouse(400, 100);
  game.key("grave");
  game.key("Down");
  game.key("Return");
  game.key("x");
  game.moveMouse(505, 303);
  game.key("v");
  game.key("equal");
  game.settle(300ms);

  EXPECT_EQ(game.readResource("Levels/edit.data"), "1 0 25 64 2 2 \n"
                                                   "2 32 24 2 2 \n"
                                                   "1 15 14 14 4 0 \n"
                                                   "4 50 30 2 2 \n");
  Screenshot saved = game.screenshot();
  // The mouse marker follows the pointer in edit mode.
  EXPECT_EQ(saved.at(505, 303), (std::vector<int>{255, 0, 0}));
}

TEST_F(EndToEnd, TheLevelMenuLoadsAnotherLevel) {
  useLevels({{"a.data", kFloorLevel},
             {"b.data", kFloorLevel + "1 40 30 10 10 2 \n"}}); // grey block (400, 300)
  game.start();
  Screenshot first = game.screenshot();
  EXPECT_EQ(first.at(450, 350), (std::vector<int>{0, 0, 0}));

  game.key("l");
  game.key("Down");
  game.key("Return");
  game.settle(300ms);
  Screenshot second = game.screenshot();
  const auto block = second.at(450, 350);
  EXPECT_GT(block[0], 60) << "the grey block of level b is not drawn";
  EXPECT_EQ(block[0], block[1]);
  EXPECT_EQ(block[1], block[2]);
}

} // namespace
