#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Runs a program without a shell and returns its exit status (-1 when it
// could not be started); its standard output is stored in output when
// given.
int runCommand(const std::vector<std::string>& argv, std::string* output = nullptr);

// A screenshot of a window: packed RGB rows, top to bottom.
struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;

  // {r, g, b} of the pixel at (x, y), y down.
  std::vector<int> at(int x, int y) const;
};

// The real game executable in a folder of its own, with its own copy of the
// resources, started in a real window on the current X display and driven
// with real X input through xdotool.
class GameProcess {
public:
  // Copies the built executable and the project's resources into a fresh
  // temporary folder.
  GameProcess();
  ~GameProcess();
  GameProcess(const GameProcess&) = delete;
  GameProcess& operator=(const GameProcess&) = delete;

  // The copy's resource folder; tests may change its files before start().
  std::filesystem::path resources() const { return folder / "resources"; }
  void writeResource(const std::string& relative, const std::string& content) const;
  std::string readResource(const std::string& relative) const;

  // Starts the game; with wait, returns once its window is mapped and has
  // the pointer (so it has the keyboard focus: there is no window manager).
  void start(bool wait = true);
  bool running();
  // Waits for the process to end; its exit status, or nothing on time-out.
  std::optional<int> waitExit(std::chrono::milliseconds timeout);
  std::string output() const;
  std::string errors() const;
  // Waits until standard output holds text.
  bool waitForOutput(const std::string& text, std::chrono::milliseconds timeout) const;

  // xdotool key names, e.g. "e", "grave", "equal", "Return", "shift".
  void key(const std::string& name);
  void keyDown(const std::string& name);
  void keyUp(const std::string& name);
  // Window coordinates.
  void moveMouse(int x, int y);
  void click(int button);
  void mouseDown(int button);
  void mouseUp(int button);
  // Lets the game run a few frames so that input sent so far is handled.
  void settle(std::chrono::milliseconds time = std::chrono::milliseconds(150));
  Screenshot screenshot();
  // Asks the window to close, as its close control does.
  void closeWindow();
  const std::string& windowId() const { return window; }

private:
  void xdotool(std::vector<std::string> args);

  std::filesystem::path base;
  std::filesystem::path folder;
  pid_t pid = -1;
  std::optional<int> status;
  std::string window;
};

// Gives the virtual display a usable Meta key (its default map shares
// Meta_L with Alt_L), once per process.
void enableMetaKey();
