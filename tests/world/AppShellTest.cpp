#include "WorldScenario.h"

#include "actors/Character.h"
#include "app/FrameClock.h"
#include "gfx/Menu.h"
#include "objects/Level.h"

#include <gmock/gmock.h>

#include <cstdint>
#include <regex>
#include <string>
#include <vector>

// ---- Timing ----------------------------------------------------------------------

struct ClockRow {
  const char* name;
  std::vector<std::uint32_t> ticks;
  std::vector<int> elapsed;
};

class FrameClockTiming : public ::testing::TestWithParam<ClockRow> {};

TEST_P(FrameClockTiming, HandsTheWorldTheTimeBetweenPassStarts) {
  const ClockRow& row = GetParam();
  ASSERT_EQ(row.ticks.size(), row.elapsed.size());
  FrameClock clock;
  for (std::size_t i = 0; i < row.ticks.size(); ++i) {
    EXPECT_EQ(clock.tick(row.ticks[i]), row.elapsed[i]) << "pass " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Passes, FrameClockTiming,
    ::testing::Values(
        ClockRow{"FirstPassGetsZero", {1000}, {0}},
        ClockRow{"LaterPassesGetTheInterval", {1000, 1016, 1033, 1033}, {0, 16, 17, 0}},
        ClockRow{"AStallPassesThroughUnclamped", {500, 516, 60516, 60532}, {0, 16, 60000, 16}},
        // A start at tick 0 counts as no previous pass: the next pass keeps
        // the elapsed time it had, 0.
        ClockRow{"AStartAtTickZeroWaitsOnePassMore", {0, 16, 30}, {0, 0, 14}}),
    [](const ::testing::TestParamInfo<ClockRow>& info) { return info.param.name; });

// ---- Dispatch of one event ----------------------------------------------------------

class EventDispatch : public WorldScenario {
protected:
  void SetUp() override {
    WorldScenario::SetUp();
    startOn("start.data", {levelfile::spawn(40, 380)});
    makeWorld();
  }
};

struct QuitRow {
  const char* name;
  SDLKey key;
  SDLMod mod;
  bool quits;
};

class MetaQ : public EventDispatch, public ::testing::WithParamInterface<QuitRow> {};

TEST_P(MetaQ, QuitsOnlyWithAMetaKeyHeldAndStillReachesWorldAndKeyState) {
  const QuitRow& row = GetParam();

  EXPECT_EQ(press(row.key, row.mod), row.quits);

  EXPECT_TRUE(keyState.keyDown(row.key));
  EXPECT_FALSE(release(row.key, row.mod));
  EXPECT_FALSE(keyState.keyDown(row.key));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MetaQ,
    ::testing::Values(QuitRow{"LeftMetaQ", SDLK_q, KMOD_LMETA, true},
                      QuitRow{"RightMetaQ", SDLK_q, KMOD_RMETA, true},
                      QuitRow{"MetaAndShiftQ", SDLK_q, SDLMod(KMOD_LMETA | KMOD_LSHIFT), true},
                      QuitRow{"PlainQ", SDLK_q, KMOD_NONE, false},
                      QuitRow{"ControlQ", SDLK_q, KMOD_LCTRL, false},
                      QuitRow{"AltQ", SDLK_q, KMOD_LALT, false},
                      QuitRow{"MetaW", SDLK_w, KMOD_LMETA, false}),
    [](const ::testing::TestParamInfo<QuitRow>& info) { return info.param.name; });

TEST_F(EventDispatch, AQuitEventAsksToQuit) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  EXPECT_TRUE(send(quit));
}

TEST_F(EventDispatch, KeysReachTheWorldAndTheKeyState) {
  EXPECT_FALSE(press(SDLK_e));
  EXPECT_TRUE(world->isEditMode());
  EXPECT_TRUE(keyState.keyDown(SDLK_e));

  EXPECT_FALSE(release(SDLK_e));
  EXPECT_TRUE(world->isEditMode());
  EXPECT_FALSE(keyState.keyDown(SDLK_e));
}

TEST_F(EventDispatch, ShiftRecordedByTheDispatchAddsAClickToTheSelection) {
  tap(SDLK_e);
  Level& level = world->getLevel();
  level.addObject(std::make_unique<GameObject>(190, 190, 20, 20, GameObject::GOAL_AREA));
  level.addObject(std::make_unique<GameObject>(400, 400, 20, 20, GameObject::GOAL_AREA));
  moveMouse(200, 200);

  level.objects[2]->setSelected(true);
  click(1);
  EXPECT_TRUE(level.objects[1]->isSelected());
  EXPECT_FALSE(level.objects[2]->isSelected());

  level.objects[1]->setSelected(false);
  level.objects[2]->setSelected(true);
  press(SDLK_LSHIFT);
  click(1);
  EXPECT_TRUE(level.objects[1]->isSelected());
  EXPECT_TRUE(level.objects[2]->isSelected());
}

TEST_F(EventDispatch, MouseMotionMovesOnlyTheWorldsPointer) {
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.x = 612;
  motion.motion.y = 477;
  motion.motion.state = SDL_BUTTON(1);

  EXPECT_FALSE(send(motion));

  EXPECT_EQ(world->getMouse(), Point2D(612, 477));
  EXPECT_FALSE(keyState.keyDown(static_cast<SDLKey>(1)));
}

TEST_F(EventDispatch, EveryMouseButtonIsRecordedIncludingTheWheel) {
  for (int button : {1, 2, 3, 4, 5}) {
    SCOPED_TRACE(button);
    EXPECT_FALSE(mouseDown(button));
    EXPECT_TRUE(keyState.keyDown(static_cast<SDLKey>(button)));
    EXPECT_FALSE(mouseUp(button));
    EXPECT_FALSE(keyState.keyDown(static_cast<SDLKey>(button)));
  }
}

TEST_F(EventDispatch, TheLeftButtonReachesTheWorld) {
  // In play a left click fires at the pointer.
  moveMouse(300, 200);
  EXPECT_FALSE(click(1));
  EXPECT_EQ(world->getProjectiles().size(), 1u);
}

TEST_F(EventDispatch, OtherEventsAreIgnored) {
  SDL_Event active{};
  active.type = SDL_ACTIVEEVENT;
  active.active.gain = 1;
  SDL_Event resize{};
  resize.type = SDL_VIDEORESIZE;
  resize.resize.w = 800;
  resize.resize.h = 600;

  EXPECT_FALSE(send(active));
  EXPECT_FALSE(send(resize));
  EXPECT_FALSE(world->isEditMode());
  EXPECT_EQ(world->getMenu(), nullptr);
  EXPECT_EQ(world->getMouse(), Point2D(0, 0));
}

// ---- The application: start-up state and the frame loop ---------------------------------

class ApplicationShell : public WorldScenario {
protected:
  void SetUp() override {
    WorldScenario::SetUp();
    drainEvents();
  }
  void TearDown() override { drainEvents(); }

  static void drainEvents() {
    SDL_Event ignored;
    while (SDL_PollEvent(&ignored)) {
    }
  }
  static void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 0); }
  static void pushKey(SDLKey key, SDLMod mod = KMOD_NONE) { push(keyEvent(SDL_KEYDOWN, key, mod)); }
  static void pushQuit() {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    push(quit);
  }
};

TEST_F(ApplicationShell, InitBuildsTheWorldOnTheListedLevelAndClearsToBlack) {
  startOn("start.data", {levelfile::spawn(140, 200)});
  glClearColor(1, 1, 1, 0);
  Application app;

  app.init();

  EXPECT_EQ(app.getWorld().getLevelName(), "start.data");
  EXPECT_EQ(app.getWorld().getCharacter().position, Point2D(140, 200));
  EXPECT_FALSE(app.getKeyState().keyDown(SDLK_q));
  app.drawGL();
  EXPECT_EQ(pixel(300, 300), rgb(0, 0, 0));
  EXPECT_EQ(pixel(140, 200), rgb(0, 0, 255));
  EXPECT_EQ(pixel(629, 15), rgb(255, 0, 0));
}

TEST_F(ApplicationShell, TheProjectionIsInWindowPixelsWithYDown) {
  startOn("start.data", {levelfile::spawn(0, 0)});
  Application app;
  app.init();

  app.drawGL();

  // The character at the origin is a square at the top-left corner.
  EXPECT_EQ(pixel(0, 0), rgb(0, 0, 255));
  EXPECT_EQ(pixel(9, 9), rgb(0, 0, 255));
  EXPECT_EQ(pixel(10, 10), rgb(0, 0, 0));
}

TEST_F(ApplicationShell, EditModeClearsToGreyAndPlayToBlack) {
  startOn("start.data", {levelfile::spawn(140, 200)});
  Application app;
  app.init();
  World& w = app.getWorld();

  Application::dispatchEvent(w, app.getKeyState(), keyEvent(SDL_KEYDOWN, SDLK_e, KMOD_NONE));
  app.drawGL();
  EXPECT_EQ(pixel(300, 300), rgb(51, 51, 51));

  Application::dispatchEvent(w, app.getKeyState(), keyEvent(SDL_KEYDOWN, SDLK_e, KMOD_NONE));
  app.drawGL();
  EXPECT_EQ(pixel(300, 300), rgb(0, 0, 0));
}

TEST_F(ApplicationShell, AQuitEventEndsTheLoopAfterTheFirstPassWhichGetsZeroMilliseconds) {
  startOn("start.data", {levelfile::spawn(40, 380)});
  Application app;
  app.init();
  app.getWorld().message("before the loop");
  const Point2D start = app.getWorld().getCharacter().position;
  pushQuit();

  app.mainLoop();

  // One update ran, with 0 ms: the message has not aged and the falling
  // character has not moved.
  ASSERT_EQ(app.getWorld().getFloatingTexts().size(), 1u);
  EXPECT_EQ(app.getWorld().getFloatingTexts()[0].getRemaining(), 2000);
  EXPECT_EQ(app.getWorld().getCharacter().position, start);
}

TEST_F(ApplicationShell, MetaQEndsTheLoopAfterThePassThatSawIt) {
  startOn("start.data", {levelfile::spawn(40, 380)});
  writeLevel("other.data", {levelfile::spawn(300, 100)});
  Application app;
  app.init();
  // Open the level menu and choose its first item, "other", in the same
  // pass as the quit request.
  pushKey(SDLK_l);
  pushKey(SDLK_RETURN);
  pushKey(SDLK_q, KMOD_RMETA);
  pushKey(SDLK_e); // after the request, in the same pass: still dispatched

  app.mainLoop();

  World& w = app.getWorld();
  EXPECT_TRUE(app.getKeyState().keyDown(SDLK_q));
  EXPECT_TRUE(app.getKeyState().keyDown(SDLK_e));
  // The Return was carried out by that pass's update.
  EXPECT_EQ(w.getMenu(), nullptr);
  EXPECT_EQ(w.getLevelName(), "other.data");
  EXPECT_EQ(w.getFloatingTexts().back().getText(), "Loaded other!");
}

TEST_F(ApplicationShell, PrintAttributesWritesSixLinesBlueBeforeGreen) {
  ::testing::internal::CaptureStdout();
  Application::printAttributes();
  const std::string out = ::testing::internal::GetCapturedStdout();

  const std::regex expected("Red size: -?\\d+ bits\n"
                            "Blue size: -?\\d+ bits\n"
                            "Green size: -?\\d+ bits\n"
                            "Alpha size: -?\\d+ bits\n"
                            "Color buffer size: -?\\d+ bits\n"
                            "Depth bufer size: -?\\d+ bits\n");
  EXPECT_TRUE(std::regex_match(out, expected)) << out;
}
