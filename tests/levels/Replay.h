#pragma once

// Recorded play-throughs: input scripts of key and mouse events at frame
// numbers with a fixed elapsed time per frame, and a player that feeds them
// to a real World through the frame loop's own dispatch.
//
// Script format, one statement a line; '#' starts a comment, blank lines
// are ignored:
//
//   ms 16                 elapsed milliseconds of every frame; the first
//                         statement, exactly once
//   120 keydown d         at frame 120, before that frame's update
//   130 keyup d
//   200 mousemove 500 240 window pixels, as SDL reports the pointer
//   201 mousedown 1       button numbers as SDL 1.2 has them (1 is left)
//   202 mouseup 1
//
// Frames count from 0 and never go back. Keys are named by one letter or
// digit, or by space, return, escape, up, down, left or right.

#include "input/KeyState.h"
#include "support/TempResources.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class World;

struct ReplayEvent {
  enum Kind : int { KEY_DOWN, KEY_UP, MOUSE_MOVE, MOUSE_DOWN, MOUSE_UP };

  int frame = 0;
  Kind kind = KEY_DOWN;
  // The SDL key, the button number, or the pointer's x and y.
  int a = 0;
  int b = 0;

  bool operator==(const ReplayEvent&) const = default;
};

struct Replay {
  int frameMs = 0;
  std::vector<ReplayEvent> events; // in frame order
};

// Reads a script. On a malformed one returns nothing and, when error is
// given, says which line is wrong and why.
std::optional<Replay> parseReplay(const std::string& text, std::string* error = nullptr);

struct ReplayOutcome {
  // The frame after whose update "Level Complete!" first appeared; -1 when
  // it never did.
  int completedAt = -1;
  // Whether "You are dead!" appeared at any frame of the run.
  bool died = false;
};

// Runs frames 0, 1, ... of the script on world: the events of a frame are
// dispatched as the frame loop does, then World::update runs with the
// script's elapsed time. Stops after the frame that completes the level, or
// after maxFrames updates. afterFrame, when given, sees every frame number
// after its update.
ReplayOutcome playReplay(World& world, KeyState& keyState, const Replay& replay, int maxFrames,
                         const std::function<void(int)>& afterFrame = {});

// A real World on a private copy of the shipped Levels folder, started on
// levelFile (the file name in Levels with its ".data"). Needs the test
// window's GL context.
class ShippedLevelRun {
public:
  explicit ShippedLevelRun(const std::string& levelFile);
  ~ShippedLevelRun();
  ShippedLevelRun(const ShippedLevelRun&) = delete;
  ShippedLevelRun& operator=(const ShippedLevelRun&) = delete;

  World& world() { return *gameWorld; }
  ReplayOutcome play(const Replay& replay, int maxFrames) {
    return playReplay(*gameWorld, keys, replay, maxFrames);
  }

private:
  TempResources resources;
  KeyState keys;
  std::unique_ptr<World> gameWorld;
};

// The name the level menu shows for a level file: the part before ".data".
std::string levelNameOf(const std::string& levelFile);
// The level's name with every character a test name cannot hold made '_'.
std::string testNameOf(const std::string& levelFile);
// The bytes of a file; empty when it cannot be read.
std::string fileText(const std::filesystem::path& path);

// The shipped Levels folder of the source tree.
std::filesystem::path shippedLevelsFolder();
// The file names in it that end in ".data", in byte order.
std::vector<std::string> shippedLevelFiles();
