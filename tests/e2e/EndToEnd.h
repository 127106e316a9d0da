#pragma once

#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// Polls done every 20 ms until it holds; false when timeout passes first.
inline bool waitFor(const std::function<bool()>& done,
                    std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  bool held = done();
  while (!held && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    held = done();
  }
  return held;
}

// The standard output of a helper tool; throws when the tool fails.
inline std::string run(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe)) {
    out += static_cast<char>(c);
  }
  if (pclose(pipe) != 0) {
    throw std::runtime_error(command + " failed");
  }
  return out;
}

// The character starts in its spawn point, on a floor at the window's centre;
// listed last, as the first object overlapped takes a frame's one contact.
inline const std::string kFloorLevel = "1 0 25 64 2 2 \n" // plain floor (0, 250) 640 x 20
                                       "2 32 24 2 2 \n";  // spawn point (320, 240)

// 0xRRGGBB. Menus, the name prompt and the help fill their boxes grey too.
inline constexpr std::uint32_t kWhite = 0xffffff;
inline constexpr std::uint32_t kBlue = 0x0000ff; // the character, a menu's selected row
inline constexpr std::uint32_t kGrey = 0x333333;

// The real game in a temporary folder with its own copy of the resources, in a
// real window on the current X display, driven with real X input by xdotool.
class EndToEnd : public ::testing::Test {
protected:
  EndToEnd() {
    std::filesystem::copy_file(CLAMBER_BINARY, dir.path() / "clamber");
    std::filesystem::copy(CLAMBER_SOURCE_RESOURCES, dir.path() / "resources",
                          std::filesystem::copy_options::recursive);
    // The virtual display's default map shares Meta_L with Alt_L; on a key
    // of its own the game sees Meta, not Alt.
    [[maybe_unused]] static const std::string metaKey =
        run("xmodmap -e 'keycode 64 = Alt_L' -e 'keycode 108 = Alt_R' -e 'keycode 205 = Meta_L' "
            "-e 'clear mod1' -e 'clear mod3' -e 'add mod1 = Alt_L Alt_R' -e 'add mod3 = Meta_L'");
  }
  ~EndToEnd() override { kill(); }

  // The first level is the one the game starts with. The shipped levels go,
  // so that the level menu lists only these.
  void useLevels(const std::vector<std::pair<std::string, std::string>>& levels) {
    std::filesystem::remove_all(dir.path() / "resources/Levels");
    for (const auto& [name, content] : levels) {
      dir.write("resources/Levels/" + name, content);
    }
    dir.write("resources/Levels/loadlevel.txt", levels.front().first + "\n");
  }
  // The bytes of a file in the game's level folder; empty when it is missing.
  std::string level(const std::string& name) const { return dir.read("resources/Levels/" + name); }

  // Runs the game (again) from /, with its standard output into the file
  // output: it must find its resources beside itself.
  void launch() {
    const std::string game = (dir.path() / "clamber").string();
    pid = fork();
    if (pid == 0) {
      if (std::freopen((dir.path() / "output").c_str(), "w", stdout) && chdir("/") == 0) {
        execl(game.c_str(), game.c_str(), nullptr);
      }
      _exit(127);
    }
  }
  // Launches the game and returns once its window shows and has the focus.
  void start() {
    launch();
    const std::string search =
        "xdotool search --onlyvisible --pid " + std::to_string(pid) + " 2>/dev/null || true";
    if (!waitFor([&] { return !(window = run(search)).empty(); }, std::chrono::seconds(20))) {
      throw std::runtime_error("the game window did not appear");
    }
    window = window.substr(0, window.find('\n'));
    // There is no window manager to hand out the keyboard focus.
    xdotool("windowfocus " + window + " mousemove --window " + window + " 320 240");
  }
  // The exit status; -1 when the game still runs or was killed.
  int waitExit() {
    int raw = 0;
    const bool ended = waitFor([&] { return waitpid(pid, &raw, WNOHANG) == pid; });
    pid = ended ? -1 : pid;
    return ended && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  // Ends the game as a crash would.
  void kill() {
    if (pid > 0) {
      ::kill(pid, SIGKILL);
      waitpid(std::exchange(pid, -1), nullptr, 0);
    }
  }

  // xdotool's commands and names: "click 3", "type zz-new", "keydown d".
  void xdotool(const std::string& command) { run("xdotool " + command); }
  void key(const std::string& keys) { xdotool("key " + keys); }
  void moveMouse(int x, int y) {
    xdotool("mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y));
  }
  // Asks the window to close, as its close control does.
  void closeWindow();
  // One row of the window's pixels, left to right.
  std::vector<std::uint32_t> row(int y);
  std::uint32_t pixel(int x, int y) { return row(y).at(static_cast<std::size_t>(x)); }
  bool shows(int x, int y, std::uint32_t colour) {
    return waitFor([&] { return pixel(x, y) == colour; });
  }
  // The window's title as a window manager would show it.
  bool captionIs(const std::string& expected) {
    return waitFor([&] { return run("xdotool getwindowname " + window) == expected + "\n"; });
  }

  // The game on level edit, in edit mode.
  void startEditing() {
    useLevels({{"edit.data", kFloorLevel}});
    start();
    key("e");
    ASSERT_TRUE(shows(20, 400, kGrey)) << "not in edit mode";
  }
  // A right click adds a 100 x 20 climbable platform; returns the level's text.
  std::string addPlatform() {
    moveMouse(100, 100);
    xdotool("click 3");
    return kFloorLevel + "1 10 10 10 2 0 \n";
  }
  // Edit mode moves a grabbed object once a frame: the button goes up only
  // when the red mouse marker shows a frame drawn with the pointer at its goal.
  void drag(int fromX, int fromY, int toX, int toY) {
    moveMouse(fromX, fromY);
    xdotool("mousedown 1");
    moveMouse(toX, toY);
    EXPECT_TRUE(shows(toX, toY, 0xff0000)) << "the mouse marker at " << toX << ", " << toY;
    xdotool("mouseup 1");
  }

  // A space in the folder's name keeps the game honest about paths.
  TempDir dir{"clamber game "};

private:
  int pid = -1;
  std::string window; // the X id in decimal, as xdotool names it
};
