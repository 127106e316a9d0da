#pragma once

#include <SDL.h>

#include <memory>
#include <string>

class KeyState;
class ReplayRecorder;
class ResourceRoot;
class World;

// The process's spine: owns the one KeyState and the one World and runs the
// frame loop on the main thread.
class Application {
public:
  static constexpr int WIDTH = 640;
  static constexpr int HEIGHT = 480;

  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Prints the six attribute lines of the current OpenGL context.
  static void printAttributes();
  // Window-pixel projection: origin top-left, y down, one unit a pixel.
  static void glEnable2D();
  // Routes one event: key and button events to the world first, then to the
  // key state (but for the world's shortcuts); motion only moves the
  // world's mouse. True when the event asks to quit (Meta+q, Ctrl+q, or a
  // quit event).
  static bool dispatchEvent(World& world, KeyState& keyState, const SDL_Event& event);

  // Creates the key state and the world on the resources in root (needs
  // the GL context), then sets the projection, texturing and the black
  // clear colour.
  void init(const ResourceRoot& root);
  void drawGL();
  // Runs passes until one of them sees a quit request; that pass still
  // updates, draws and presents. Unsaved edits then go to the recovery
  // file. A recorder, when given, paces the frames and writes the events.
  void mainLoop(ReplayRecorder* recorder = nullptr);

private:
  std::unique_ptr<KeyState> keystate;
  std::unique_ptr<World> w;
  // The window title last set.
  std::string caption;
};

// Opens the window, runs the game (recording it when a recorder is given)
// and returns the process's exit status: 2 when the replay could not be
// written.
int SDL_main(ReplayRecorder* recorder = nullptr);
