// Long sessions of the real World through the frame loop's own dispatch,
// with the C++ heap counted: after a warm-up the session leaves the heap
// exactly as it found it, and steady frames allocate nothing at all.

#include "HeapCounter.h"
#include "WorldScenario.h"

#include "actors/Character.h"
#include "objects/GameObject.h"
#include "objects/Level.h"
#include "objects/Platform.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr int FRAME_MS = 16;
constexpr int SESSION_FRAMES = 10000;
constexpr int MESSAGE_MS = 2000;

// The arena: a long floor to run on, a monster behind the spawn point to
// shoot, a ledge to land on and a wall at the far left.
constexpr int ARENA_MONSTER = 2;
const std::vector<std::string>& arena() {
  static const std::vector<std::string> lines = {
      levelfile::platform(0, 400, 30000, 40, Platform::PLAIN),
      levelfile::platform(300, 100, 20, 300, Platform::CLIMBABLE),
      levelfile::monster(700, 380),
      levelfile::spawn(1000, 360),
      levelfile::platform(1300, 250, 200, 20, Platform::JUMPABLE),
      levelfile::platform(1700, 150, 200, 20, Platform::CLIMBABLE),
      levelfile::goal(29000, 300),
  };
  return lines;
}

// The tower: a short floor with the goal a few steps right of the spawn
// point, and a ledge for the editor to push around.
constexpr int TOWER_LEDGE = 3;
const std::vector<std::string>& tower() {
  static const std::vector<std::string> lines = {
      levelfile::platform(0, 400, 1000, 40, Platform::PLAIN),
      levelfile::spawn(100, 360),
      levelfile::goal(400, 300),
      levelfile::platform(600, 200, 100, 20, Platform::JUMPABLE),
      levelfile::platform(900, 100, 20, 300, Platform::CLIMBABLE),
      levelfile::monster(800, 380),
  };
  return lines;
}

std::string fileText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line + "\n";
  }
  return text;
}

// Allocations made between two counts.
std::uint64_t allocationsBetween(const HeapCounts& before, const HeapCounts& after) {
  return after.allocations - before.allocations;
}

} // namespace

class Soak : public WorldScenario {
protected:
  void SetUp() override {
    WorldScenario::SetUp();
    writeLevel("arena.data", arena());
    writeLevel("tower.data", tower());
    writeLevelList("arena.data");
    makeWorld();
  }

  Character& hero() { return world->getCharacter(); }
  Level& level() { return world->getLevel(); }
  GameObject& object(int i) { return *level().objects.at(static_cast<std::size_t>(i)); }
  int count() { return static_cast<int>(level().objects.size()); }

  // One pass of the frame loop after its events: update, clear, draw, swap.
  void step(int ms = FRAME_MS) {
    world->update(ms);
    glClear(GL_COLOR_BUFFER_BIT);
    world->draw();
    SDL_GL_SwapBuffers();
    ++framesRun;
  }
  void steps(int n, int ms = FRAME_MS) {
    for (int i = 0; i < n; ++i) {
      step(ms);
    }
  }

  // Puts the pointer on a world position with the camera where it is now,
  // as a player aims at what they see.
  void pointAt(double worldX, double worldY) {
    const Point2D& offset = world->getOffset();
    const int x = static_cast<int>(std::floor(worldX - offset.x));
    const int y = static_cast<int>(std::floor(worldY - offset.y));
    if (x < 0 || x >= Application::WIDTH || y < 0 || y >= Application::HEIGHT) {
      ADD_FAILURE() << "(" << worldX << ", " << worldY << ") is off the window at (" << x << ", "
                    << y << ")";
    }
    moveMouse(x, y);
  }

  // Chooses the level at the given place of the (sorted) level menu.
  void chooseLevel(int downs) {
    tap(SDLK_l);
    for (int i = 0; i < downs; ++i) {
      tap(SDLK_DOWN);
    }
    tap(SDLK_RETURN);
    step();
  }

  // ---- One round of the session -------------------------------------------
  // It starts and ends on the arena, just loaded from the level menu or
  // settled, with no menu, shot or message left and a one-object clipboard.

  // Shoots the monster dead, runs and jumps both ways, looks through the
  // level menu and dismisses it, then takes the tower from it.
  void playArena() {
    steps(40);
    EXPECT_TRUE(hero().isPose(Character::GROUNDED));
    const GameObject& monster = object(ARENA_MONSTER);
    for (int shot = 0; shot < 4; ++shot) {
      pointAt(monster.getX() + 10, monster.getY() + 10);
      click(1);
      steps(10);
    }
    for (int i = 0; i < 200 && !world->getProjectiles().empty(); ++i) {
      step();
    }
    step();
    EXPECT_TRUE(world->getProjectiles().empty());
    EXPECT_FALSE(monster.isActive()) << "four shots kill a monster";

    press(SDLK_d);
    press(SDLK_SPACE);
    steps(60);
    release(SDLK_d);
    release(SDLK_SPACE);
    press(SDLK_a);
    steps(60);
    release(SDLK_a);

    tap(SDLK_l);
    steps(5);
    tap(SDLK_DOWN);
    steps(5);
    tap(SDLK_UP);
    tap(SDLK_RIGHT);
    tap(SDLK_LEFT);
    steps(5);
    tap(SDLK_ESCAPE);
    EXPECT_EQ(world->getMenu(), nullptr);
    steps(10);

    chooseLevel(1);
    EXPECT_EQ(world->getLevelName(), "tower.data");
    EXPECT_EQ(lastMessage(), "Loaded tower!");
  }

  // Scrolls, adds a monster from the menu, drags and resizes it, adds a
  // platform with the right button, copies, pastes, deletes, nudges and
  // retypes, cuts what it added and saves the tower as it was.
  void editTower() {
    steps(30);
    tap(SDLK_e);
    EXPECT_TRUE(world->isEditMode());
    steps(5);
    press(SDLK_d);
    steps(10);
    release(SDLK_d);
    press(SDLK_a);
    steps(10);
    release(SDLK_a);

    pointAt(300, 220);
    tap(SDLK_BACKQUOTE);
    steps(3);
    tap(SDLK_DOWN);
    tap(SDLK_RETURN);
    step();
    EXPECT_EQ(count(), 7);
    const GameObject& added = object(6);
    EXPECT_EQ(added.getType(), GameObject::MONSTER);
    pointAt(added.getX() + 5, added.getY() + 5);
    mouseDown(1);
    EXPECT_EQ(world->getDragMode(), World::DRAG_MOVE);
    pointAt(added.getX() + 45, added.getY() + 25);
    steps(3);
    mouseUp(1);
    pointAt(added.getRight() + 5, added.getBottom() + 5);
    mouseDown(1);
    EXPECT_EQ(world->getDragMode(), World::DRAG_RESIZE);
    pointAt(added.getRight() + 35, added.getBottom() + 35);
    steps(3);
    mouseUp(1);
    tap(SDLK_BACKSPACE);
    EXPECT_EQ(count(), 6);

    pointAt(150, 200);
    click(3);
    EXPECT_EQ(count(), 7);
    pointAt(155, 205);
    click(1);
    tap(SDLK_c);
    for (const double x : {250.0, 100.0}) {
      pointAt(x, 300);
      tap(SDLK_v);
      EXPECT_EQ(count(), 8);
      tap(SDLK_BACKSPACE);
      EXPECT_EQ(count(), 7);
    }
    const GameObject& ledge = object(TOWER_LEDGE);
    pointAt(155, 205);
    click(1);
    press(SDLK_LSHIFT, KMOD_LSHIFT);
    pointAt(ledge.getX() + 5, ledge.getY() + 5);
    click(1);
    release(SDLK_LSHIFT);
    tap(SDLK_c);
    pointAt(200, 320);
    tap(SDLK_v);
    EXPECT_EQ(count(), 9);
    tap(SDLK_BACKSPACE);
    EXPECT_EQ(count(), 7);
    steps(3);

    pointAt(ledge.getX() + 5, ledge.getY() + 5);
    click(1);
    for (const SDLKey key : {SDLK_RIGHT, SDLK_DOWN, SDLK_LEFT, SDLK_UP, SDLK_3, SDLK_2}) {
      tap(key);
    }
    pointAt(155, 205);
    click(1);
    tap(SDLK_x);
    EXPECT_EQ(count(), 6);
    ASSERT_NE(world->getClipboard(), nullptr);
    EXPECT_EQ(world->getClipboard()->size(), 1u);

    tap(SDLK_EQUALS);
    EXPECT_EQ(lastMessage(), "Saved as tower.data!");
    EXPECT_EQ(resources.read("Levels/tower.data"), fileText(tower()))
        << "the edits were all undone before the save";
    steps(5);
  }

  // Plays from the pointer into the goal, then takes the arena from the
  // level menu that opens.
  void finishTower() {
    pointAt(150, 340);
    tap(SDLK_e);
    EXPECT_FALSE(world->isEditMode());
    press(SDLK_d);
    for (int i = 0; i < 300 && world->getMenu() == nullptr; ++i) {
      step();
    }
    release(SDLK_d);
    ASSERT_NE(world->getMenu(), nullptr);
    EXPECT_EQ(lastMessage(), "Level Complete!");
    tap(SDLK_RETURN);
    step();
    EXPECT_EQ(world->getLevelName(), "arena.data");
    EXPECT_EQ(lastMessage(), "Loaded arena!");
  }

  // Waits on the arena until every message has faded.
  void restOnArena() {
    steps(MESSAGE_MS / FRAME_MS + 15);
    EXPECT_EQ(world->getMenu(), nullptr);
    EXPECT_TRUE(world->getProjectiles().empty());
    EXPECT_TRUE(world->getFloatingTexts().empty());
  }

  void round() {
    playArena();
    editTower();
    finishTower();
    restOnArena();
  }

  int framesRun = 0;
};

// ---- The counter itself -------------------------------------------------------

TEST(HeapCounter, CountsEveryFormOfNewAndDeleteAndReturnsToTheSameLiveSize) {
  const std::align_val_t wide{64};
  const HeapCounts before = heapCounts();
  const std::array<void*, 4> plain = {
      ::operator new(100),
      ::operator new[](200),
      ::operator new(300, std::nothrow),
      ::operator new[](400, std::nothrow),
  };
  const std::array<void*, 4> aligned = {
      ::operator new(100, wide),
      ::operator new[](200, wide),
      ::operator new(300, wide, std::nothrow),
      ::operator new[](400, wide, std::nothrow),
  };
  const HeapCounts during = heapCounts();
  EXPECT_EQ(during.allocations - before.allocations, 8u);
  EXPECT_EQ(during.liveBlocks - before.liveBlocks, 8);
  EXPECT_GE(during.liveBytes - before.liveBytes, 100 + 200 + 300 + 400 + 100 + 200 + 300 + 400);
  for (void* p : aligned) {
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 64, 0u);
  }

  ::operator delete(plain[0]);
  ::operator delete[](plain[1], 200);
  ::operator delete(plain[2], std::nothrow);
  ::operator delete[](plain[3], std::nothrow);
  ::operator delete(aligned[0], 100, wide);
  ::operator delete[](aligned[1], wide);
  ::operator delete(aligned[2], wide, std::nothrow);
  ::operator delete[](aligned[3], 400, wide);
  const HeapCounts after = heapCounts();
  EXPECT_EQ(after.releases - during.releases, 8u);
  EXPECT_EQ(after.liveBlocks, before.liveBlocks);
  EXPECT_EQ(after.liveBytes, before.liveBytes);
}

TEST(HeapCounter, SeesTheAllocationsOfTheGameCode) {
  const HeapCounts before = heapCounts();
  {
    Level level;
    level.addObject(std::make_unique<Platform>(0, 0, 10, 10, Platform::PLAIN));
    const HeapCounts during = heapCounts();
    EXPECT_GE(during.liveBlocks - before.liveBlocks, 2) << "the platform and the list";
  }
  EXPECT_EQ(heapCounts().liveBlocks, before.liveBlocks);
}

// ---- Steady frames ----------------------------------------------------------------

// Running and jumping with the keys held, a shot in flight and a message
// fading: a millisecond a frame keeps all of them going through the
// thousand counted frames.
TEST_F(Soak, SteadyPlayAllocatesNothingPerFrame) {
  steps(40);
  chooseLevel(0);
  ASSERT_EQ(lastMessage(), "Loaded arena!");
  press(SDLK_d);
  press(SDLK_SPACE);
  pointAt(hero().position.x + 100, hero().position.y - 200);
  click(1);
  ASSERT_EQ(world->getProjectiles().size(), 1u);
  steps(400, 1);

  const double startX = hero().position.x;
  bool grounded = false;
  bool airborne = false;
  const HeapCounts before = heapCounts();
  for (int i = 0; i < 1000; ++i) {
    step(1);
    grounded = grounded || hero().isPose(Character::GROUNDED);
    airborne = airborne || hero().isPose(Character::JUMPING);
  }
  const HeapCounts after = heapCounts();

  EXPECT_EQ(allocationsBetween(before, after), 0u);
  EXPECT_EQ(after.liveBlocks, before.liveBlocks);
  // The frames did what they were meant to.
  EXPECT_TRUE(grounded && airborne) << "landed and jumped";
  EXPECT_GT(hero().position.x, startX + 100);
  EXPECT_EQ(world->getProjectiles().size(), 1u);
  ASSERT_EQ(world->getFloatingTexts().size(), 1u);
  EXPECT_LT(world->getFloatingTexts().front().getRemaining(), MESSAGE_MS);
  EXPECT_EQ(world->getMenu(), nullptr);
}

TEST_F(Soak, AnOpenMenuAllocatesNothingPerFrame) {
  steps(40);
  tap(SDLK_l);
  ASSERT_NE(world->getMenu(), nullptr);
  // The key state makes its entry for a key the first time it sees it.
  tap(SDLK_DOWN);
  steps(10);
  const HeapCounts before = heapCounts();
  for (int i = 0; i < 500; ++i) {
    if (i % 100 == 50) {
      tap(SDLK_DOWN);
    }
    step();
  }
  const HeapCounts after = heapCounts();
  EXPECT_EQ(allocationsBetween(before, after), 0u);
  EXPECT_NE(world->getMenu(), nullptr);
}

// Scrolling the view with a key held while an object is dragged around.
TEST_F(Soak, EditingAllocatesNothingPerFrame) {
  steps(40);
  tap(SDLK_e);
  ASSERT_TRUE(world->isEditMode());
  const GameObject& monster = object(ARENA_MONSTER);
  pointAt(monster.getX() + 5, monster.getY() + 5);
  mouseDown(1);
  ASSERT_EQ(world->getDragMode(), World::DRAG_MOVE);
  press(SDLK_s);
  steps(10);

  const double startY = world->getOffset().y;
  const HeapCounts before = heapCounts();
  for (int i = 0; i < 500; ++i) {
    moveMouse(200 + i % 200, 200);
    step();
  }
  const HeapCounts after = heapCounts();
  EXPECT_EQ(allocationsBetween(before, after), 0u);
  EXPECT_EQ(world->getDragMode(), World::DRAG_MOVE);
  EXPECT_GT(world->getOffset().y, startY + 1000);
}

// ---- A long mixed session ---------------------------------------------------------

// Every round plays the arena (shots, running, the level menu), edits the
// tower (both menus, drags, cut, copy, paste, delete, save), plays it to
// its goal and comes back to the arena through the level menu. The first
// round is the warm-up: lists, menus and the clipboard reach their sizes
// there. Every later round must end with exactly the heap the first left.
TEST_F(Soak, TenThousandMixedFramesEndWithTheHeapOfTheWarmUp) {
  round();
  ASSERT_FALSE(HasFailure()) << "the warm-up round went off script";
  const HeapCounts warm = heapCounts();

  int rounds = 0;
  HeapCounts now = warm;
  while (framesRun < SESSION_FRAMES && !HasFailure()) {
    round();
    ++rounds;
    now = heapCounts();
    EXPECT_EQ(now.liveBlocks, warm.liveBlocks) << "after round " << rounds;
    EXPECT_EQ(now.liveBytes, warm.liveBytes) << "after round " << rounds;
  }
  EXPECT_GE(framesRun, SESSION_FRAMES);
  // The session did allocate (levels, menus, clipboards) and gave it back.
  EXPECT_GT(now.allocations - warm.allocations, static_cast<std::uint64_t>(rounds) * 20);
  RecordProperty("frames", framesRun);
  RecordProperty("rounds", rounds + 1);
}
