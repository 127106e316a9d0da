#include "app/Application.h"

#include "app/FrameClock.h"
#include "app/ReplayRecorder.h"
#include "common/ResourceRoot.h"
#include "input/KeyState.h"
#include "world/World.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

namespace {

// The video surface of the window; kept for the life of the process.
SDL_Surface* screen = nullptr;

} // namespace

Application::Application() = default;
Application::~Application() = default;

void Application::printAttributes() {
  // Each line shows what SDL reports for its own attribute; a query that
  // fails shows 0 rather than the previous line's value.
  const auto show = [](const char* format, SDL_GLattr attribute) {
    int value = 0;
    SDL_GL_GetAttribute(attribute, &value);
    std::printf(format, value);
  };
  show("Red size: %d bits\n", SDL_GL_RED_SIZE);
  show("Blue size: %d bits\n", SDL_GL_BLUE_SIZE);
  show("Green size: %d bits\n", SDL_GL_GREEN_SIZE);
  show("Alpha size: %d bits\n", SDL_GL_ALPHA_SIZE);
  show("Color buffer size: %d bits\n", SDL_GL_BUFFER_SIZE);
  show("Depth bufer size: %d bits\n", SDL_GL_DEPTH_SIZE);
  // The frame loop never returns to the C library until quit; a pipe reading
  // our output must see the lines now.
  std::fflush(stdout);
}

void Application::glEnable2D() {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, viewport[2], viewport[3], 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

bool Application::dispatchEvent(World& world, KeyState& keyState, const SDL_Event& event) {
  bool quit = false;
  switch (event.type) {
  case SDL_KEYDOWN: {
    // A shortcut's key is not also held as its plain key: Ctrl+S must not
    // scroll the view down.
    const bool consumed = world.keyDown(event);
    // The modifier comes from the event itself: SDL's own modifier state
    // does not follow pushed events. Ctrl+q is there for desktops whose
    // keymaps have no Meta key.
    const SDLMod mod = event.key.keysym.mod;
    if (event.key.keysym.sym == SDLK_q && (mod & (KMOD_LMETA | KMOD_RMETA | KMOD_CTRL)) != 0) {
      quit = true;
    }
    if (!consumed) {
      keyState.handleKeyEvent(event);
    }
    break;
  }
  case SDL_KEYUP:
    world.keyUp(event);
    keyState.handleKeyEvent(event);
    break;
  case SDL_MOUSEMOTION:
    world.setMouse(static_cast<double>(event.motion.x), static_cast<double>(event.motion.y));
    break;
  case SDL_MOUSEBUTTONDOWN:
    world.mouseButtonDown(event);
    keyState.handleMouseEvent(event);
    break;
  case SDL_MOUSEBUTTONUP:
    world.mouseButtonUp(event);
    keyState.handleMouseEvent(event);
    break;
  case SDL_QUIT:
    quit = true;
    break;
  default:
    break;
  }
  return quit;
}

void Application::init(const ResourceRoot& root) {
  keystate = std::make_unique<KeyState>();
  w = std::make_unique<World>(WIDTH, HEIGHT, keystate.get(), root);
  glEnable2D();
  glEnable(GL_TEXTURE_2D);
  glClearColor(0, 0, 0, 0);
}

void Application::drawGL() {
  glClear(GL_COLOR_BUFFER_BIT);
  w->draw();
}

void Application::mainLoop(ReplayRecorder* recorder) {
  FrameClock clock;
  bool quit = false;
  while (!quit) {
    const int elapsed = recorder != nullptr ? recorder->beginFrame() : clock.tick(SDL_GetTicks());
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      if (recorder != nullptr) {
        recorder->record(event);
      }
      if (dispatchEvent(*w, *keystate, event)) {
        quit = true;
      }
    }
    w->update(elapsed);
    if (w->getCaption() != caption) {
      caption = w->getCaption();
      SDL_WM_SetCaption(caption.c_str(), "Clamber");
    }
    drawGL();
    SDL_GL_SwapBuffers();
  }
  w->prepareQuit();
}

int SDL_main(ReplayRecorder* recorder) {
  if (SDL_Init(SDL_INIT_VIDEO) < 0) {
    std::fprintf(stderr, "Couldn't initialize SDL: %s\n", SDL_GetError());
    std::exit(1);
  }
  std::atexit(SDL_Quit);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  screen = SDL_SetVideoMode(Application::WIDTH, Application::HEIGHT, 0,
                            SDL_HWSURFACE | SDL_OPENGL | SDL_DOUBLEBUF);
  if (screen == nullptr) {
    std::fprintf(stderr, "Couldn't set 640x480 OpenGL video mode: %s\n", SDL_GetError());
    SDL_Quit();
    std::exit(2);
  }
  SDL_WM_SetCaption("Clamber", "Clamber");
  // Typed characters for the name prompt.
  SDL_EnableUNICODE(1);
  Application::printAttributes();
  {
    // The game is torn down while its GL context still exists.
    Application app;
    app.init(ResourceRoot(getResourcePath()));
    app.mainLoop(recorder);
  }
  const bool recorded = recorder == nullptr || recorder->finish();
  SDL_Quit();
  return recorded ? 0 : 2;
}
