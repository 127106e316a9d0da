// Long sessions of the real World through the frame loop's own dispatch,
// with the C++ heap counted: steady frames allocate nothing at all, and
// after a warm-up a long session leaves the heap exactly as it found it.

#include "HeapCounter.h"
#include "WorldScenario.h"

#include "objects/Platform.h"
#include "support/Table.h"

#include <string>
#include <vector>

namespace {

using namespace levelfile;

constexpr int FRAME_MS = 16;

// A long floor to run on, a monster beside the spawn point to shoot, ledges
// and walls, and the goal far away.
constexpr std::size_t ARENA_MONSTER = 2;
const std::vector<std::string> ARENA = {platform(0, 400, 30000, 40, Platform::PLAIN),
                                        platform(300, 100, 20, 300, Platform::CLIMBABLE),
                                        monster(700, 380),
                                        spawn(1000, 360),
                                        platform(1300, 250, 200, 20, Platform::JUMPABLE),
                                        platform(1700, 150, 200, 20, Platform::CLIMBABLE),
                                        goal(29000, 300)};

// A short floor with the goal a few steps right of the spawn point.
const std::vector<std::string> TOWER = {platform(0, 400, 1000, 40, Platform::PLAIN),
                                        spawn(100, 360),
                                        goal(400, 300),
                                        platform(600, 200, 100, 20, Platform::JUMPABLE),
                                        platform(900, 100, 20, 300, Platform::CLIMBABLE),
                                        monster(800, 380)};

class Soak : public WorldScenario {
protected:
  void SetUp() override {
    WorldScenario::SetUp();
    writeLevel("tower.data", TOWER);
    startOn("arena.data", ARENA);
    towerText = resources.read("Levels/tower.data");
  }

  // Passes of the frame loop after their events: update, clear, draw, swap.
  void steps(int n, int ms = FRAME_MS) {
    for (int i = 0; i < n; ++i) {
      world->update(ms);
      glClear(GL_COLOR_BUFFER_BIT);
      world->draw();
      SDL_GL_SwapBuffers();
      ++framesRun;
    }
  }

  // Chooses the level at the given place of the level menu.
  void chooseLevel(int downs) {
    tap(SDLK_l);
    for (int i = 0; i < downs; ++i) {
      tap(SDLK_DOWN);
    }
    tap(SDLK_RETURN);
    steps(1);
  }

  void pointAt(const GameObject& o, double dx, double dy) {
    WorldScenario::pointAt(o.getX() + dx, o.getY() + dy);
  }
  // Holds the left button from the pointer for a few frames while moving by (dx, dy).
  void drag(double dx, double dy) {
    const Point2D from = world->getMouse() + world->getOffset();
    mouseDown(1);
    WorldScenario::pointAt(from.x + dx, from.y + dy);
    steps(3);
    mouseUp(1);
  }

  // One round starts and ends on the arena with no menu, shot or message
  // left. In the arena: the monster shot dead, running and jumping both
  // ways, the level menu looked through, then the tower taken from it.
  void round() {
    steps(40);
    for (int shot = 0; shot < 4; ++shot) {
      pointAt(object(ARENA_MONSTER), 10, 10);
      click(1);
      steps(10);
    }
    steps(200);
    EXPECT_FALSE(object(ARENA_MONSTER).isActive()) << "four shots kill a monster";
    press(SDLK_d);
    press(SDLK_SPACE);
    steps(60);
    release(SDLK_d);
    release(SDLK_SPACE);
    press(SDLK_a);
    steps(60);
    release(SDLK_a);
    for (SDLKey key : {SDLK_l, SDLK_DOWN, SDLK_UP, SDLK_RIGHT, SDLK_LEFT, SDLK_ESCAPE}) {
      tap(key);
      steps(3);
    }
    chooseLevel(1);
    EXPECT_EQ(world->getLevelName(), "tower.data");
    editTower();
    // Played from the pointer into the goal; its level menu takes the arena.
    WorldScenario::pointAt(150, 340);
    tap(SDLK_e);
    press(SDLK_d);
    for (int i = 0; i < 300 && world->getMenu() == nullptr; ++i) {
      steps(1);
    }
    release(SDLK_d);
    EXPECT_EQ(lastMessage(), "Level Complete!");
    tap(SDLK_RETURN);
    steps(2000 / FRAME_MS + 15);
    EXPECT_EQ(world->getLevelName(), "arena.data");
    EXPECT_TRUE(world->getFloatingTexts().empty());
  }

  // Scrolls, adds a monster from the menu, drags and resizes it, deletes
  // it, adds a platform with the right button, copies, pastes and deletes
  // a copy, cuts the platform and saves the tower as it was.
  void editTower() {
    steps(30);
    tap(SDLK_e);
    for (SDLKey scroll : {SDLK_d, SDLK_a}) {
      press(scroll);
      steps(10);
      release(scroll);
    }
    WorldScenario::pointAt(300, 220);
    tap(SDLK_BACKQUOTE);
    steps(3);
    tap(SDLK_DOWN);
    tap(SDLK_RETURN);
    steps(1);
    const GameObject& added = object(TOWER.size());
    pointAt(added, 5, 5);
    drag(40, 20);
    pointAt(added, added.getWidth() + 5, added.getHeight() + 5);
    drag(30, 30);
    tap(SDLK_BACKSPACE);
    WorldScenario::pointAt(150, 200);
    click(3);
    WorldScenario::pointAt(155, 205);
    click(1);
    tap(SDLK_c);
    WorldScenario::pointAt(250, 300);
    tap(SDLK_v);
    tap(SDLK_BACKSPACE);
    steps(3);
    WorldScenario::pointAt(155, 205);
    click(1);
    tap(SDLK_x);
    EXPECT_EQ(objectCount(), TOWER.size());
    tap(SDLK_EQUALS);
    EXPECT_EQ(resources.read("Levels/tower.data"), towerText);
    steps(5);
  }

  std::string towerText;
  int framesRun = 0;
};

TEST(HeapCounter, SeesAnAllocationAndItsRelease) {
  const HeapCounts before = heapCounts();
  void* block = ::operator new(100);
  const HeapCounts during = heapCounts();
  ::operator delete(block);
  EXPECT_EQ(during.allocations - before.allocations, 1u);
  EXPECT_GE(during.liveBytes - before.liveBytes, 100);
  EXPECT_EQ(heapCounts().liveBlocks, before.liveBlocks);
}

enum class Steady { PLAY, MENU, EDIT };

struct SteadyRow {
  std::string name;
  Steady what;
};

class SteadyFrames : public Soak, public ::testing::WithParamInterface<SteadyRow> {};

// A millisecond a frame keeps a shot flying and a message fading through
// every counted frame. Keys and buttons are pressed once before the count:
// the key state makes its entry for a key the first time it sees it.
TEST_P(SteadyFrames, AllocateNothing) {
  const Steady what = GetParam().what;
  steps(40);
  if (what == Steady::PLAY) {
    chooseLevel(0);
    press(SDLK_d);
    press(SDLK_SPACE);
    WorldScenario::pointAt(hero().position.x + 100, hero().position.y - 200);
    click(1);
  } else if (what == Steady::MENU) {
    tap(SDLK_l);
    tap(SDLK_DOWN);
  } else {
    tap(SDLK_e);
    pointAt(object(ARENA_MONSTER), 5, 5);
    mouseDown(1);
    press(SDLK_s);
  }
  steps(400, 1);

  const double startX = hero().position.x;
  const double startOffsetY = world->getOffset().y;
  unsigned poses = 0;
  const HeapCounts before = heapCounts();
  for (int i = 0; i < 1000; ++i) {
    if (what == Steady::MENU && i % 100 == 50) {
      tap(SDLK_DOWN);
    } else if (what == Steady::EDIT) {
      moveMouse(200 + i % 200, 200);
    }
    steps(1, 1);
    poses |= 1u << hero().getPose();
  }
  EXPECT_EQ(heapCounts().allocations - before.allocations, 0u);

  // The frames did what they were meant to.
  if (what == Steady::PLAY) {
    EXPECT_EQ(poses & (1u << Character::GROUNDED | 1u << Character::JUMPING),
              1u << Character::GROUNDED | 1u << Character::JUMPING)
        << "landed and jumped";
    EXPECT_GT(hero().position.x, startX + 100);
    EXPECT_EQ(world->getProjectiles().size(), 1u);
    EXPECT_EQ(world->getFloatingTexts().size(), 1u);
  } else if (what == Steady::MENU) {
    EXPECT_NE(world->getMenu(), nullptr);
  } else {
    EXPECT_EQ(world->getDragMode(), World::DRAG_MOVE);
    EXPECT_GT(world->getOffset().y, startOffsetY + 900) << "the view scrolled";
  }
}

INSTANTIATE_TEST_SUITE_P(Soak, SteadyFrames,
                         ::testing::Values(SteadyRow{"Play", Steady::PLAY},
                                           SteadyRow{"Menu", Steady::MENU},
                                           SteadyRow{"Edit", Steady::EDIT}),
                         RowName{});

// The first round is the warm-up: lists, menus and the clipboard reach
// their sizes there. Every later round must end with exactly its heap.
TEST_F(Soak, TenThousandMixedFramesEndWithTheHeapOfTheWarmUp) {
  round();
  ASSERT_FALSE(HasFailure()) << "the warm-up round went off script";
  const HeapCounts warm = heapCounts();
  HeapCounts now = warm;
  int rounds = 0;
  while (framesRun < 10000 && !HasFailure()) {
    round();
    ++rounds;
    now = heapCounts();
    EXPECT_EQ(now.liveBlocks, warm.liveBlocks) << "after round " << rounds;
    EXPECT_EQ(now.liveBytes, warm.liveBytes) << "after round " << rounds;
  }
  // The session did allocate (levels, menus, clipboards) and gave it back.
  EXPECT_GT(now.allocations - warm.allocations, static_cast<std::uint64_t>(rounds) * 20);
}

} // namespace
