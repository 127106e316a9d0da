// The levels the game ships: each has one spawn point and one goal and is
// finished by its recorded play-through without dying. A rule change that
// makes a level unbeatable, or a level added without a replay, fails here.
//
// A replay (replays/NAME.replay for Levels/NAME.data) holds one event a
// line, dispatched as the frame loop would before the 16 ms update of its
// frame (counted from 0); a line not starting with a frame is a comment:
//   14 keydown d      (a letter, or space: 20 keyup space)
//   273 mousemove 602 243
//   273 click         (the left button, where the pointer is)
//   900 end           (the level must be finished before this frame)

#include "app/Application.h"
#include "input/KeyState.h"
#include "objects/GameObject.h"
#include "objects/Level.h"
#include "support/Events.h"
#include "support/GLWindow.h"
#include "support/TempResources.h"
#include "world/World.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path LEVELS = fs::path(CLAMBER_SOURCE_RESOURCES) / "Levels";

std::set<std::string> shippedLevels() {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(LEVELS)) {
    if (entry.path().extension() == ".data") {
      names.insert(entry.path().stem().string());
    }
  }
  return names;
}

bool showing(const World& world, const std::string& text) {
  return std::ranges::any_of(world.getFloatingTexts(),
                             [&text](const FloatingText& t) { return t.getText() == text; });
}

class ShippedLevel : public testing::TestWithParam<std::string> {};

TEST_P(ShippedLevel, HasOneSpawnPointAndOneGoalAndItsReplayReachesTheGoalWithoutDying) {
  std::ifstream script(fs::path(CLAMBER_LEVEL_REPLAYS) / (GetParam() + ".replay"));
  ASSERT_TRUE(script) << "no replay for " << GetParam();
  GLWindow::ensure();
  TempResources resources;
  fs::copy(LEVELS, resources.path() / "Levels");
  resources.write("Levels/loadlevel.txt", GetParam() + ".data\n");
  KeyState keys;
  World world(Application::WIDTH, Application::HEIGHT, &keys, resources.resourceRoot());
  const Level::ObjectList& objects = world.getLevel().getObjects();
  for (const GameObject::ObjectType type : {GameObject::SPAWN_POINT, GameObject::GOAL_AREA}) {
    EXPECT_EQ(1, std::ranges::count(objects, type, [](const auto& o) { return o->getType(); }))
        << "objects of type " << type;
  }

  int frame = 0;
  const auto over = [&] {
    return showing(world, "Level Complete!") || showing(world, "You are dead!");
  };
  const auto playUntil = [&](int end) {
    for (; frame < end && !over(); ++frame) {
      world.update(16);
    }
  };
  const auto dispatch = [&](const SDL_Event& e) { Application::dispatchEvent(world, keys, e); };
  Uint16 mouseX = 0, mouseY = 0;
  std::string line;
  while (!over() && std::getline(script, line)) {
    std::istringstream words(line);
    int at = 0;
    std::string action, key;
    if (!(words >> at >> action)) {
      continue;
    }
    playUntil(at);
    if (action == "mousemove") {
      ASSERT_TRUE(words >> mouseX >> mouseY) << line;
      dispatch(motionEvent(mouseX, mouseY));
    } else if (action == "click") {
      dispatch(buttonEvent(SDL_MOUSEBUTTONDOWN, 1, mouseX, mouseY));
      dispatch(buttonEvent(SDL_MOUSEBUTTONUP, 1, mouseX, mouseY));
    } else if (action != "end") {
      ASSERT_TRUE((action == "keydown" || action == "keyup") && words >> key) << line;
      dispatch(keyEvent(action == "keydown" ? SDL_KEYDOWN : SDL_KEYUP,
                        key == "space" ? SDLK_SPACE : static_cast<SDLKey>(key[0])));
    }
  }
  EXPECT_FALSE(showing(world, "You are dead!")) << "at frame " << frame;
  EXPECT_TRUE(showing(world, "Level Complete!")) << "not finished by frame " << frame;
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedLevel, testing::ValuesIn(shippedLevels()));

} // namespace
