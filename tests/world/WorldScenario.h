#pragma once

// A scenario rig for the world: a real window, a resource folder of the
// test's own, a real KeyState and a World built on demand, driven through
// the frame loop's own dispatch with synthetic SDL events and chosen
// elapsed times.

#include "actors/Character.h"
#include "app/Application.h"
#include "gfx/FloatingText.h"
#include "input/KeyState.h"
#include "objects/Level.h"
#include "support/Events.h"
#include "support/GLWindow.h"
#include "support/TempResources.h"
#include "world/World.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Level-file lines from pixel values (multiples of 10), as the game writes
// them: fields in tenths, each followed by a space.
namespace levelfile {
inline std::string object(int type, int x, int y, int w, int h) {
  return std::to_string(type) + " " + std::to_string(x / 10) + " " + std::to_string(y / 10) + " " +
         std::to_string(w / 10) + " " + std::to_string(h / 10) + " ";
}
inline std::string platform(int x, int y, int w, int h, int platformType) {
  return object(1, x, y, w, h) + std::to_string(platformType) + " ";
}
inline std::string spawn(int x, int y) {
  return object(2, x, y, 20, 20);
}
inline std::string goal(int x, int y) {
  return object(3, x, y, 100, 100);
}
inline std::string monster(int x, int y) {
  return object(4, x, y, 20, 20);
}
} // namespace levelfile

inline void PrintTo(const Point2D& p, std::ostream* os) {
  *os << "(" << p.x << ", " << p.y << ")";
}

class WorldScenario : public ::testing::Test {
protected:
  // Every test starts like the game does after init: the window, the
  // window-pixel projection, texturing on and a black clear colour.
  void SetUp() override { GLWindow::clear(0, 0, 0); }

  // Writes Levels/<file>, each line followed by a line feed.
  void writeLevel(const std::string& file, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
      text += line + '\n';
    }
    resources.write("Levels/" + file, text);
  }

  // Writes Levels/loadlevel.txt naming the level loaded at start.
  void writeLevelList(const std::string& firstLine) {
    resources.write("Levels/loadlevel.txt", firstLine + "\n");
  }

  // The level file and the list naming it, then the world on them.
  World& startOn(const std::string& file, const std::vector<std::string>& lines) {
    writeLevel(file, lines);
    writeLevelList(file);
    return makeWorld();
  }

  // Builds the world on the files written so far (replacing an earlier one).
  World& makeWorld() {
    world = std::make_unique<World>(Application::WIDTH, Application::HEIGHT, &keyState, resources.resourceRoot());
    return *world;
  }

  Character& hero() { return world->getCharacter(); }
  GameObject& object(std::size_t i) { return *world->getLevel().getObjects().at(i); }
  std::size_t objectCount() const { return world->getLevel().size(); }

  // Events through the frame loop's dispatch; each returns whether the
  // event asks to quit.

  bool send(const SDL_Event& event) { return Application::dispatchEvent(*world, keyState, event); }
  bool press(SDLKey key, SDLMod mod = KMOD_NONE) { return send(keyEvent(SDL_KEYDOWN, key, mod)); }
  bool release(SDLKey key, SDLMod mod = KMOD_NONE) { return send(keyEvent(SDL_KEYUP, key, mod)); }
  // Press and release in the same pass, as a quick key stroke arrives.
  bool tap(SDLKey key, SDLMod mod = KMOD_NONE) {
    const bool quitOnPress = press(key, mod);
    return release(key, mod) || quitOnPress;
  }

  // Window pixels.
  bool moveMouse(int x, int y) {
    mouseX = static_cast<Uint16>(x);
    mouseY = static_cast<Uint16>(y);
    return send(motionEvent(mouseX, mouseY));
  }
  // The pointer on a level position, with the camera where it is.
  void pointAt(double levelX, double levelY) {
    moveMouse(static_cast<int>(levelX - world->getOffset().x),
              static_cast<int>(levelY - world->getOffset().y));
  }
  bool mouseDown(int button) {
    return send(buttonEvent(SDL_MOUSEBUTTONDOWN, static_cast<Uint8>(button), mouseX, mouseY));
  }
  bool mouseUp(int button) {
    return send(buttonEvent(SDL_MOUSEBUTTONUP, static_cast<Uint8>(button), mouseX, mouseY));
  }
  bool click(int button) {
    const bool quitOnDown = mouseDown(button);
    return mouseUp(button) || quitOnDown;
  }

  void frame(int ms) { world->update(ms); }
  void frames(int n, int ms) {
    for (int i = 0; i < n; ++i) {
      world->update(ms);
    }
  }

  // The text of the newest message on screen, or "" when none is shown.
  std::string lastMessage() const {
    const std::vector<FloatingText>& texts = world->getFloatingTexts();
    return texts.empty() ? std::string() : texts.back().getText();
  }

  // What the frame loop draws in one pass (without the swap): clear with the
  // current clear colour, then the world from the identity modelview.
  void drawFrame() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    world->draw();
  }

  static Rgb pixel(int x, int y) { return GLWindow::pixel(x, y); }

  TempResources resources;
  KeyState keyState;
  std::unique_ptr<World> world;
  Uint16 mouseX = 0;
  Uint16 mouseY = 0;
};
