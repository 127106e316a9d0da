#pragma once

#include "GameProcess.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// A level whose spawn point stands on a floor at the window's centre, so the
// camera has no reason to move. The spawn point comes last: the first object
// overlapping the character takes a frame's one contact, and the character
// starts inside its spawn point.
inline const std::string kFloorLevel = "1 0 25 64 2 2 \n" // plain floor (0, 250) 640 x 20
                                       "2 32 24 2 2 \n";  // spawn point (320, 240)

inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kWhite = 0xffffff;
inline constexpr std::uint32_t kCharacter = 0x0000ff;
inline constexpr std::uint32_t kEditBackground = 0x333333;
// Menus, the name prompt and the help fill their boxes with the same grey.
inline constexpr std::uint32_t kBoxFill = 0x333333;
inline constexpr std::uint32_t kMenuSelection = 0x0000ff;
inline constexpr std::uint32_t kMouseMarker = 0xff0000;
inline constexpr std::uint32_t kResizeHandle = 0x00f000; // green under the level texture's grey

// The leftmost column of the character's blue square on row y, or -1.
inline int blueColumn(const Screenshot& shot, int y) {
  for (int x = 0; x < shot.width; ++x) {
    if (shot.at(x, y) == kCharacter) {
      return x;
    }
  }
  return -1;
}

// The game in its own folder with only the levels a test gives it.
class EndToEnd : public ::testing::Test {
protected:
  // The first level is the one the game starts with. The shipped levels go,
  // so that the level menu lists only these.
  void useLevels(const std::vector<std::pair<std::string, std::string>>& levels) {
    std::filesystem::remove_all(game.folder().path() / "resources/Levels");
    for (const auto& [name, content] : levels) {
      game.folder().write("resources/Levels/" + name, content);
    }
    game.folder().write("resources/Levels/loadlevel.txt", levels.front().first + "\n");
  }

  // The bytes of a file in the game's level folder; empty when it is missing.
  std::string level(const std::string& name) const {
    return game.folder().read("resources/Levels/" + name);
  }

  bool shows(int x, int y, std::uint32_t colour) {
    return waitFor([&] { return game.screenshot().at(x, y) == colour; });
  }

  bool captionIs(const std::string& caption) {
    return waitFor([&] { return game.caption() == caption; });
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
