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
// From 06 on a level lasts 30 s, with a key held at least every 3 s; all
// take 12 minutes. CLAMBER_LEVELS and CLAMBER_REPLAYS may name the folders,
// so that a freshly recorded session plays through this same reader.

#include "actors/Character.h"
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
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>

namespace {

namespace fs = std::filesystem;

fs::path folder(const char* variable, const char* fallback) {
  return std::getenv(variable) != nullptr ? std::getenv(variable) : fallback;
}

const fs::path LEVELS = folder("CLAMBER_LEVELS", CLAMBER_SOURCE_RESOURCES "/Levels");
const fs::path REPLAYS = folder("CLAMBER_REPLAYS", CLAMBER_LEVEL_REPLAYS);
constexpr int THIRTY_SECONDS = 30 * 1000 / 16;
constexpr int THREE_SECONDS = 3 * 1000 / 16;

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

struct Outcome {
  bool complete = false, dead = false;
  int frames = 0;
  // The most frames in a row with no key held.
  int longestIdle = 0;
  // Where the character stands at the first key (or after a second): how
  // far below its spawn point, and whether on the ground.
  double startDrop = 0;
  bool startGrounded = false;
};

Outcome play(const std::string& name) {
  Outcome outcome;
  std::ifstream script(REPLAYS / (name + ".replay"));
  EXPECT_TRUE(script) << "no replay for " << name;
  GLWindow::ensure();
  TempResources resources;
  fs::copy(LEVELS, resources.path() / "Levels");
  resources.write("Levels/loadlevel.txt", name + ".data\n");
  KeyState keys;
  World world(Application::WIDTH, Application::HEIGHT, &keys, resources.resourceRoot());
  const Level::ObjectList& objects = world.getLevel().getObjects();
  for (const GameObject::ObjectType type : {GameObject::SPAWN_POINT, GameObject::GOAL_AREA}) {
    EXPECT_EQ(1, std::ranges::count(objects, type, [](const auto& o) { return o->getType(); }))
        << "objects of type " << type;
  }

  const Character& character = world.getCharacter();
  const double spawnY = character.position.y;
  bool started = false;
  const auto start = [&] {
    if (!std::exchange(started, true)) {
      outcome.startDrop = character.position.y - spawnY;
      outcome.startGrounded = character.isPose(Character::GROUNDED);
    }
  };
  int& frame = outcome.frames;
  const auto over = [&] {
    outcome.complete = showing(world, "Level Complete!");
    outcome.dead = showing(world, "You are dead!");
    return outcome.complete || outcome.dead;
  };
  const auto playUntil = [&](int end) {
    for (; frame < end && !over(); ++frame) {
      if (frame == 60) {
        start();
      }
      world.update(16);
    }
  };
  const auto dispatch = [&](const SDL_Event& e) { Application::dispatchEvent(world, keys, e); };
  Uint16 mouseX = 0, mouseY = 0;
  std::set<std::string> held;
  int idleFrom = 0;
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
      EXPECT_TRUE(words >> mouseX >> mouseY) << line;
      dispatch(motionEvent(mouseX, mouseY));
    } else if (action == "click") {
      dispatch(buttonEvent(SDL_MOUSEBUTTONDOWN, 1, mouseX, mouseY));
      dispatch(buttonEvent(SDL_MOUSEBUTTONUP, 1, mouseX, mouseY));
    } else if (action != "end") {
      EXPECT_TRUE((action == "keydown" || action == "keyup") && words >> key) << line;
      start();
      if (action == "keydown") {
        if (held.empty()) {
          outcome.longestIdle = std::max(outcome.longestIdle, frame - idleFrom);
        }
        held.insert(key);
      } else if (held.erase(key) == 1 && held.empty()) {
        idleFrom = frame;
      }
      dispatch(keyEvent(action == "keydown" ? SDL_KEYDOWN : SDL_KEYUP,
                        key == "space" ? SDLK_SPACE : static_cast<SDLKey>(key[0])));
    }
  }
  if (held.empty()) {
    outcome.longestIdle = std::max(outcome.longestIdle, frame - idleFrom);
  }
  return outcome;
}

class ShippedLevel : public testing::TestWithParam<std::string> {};

TEST_P(ShippedLevel, HasOneSpawnPointAndOneGoalAndItsReplayReachesTheGoalWithoutDying) {
  const Outcome run = play(GetParam());
  EXPECT_FALSE(run.dead) << "at frame " << run.frames;
  EXPECT_TRUE(run.complete) << "not finished by frame " << run.frames;
  EXPECT_TRUE(run.startGrounded && run.startDrop <= 2 * Character::HALF_SIZE)
      << "the character starts " << run.startDrop << " px below its spawn point, not on the ground";
  if (GetParam() >= "06") {
    EXPECT_GE(run.frames, THIRTY_SECONDS) << "a good player takes 30 s";
    EXPECT_LE(run.longestIdle, THREE_SECONDS) << "frames with no key held";
  }
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedLevel, testing::ValuesIn(shippedLevels()));

TEST(ShippedLevels, TakeTwelveMinutesTogether) {
  int frames = 0;
  for (const std::string& name : shippedLevels()) {
    frames += play(name).frames;
  }
  EXPECT_GE(frames, 12 * 60 * 1000 / 16);
}

} // namespace
