// The real executable in a real window, driven with real X input: what a
// person sees on screen and keeps on disk.

#include "EndToEnd.h"

#include <string>
#include <vector>

namespace {

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
