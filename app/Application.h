#pragma once

#include "app/ViewScale.h"

#include <SDL.h>

#include <memory>
#include <string>

class KeyState;
class ReplayRecorder;
class ResourceRoot;
class SoundPlayer;
class World;

// The process's spine: owns the one KeyState, the one World and the sound,
// runs the frame loop on the main thread and fits the game's fixed view
// into the window.
class Application {
public:
  static constexpr int WIDTH = 640;
  static constexpr int HEIGHT = 480;

  // F11 fills a screen of the desktop's size.
  explicit Application(int desktopWidth = WIDTH, int desktopHeight = HEIGHT);
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
  // quit event) and the world grants it.
  static bool dispatchEvent(World& world, KeyState& keyState, const SDL_Event& event);

  // Creates the key state and the world on the resources in root, writing
  // to the player's folder (needs the GL context), and then the sound; sets
  // the projection, texturing and the black clear colour, and fits the view
  // into the current window.
  void init(const ResourceRoot& root, const ResourceRoot& player);
  // Sets the video mode again (the window was resized, or goes to or leaves
  // fullscreen) and fits the view into it; false, and an error line, when
  // SDL refuses the mode.
  bool setWindow(int width, int height, bool fullscreen);
  // One frame of the world; in a window that is not the view's size, drawn
  // at the view's scale with black bars around it.
  void drawGL();
  // After each update: the sounds of what happened in the frame, in order,
  // unless the player switched sound off.
  static void playEvents(const World& world, SoundPlayer& sound);
  // Runs passes until one of them sees a granted quit request; that pass
  // still updates, draws and presents. A recorder, when given, paces the
  // frames and writes the events.
  void mainLoop(ReplayRecorder* recorder = nullptr);

private:
  // F11 and window resizes, which the world never sees; true when the event
  // was one of them.
  bool handleWindowEvent(const SDL_Event& event);
  // Mouse positions from the window's pixels to the view's.
  void toView(SDL_Event& event) const;
  void drawOffset();
  void drawScaled();

  std::unique_ptr<KeyState> keystate;
  std::unique_ptr<World> w;
  std::unique_ptr<SoundPlayer> sound;
  // The first joystick, open for the life of the game; none when there is
  // none.
  SDL_Joystick* joystick = nullptr;
  ViewScale scale{WIDTH, HEIGHT};
  int desktopWidth;
  int desktopHeight;
  int windowWidth = WIDTH;
  int windowHeight = HEIGHT;
  // The window size to go back to from fullscreen.
  int windowedWidth = WIDTH;
  int windowedHeight = HEIGHT;
  bool fullscreen = false;
  // The view's frame, copied from the window to be drawn scaled; 0 until
  // the first window that needs it.
  unsigned frameTexture = 0;
  // The window title last set.
  std::string caption;
};

// Opens the window, runs the game (recording it when a recorder is given)
// and returns the process's exit status: 2 when the replay could not be
// written.
int SDL_main(ReplayRecorder* recorder = nullptr);
