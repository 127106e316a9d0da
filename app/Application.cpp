#include "app/Application.h"

#include "app/FrameClock.h"
#include "app/ReplayRecorder.h"
#include "audio/SoundPlayer.h"
#include "common/PlayerFolder.h"
#include "common/ResourceRoot.h"
#include "input/KeyState.h"
#include "world/World.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

namespace {

// The video surface of the window; kept for the life of the process.
SDL_Surface* screen = nullptr;

// The frame texture's size: the powers of two that hold the view, which any
// OpenGL takes.
constexpr int FRAME_TEXTURE_WIDTH = 1024;
constexpr int FRAME_TEXTURE_HEIGHT = 512;

constexpr Uint32 WINDOW_FLAGS = SDL_HWSURFACE | SDL_OPENGL | SDL_DOUBLEBUF;

// The view's projection: origin top-left, y down, one unit a view pixel.
void viewProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, Application::WIDTH, Application::HEIGHT, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
}

} // namespace

Application::Application(int desktopWidth, int desktopHeight)
    : desktopWidth(desktopWidth), desktopHeight(desktopHeight) {}

Application::~Application() {
  if (joystick != nullptr) {
    SDL_JoystickClose(joystick);
  }
  if (frameTexture != 0) {
    glDeleteTextures(1, &frameTexture);
  }
}

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
      quit = world.quitRequested();
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
  case SDL_JOYAXISMOTION:
  case SDL_JOYHATMOTION:
  case SDL_JOYBUTTONDOWN:
  case SDL_JOYBUTTONUP:
    keyState.getGamepad().handleEvent(event);
    world.padEvent(event);
    break;
  case SDL_QUIT:
    quit = world.quitRequested();
    break;
  default:
    break;
  }
  return quit;
}

void Application::init(const ResourceRoot& root, const ResourceRoot& player) {
  keystate = std::make_unique<KeyState>();
  w = std::make_unique<World>(WIDTH, HEIGHT, keystate.get(), root, player);
  sound = std::make_unique<SoundPlayer>(root);
  // The first pad plugged in plays; without one (or without joystick
  // support) the game is played as ever.
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0 && SDL_NumJoysticks() > 0) {
    joystick = SDL_JoystickOpen(0);
    SDL_JoystickEventState(SDL_ENABLE);
  }
  glEnable2D();
  glEnable(GL_TEXTURE_2D);
  glClearColor(0, 0, 0, 0);
  if (const SDL_Surface* surface = SDL_GetVideoSurface()) {
    windowWidth = windowedWidth = surface->w;
    windowHeight = windowedHeight = surface->h;
    scale.setWindow(windowWidth, windowHeight);
  }
}

bool Application::setWindow(int width, int height, bool full) {
  const SDL_Surface* surface =
      SDL_SetVideoMode(width, height, 0, WINDOW_FLAGS | (full ? SDL_FULLSCREEN : SDL_RESIZABLE));
  if (surface == nullptr) {
    std::fprintf(stderr, "Couldn't set %dx%d OpenGL video mode: %s\n", width, height,
                 SDL_GetError());
    return false;
  }
  fullscreen = full;
  windowWidth = surface->w;
  windowHeight = surface->h;
  scale.setWindow(windowWidth, windowHeight);
  viewProjection();
  glViewport(0, 0, WIDTH, HEIGHT);
  if (scale.getScale() > 1 && frameTexture == 0) {
    glGenTextures(1, &frameTexture);
    glBindTexture(GL_TEXTURE_2D, frameTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, FRAME_TEXTURE_WIDTH, FRAME_TEXTURE_HEIGHT, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
  }
  return true;
}

bool Application::handleWindowEvent(const SDL_Event& event) {
  switch (event.type) {
  case SDL_KEYDOWN:
  case SDL_KEYUP:
    if (event.key.keysym.sym != SDLK_F11) {
      return false;
    }
    if (event.type == SDL_KEYDOWN) {
      if (!fullscreen) {
        windowedWidth = windowWidth;
        windowedHeight = windowHeight;
      }
      fullscreen ? setWindow(windowedWidth, windowedHeight, false)
                 : setWindow(desktopWidth, desktopHeight, true);
    }
    return true;
  case SDL_VIDEORESIZE:
    // A fullscreen window keeps the desktop's size.
    if (!fullscreen) {
      setWindow(event.resize.w, event.resize.h, false);
    }
    return true;
  default:
    return false;
  }
}

void Application::toView(SDL_Event& event) const {
  if (event.type == SDL_MOUSEMOTION) {
    event.motion.x = static_cast<Uint16>(scale.toViewX(event.motion.x));
    event.motion.y = static_cast<Uint16>(scale.toViewY(event.motion.y));
  } else if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) {
    event.button.x = static_cast<Uint16>(scale.toViewX(event.button.x));
    event.button.y = static_cast<Uint16>(scale.toViewY(event.button.y));
  }
}

void Application::drawGL() {
  const float grey = w->getClearGrey();
  glClearColor(grey, grey, grey, 0);
  if (scale.isPlain()) {
    glClear(GL_COLOR_BUFFER_BIT);
    w->draw();
  } else if (scale.getScale() == 1) {
    drawOffset();
  } else {
    drawScaled();
  }
}

// A window too small in one direction for twice the view: the view drawn as
// it is, where the bars put it. The world's clear colour (grey in the
// editor) is for the view only.
void Application::drawOffset() {
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(clear[0], clear[1], clear[2], clear[3]);
  const int x = scale.getLeft();
  const int y = windowHeight - scale.getTop() - HEIGHT;
  glEnable(GL_SCISSOR_TEST);
  glScissor(x, y, WIDTH, HEIGHT);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
  glViewport(x, y, WIDTH, HEIGHT);
  w->draw();
}

// The bitmap font ignores any scaling of the projection, so the frame is
// drawn as at scale 1 into the window's bottom-left corner and then copied
// into a texture that is drawn at the scale, one view pixel a block.
void Application::drawScaled() {
  glViewport(0, 0, WIDTH, HEIGHT);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, WIDTH, HEIGHT);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
  w->draw();

  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT | GL_VIEWPORT_BIT);
  glBindTexture(GL_TEXTURE_2D, frameTexture);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, WIDTH, HEIGHT);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glViewport(0, 0, windowWidth, windowHeight);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, windowWidth, windowHeight, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);

  // The texture's rows run bottom-up, as the window's do.
  const int left = scale.getLeft();
  const int top = scale.getTop();
  const int right = left + WIDTH * scale.getScale();
  const int bottom = top + HEIGHT * scale.getScale();
  const float s = static_cast<float>(WIDTH) / FRAME_TEXTURE_WIDTH;
  const float t = static_cast<float>(HEIGHT) / FRAME_TEXTURE_HEIGHT;
  glBegin(GL_QUADS);
  glTexCoord2f(0, t);
  glVertex2i(left, top);
  glTexCoord2f(s, t);
  glVertex2i(right, top);
  glTexCoord2f(s, 0);
  glVertex2i(right, bottom);
  glTexCoord2f(0, 0);
  glVertex2i(left, bottom);
  glEnd();

  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}

void Application::playEvents(const World& world, SoundPlayer& sound) {
  if (sound.isEnabled() != world.isSoundOn()) {
    sound.setEnabled(world.isSoundOn());
  }
  for (const GameEvent event : world.getEvents()) {
    sound.play(event);
  }
}

void Application::mainLoop(ReplayRecorder* recorder) {
  FrameClock clock;
  bool quit = false;
  while (!quit) {
    const int elapsed = recorder != nullptr ? recorder->beginFrame() : clock.tick(SDL_GetTicks());
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      if (handleWindowEvent(event)) {
        continue;
      }
      toView(event);
      // What the world is given, in the view's pixels, is what a replay
      // gives it.
      if (recorder != nullptr) {
        recorder->record(event);
      }
      if (dispatchEvent(*w, *keystate, event)) {
        quit = true;
      }
    }
    w->update(elapsed);
    playEvents(*w, *sound);
    if (w->getCaption() != caption) {
      caption = w->getCaption();
      SDL_WM_SetCaption(caption.c_str(), "Clamber");
    }
    drawGL();
    SDL_GL_SwapBuffers();
  }
}

int SDL_main(ReplayRecorder* recorder) {
  if (SDL_Init(SDL_INIT_VIDEO) < 0) {
    std::fprintf(stderr, "Couldn't initialize SDL: %s\n", SDL_GetError());
    std::exit(1);
  }
  std::atexit(SDL_Quit);
  // Before the first video mode, SDL reports the desktop's.
  const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
  const int desktopWidth = desktop != nullptr ? desktop->current_w : Application::WIDTH;
  const int desktopHeight = desktop != nullptr ? desktop->current_h : Application::HEIGHT;
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  screen =
      SDL_SetVideoMode(Application::WIDTH, Application::HEIGHT, 0, WINDOW_FLAGS | SDL_RESIZABLE);
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
    Application app(desktopWidth, desktopHeight);
    const std::string resources = getResourcePath();
    app.init(ResourceRoot(resources), ResourceRoot(getPlayerPath(resources)));
    app.mainLoop(recorder);
  }
  const bool recorded = recorder == nullptr || recorder->finish();
  SDL_Quit();
  return recorded ? 0 : 2;
}
