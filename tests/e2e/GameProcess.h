#pragma once

#include "support/TempDir.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Polls done every 20 ms until it holds; false when timeout passes first.
bool waitFor(const std::function<bool()>& done,
             std::chrono::milliseconds timeout = std::chrono::seconds(5));

struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels; // rows top to bottom

  // 0xRRGGBB: the top byte of a depth-24 pixel holds no colour.
  std::uint32_t at(int x, int y) const {
    return pixels.at(static_cast<size_t>(y * width + x)) & 0xffffff;
  }
};

// The real game executable in a temporary folder of its own, with its own
// copy of the resources, in a real window on the current X display, driven
// with real X input: keys and buttons through xdotool, the pointer warped.
class GameProcess {
public:
  GameProcess();
  ~GameProcess() { kill(); }

  // The executable, its resources and its output; tests change the
  // resources before start() and read what the game saved.
  const TempDir& folder() const { return dir; }

  // Also restarts a game that has ended, in the same folder with its output
  // cleared. Returns once the window is viewable and has the keyboard focus,
  // or the game has ended.
  void start();
  bool running();
  // The exit status (128 + signal when killed); nothing while it still runs.
  std::optional<int> waitExit(std::chrono::milliseconds timeout = std::chrono::seconds(5));
  // Ends the game as a crash would.
  void kill();
  // Standard output since the last start.
  std::string output() const { return dir.read("output"); }

  // A key or a chord by xdotool's names: "e", "Return", "ctrl+shift+s".
  void key(const std::string& keys) const { xdotool({"key", keys}); }
  // Any other input, e.g. {"keydown", "d"}, {"mouseup", "1"}, {"click", "3"}.
  void xdotool(std::vector<std::string> args) const;
  // Window coordinates.
  void moveMouse(int x, int y) const;

  Screenshot screenshot() const;
  // The window's title as a window manager would show it.
  std::string caption() const;
  // Asks the window to close, as its close control does.
  void closeWindow() const;

private:
  // A space in the folder's name keeps the game honest about paths.
  TempDir dir{"clamber game "};
  int pid = -1;
  std::optional<int> status;
  unsigned long window = 0;
};
