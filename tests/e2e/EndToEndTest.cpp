// The real executable in a real window, driven with real X input: what a
// person sees on screen and keeps on disk.

#include "GameProcess.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

// A level whose spawn point stands on a floor at the window's centre, so the
// camera has no reason to move. The spawn point comes last: the first object
// overlapping the character takes a frame's one contact, and the character
// starts inside its spawn point.
const std::string kFloorLevel = "1 0 25 64 2 2 \n" // plain floor (0, 250) 640 x 20
                                "2 32 24 2 2 \n";  // spawn point (320, 240)

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kCharacter = 0x0000ff;
constexpr std::uint32_t kEditBackground = 0x333333;
constexpr std::uint32_t kMouseMarker = 0xff0000;
constexpr std::uint32_t kResizeHandle = 0x00f000; // green under the level texture's grey

// The leftmost column of the character's blue square on row y, or -1.
int blueColumn(const Screenshot& shot, int y) {
  for (int x = 0; x < shot.width; ++x) {
    if (shot.at(x, y) == kCharacter) {
      return x;
    }
  }
  return -1;
}

class EndToEnd : public ::testing::Test {
protected:
  void useLevels(const std::vector<std::pair<std::string, std::string>>& levels) {
    for (const auto& [name, content] : levels) {
      game.folder().write("resources/Levels/" + name, content);
    }
    game.folder().write("resources/Levels/loadlevel.txt", levels.front().first + "\n");
  }

  bool shows(int x, int y, std::uint32_t colour) {
    return waitFor([&] { return game.screenshot().at(x, y) == colour; });
  }

  // Standing: the 20 x 20 square's bottom row is the row above the floor.
  bool standsOnTheFloor() {
    return waitFor([&] {
      const Screenshot shot = game.screenshot();
      return blueColumn(shot, 249) == 310 && blueColumn(shot, 250) == -1;
    });
  }

  // Edit mode moves a grabbed object once a frame: the button goes up only
  // when the mouse marker shows a frame drawn with the pointer at its goal.
  void drag(int fromX, int fromY, int toX, int toY) {
    game.moveMouse(fromX, fromY);
    game.xdotool({"mousedown", "1"});
    game.moveMouse(toX, toY);
    EXPECT_TRUE(shows(toX, toY, kMouseMarker)) << "the mouse marker at " << toX << ", " << toY;
    game.xdotool({"mouseup", "1"});
  }

  GameProcess game;
};

TEST_F(EndToEnd, StartsWithTheAttributeAndTextureLinesAndQuitsWithMetaQNotPlainQ) {
  useLevels({{"start.data", kFloorLevel}});
  game.start();
  // Keys are handled in order: once e has shown the editor, q was ignored.
  game.key("q");
  game.key("e");
  ASSERT_TRUE(shows(20, 400, kEditBackground));
  game.key("Meta_L+q");
  EXPECT_EQ(game.waitExit(), 0);
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

TEST_F(EndToEnd, TheWindowCloseControlEndsTheGameWithStatusZero) {
  useLevels({{"start.data", kFloorLevel}});
  game.start();
  game.closeWindow();
  EXPECT_EQ(game.waitExit(), 0);
}

TEST_F(EndToEnd, AMissingImageEndsTheGameWithStatusOne) {
  useLevels({{"start.data", kFloorLevel}});
  std::filesystem::remove(game.folder().path() / "resources/Images/test.bmp");
  game.start();
  EXPECT_EQ(game.waitExit(), 1);
  EXPECT_NE(game.output().find("Failed to load texture: /Images/test.bmp\n"), std::string::npos)
      << game.output();
}

TEST_F(EndToEnd, PlayLandsOnTheFloorAndWalksRight) {
  useLevels({{"start.data", kFloorLevel}});
  game.start();
  ASSERT_TRUE(standsOnTheFloor()) << "standing at " << blueColumn(game.screenshot(), 249);
  game.xdotool({"keydown", "d"});
  const bool walked = waitFor([&] { return blueColumn(game.screenshot(), 249) > 330; });
  game.xdotool({"keyup", "d"});
  EXPECT_TRUE(walked) << "the character did not walk right along the floor";
}

TEST_F(EndToEnd, AnEditingSessionIsSavedToTheLevelFile) {
  useLevels({{"edit.data", kFloorLevel}});
  game.start();
  game.key("e");
  ASSERT_TRUE(shows(20, 400, kEditBackground));

  // Right click: a new climbable platform at the pointer, dragged by its body
  // onto the grid and resized by its handle, then at (250, 160).
  game.moveMouse(100, 100);
  game.xdotool({"click", "3"});
  drag(150, 110, 203, 157);
  drag(255, 165, 300, 185);

  // A monster from the add-object menu, which closes on the frame after
  // Return; the monster shows up selected at the pointer.
  game.moveMouse(400, 100);
  game.key("grave");
  game.key("Down");
  game.key("Return");
  ASSERT_TRUE(shows(425, 125, kResizeHandle)) << "the new monster's resize handle";
  // Cut, pasted elsewhere and saved.
  game.key("x");
  game.moveMouse(505, 303);
  game.key("v");
  game.key("equal");
  const std::string saved = "1 0 25 64 2 2 \n"
                            "2 32 24 2 2 \n"
                            "1 15 14 14 4 0 \n"
                            "4 50 30 2 2 \n";
  EXPECT_TRUE(waitFor([&] { return game.folder().read("resources/Levels/edit.data") == saved; }))
      << game.folder().read("resources/Levels/edit.data");
}

TEST_F(EndToEnd, TheLevelMenuLoadsAnotherLevel) {
  useLevels({{"a.data", kFloorLevel},
             {"b.data", kFloorLevel + "1 40 30 10 10 2 \n"}}); // grey block (400, 300)
  game.start();
  ASSERT_TRUE(standsOnTheFloor());
  EXPECT_EQ(game.screenshot().at(450, 350), kBlack);

  game.key("l");
  game.key("Down");
  game.key("Return");
  EXPECT_TRUE(waitFor([&] {
    const std::uint32_t block = game.screenshot().at(450, 350);
    return block % 256 > 60 && block == block % 256 * 0x010101;
  })) << "the grey block of level b is not drawn";
}

} // namespace
