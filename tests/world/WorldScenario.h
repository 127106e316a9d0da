#pragma once

// A world on a resource folder of its own, driven as the frame loop does.

#include "actors/Character.h"
#include "app/Application.h"
#include "input/KeyState.h"
#include "objects/Level.h"
#include "objects/LevelText.h"
#include "support/Events.h"
#include "support/GLWindow.h"
#include "support/TempResources.h"
#include "world/World.h"

#include <gtest/gtest.h>

#include <optional>

class WorldScenario : public testing::Test {
protected:
  // Level lines: "type x y width height [platform kind]", in tens of pixels.
  void startOn(const std::string& file, const std::string& text) {
    resources.write("Levels/" + file, text);
    resources.write("Levels/loadlevel.txt", file);
    makeWorld();
  }
  void makeWorld() {
    GLWindow::ensure();
    world = player ? std::make_unique<World>(640, 480, &keys, resources.resourceRoot(), *player)
                   : std::make_unique<World>(640, 480, &keys, resources.resourceRoot());
  }
  void send(const SDL_Event& e) { Application::dispatchEvent(*world, keys, e); }
  void press(SDLKey key, SDLMod mod = KMOD_NONE) { send(keyEvent(SDL_KEYDOWN, key, mod)); }
  void tap(SDLKey key, SDLMod mod = KMOD_NONE) { press(key, mod), send(keyEvent(SDL_KEYUP, key)); }
  void type(const std::string& text) {
    for (const char key : text) {
      tap(SDLKey(key));
    }
  }
  void point(double x, double y) { send(motionEvent(mx = Uint16(x), my = Uint16(y))); }
  void button(Uint8 type, int b) { send(buttonEvent(type, Uint8(b), mx, my)); }
  void click(int b) { button(SDL_MOUSEBUTTONDOWN, b), button(SDL_MOUSEBUTTONUP, b); }
  // Each frame's events are heard after its update, as the frame loop's
  // listeners hear them.
  void frames(int n, int ms = 16) {
    for (int i = 0; i < n; ++i) {
      world->update(ms);
      heard.insert(heard.end(), world->getEvents().begin(), world->getEvents().end());
    }
  }
  // The caption and the newest message.
  std::string status() const {
    const auto& texts = world->getFloatingTexts();
    return world->getCaption() + " | " + (texts.empty() ? "" : texts.back().getText());
  }
  std::string list() const { return levelText(world->getLevel().getObjects()); }
  // Draws the frame into the test window, as the frame loop does.
  void look() const {
    const float grey = world->getClearGrey();
    GLWindow::clear(grey, grey, grey), world->draw();
  }

  TempResources resources;
  // The player's folder, when not the resource folder itself.
  std::optional<ResourceRoot> player;
  KeyState keys;
  std::unique_ptr<World> world;
  Uint16 mx = 0, my = 0;
  std::vector<GameEvent> heard;
};
