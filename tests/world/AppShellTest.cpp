#include "WorldScenario.h"

#include "app/FrameClock.h"

#include <cstdint>
#include <regex>
#include <string>
#include <vector>

// The first pass gets 0 ms; a stall passes through unclamped. A start at
// tick 0 counts as no previous pass: the next pass keeps the elapsed time
// it had, 0.
TEST(FrameClock, HandsTheWorldTheTimeBetweenPassStarts) {
  const struct {
    const char* name;
    std::vector<std::uint32_t> ticks;
    std::vector<int> elapsed;
  } rows[] = {{"LaterPassesGetTheInterval", {1000, 1016, 1033, 1033}, {0, 16, 17, 0}},
              {"AStallPassesThroughUnclamped", {500, 516, 60516}, {0, 16, 60000}},
              {"AStartAtTickZeroWaitsOnePassMore", {0, 16, 30}, {0, 0, 14}}};
  for (const auto& row : rows) {
    FrameClock clock;
    for (std::size_t i = 0; i < row.ticks.size(); ++i) {
      EXPECT_EQ(clock.tick(row.ticks[i]), row.elapsed[i]) << row.name << ", pass " << i;
    }
  }
}

class EventDispatch : public WorldScenario {
protected:
  void SetUp() override {
    WorldScenario::SetUp();
    startOn("start.data", {levelfile::spawn(40, 380)});
  }
};

// The modifier is read from the event itself; the key still reaches the
// key state, and so does every mouse button, the wheel's included.
TEST_F(EventDispatch, MetaQAsksToQuitAndKeysAndButtonsReachTheWorldAndTheKeyState) {
  const struct {
    SDLKey key;
    SDLMod mod;
    bool quits;
  } rows[] = {{SDLK_q, KMOD_LMETA, true},
              {SDLK_q, KMOD_RMETA, true},
              {SDLK_q, KMOD_NONE, false},
              {SDLK_w, KMOD_LMETA, false}};
  for (const auto& row : rows) {
    EXPECT_EQ(press(row.key, row.mod), row.quits) << SDL_GetKeyName(row.key) << " " << row.mod;
    EXPECT_TRUE(keyState.keyDown(row.key));
    EXPECT_FALSE(release(row.key, row.mod));
    EXPECT_FALSE(keyState.keyDown(row.key));
  }
  press(SDLK_e);
  EXPECT_TRUE(world->isEditMode());
  for (int button : {1, 2, 3, 4, 5}) {
    EXPECT_FALSE(mouseDown(button));
    EXPECT_TRUE(keyState.keyDown(static_cast<SDLKey>(button))) << "button " << button;
    EXPECT_FALSE(mouseUp(button));
    EXPECT_FALSE(keyState.keyDown(static_cast<SDLKey>(button))) << "button " << button;
  }
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  EXPECT_TRUE(send(quit));
}

class ApplicationShell : public WorldScenario {
protected:
  void SetUp() override {
    WorldScenario::SetUp();
    drainEvents();
    writeLevel("start.data", {levelfile::spawn(20, 20)});
    writeLevel("other.data", {levelfile::spawn(300, 100)});
    writeLevelList("start.data");
  }
  void TearDown() override { drainEvents(); }

  static void drainEvents() {
    SDL_Event ignored;
    while (SDL_PollEvent(&ignored)) {
    }
  }
  static void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 0); }
};

// One update ran, with 0 ms: the message has not aged and the falling
// character has not moved.
TEST_F(ApplicationShell, AQuitEventEndsTheLoopAfterTheFirstPassWhichGetsZeroMilliseconds) {
  Application app;
  app.init(resources.resourceRoot());
  app.getWorld().message("before the loop");
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  push(quit);
  app.mainLoop();
  ASSERT_EQ(app.getWorld().getFloatingTexts().size(), 2u);
  EXPECT_EQ(app.getWorld().getFloatingTexts()[0].getRemaining(), 2000);
  EXPECT_EQ(app.getWorld().getCharacter().position, Point2D(20, 20));
}

// The level menu is opened and its first item, "other", chosen in the
// same pass as the quit request; an e after the request is still
// dispatched.
TEST_F(ApplicationShell, MetaQEndsTheLoopAfterThePassThatSawIt) {
  Application app;
  app.init(resources.resourceRoot());
  push(keyEvent(SDL_KEYDOWN, SDLK_l));
  push(keyEvent(SDL_KEYDOWN, SDLK_RETURN));
  push(keyEvent(SDL_KEYDOWN, SDLK_q, KMOD_RMETA));
  push(keyEvent(SDL_KEYDOWN, SDLK_e));
  app.mainLoop();
  EXPECT_TRUE(app.getKeyState().keyDown(SDLK_e));
  EXPECT_EQ(app.getWorld().getLevelName(), "other.data") << "that pass's update carried it out";
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
