// Edits undo exactly, land on the grid, show in the caption, are saved under
// free names only and outlive the process; play follows, shoots and wins.

#include "WorldScenario.h"

#include "audio/SoundPlayer.h"
#include "common/Draw.h"
#include "objects/Monster.h"
#include "world/LevelStore.h"

#include <GL/gl.h>

#include <thread>

namespace {

const SDLMod CTRL = KMOD_LCTRL;
const std::string RECOVERY = "Levels/.edit.data.recovery";
// Platforms A (100, 100) and B (300, 100), 50 x 30, a monster at (100, 300).
const std::string LEVEL = "1 10 10 5 3 2\n1 30 10 5 3 1\n4 10 30 2 2\n2 2 44 2 2\n";
const std::string LEVEL_A = "1 0 40 64 2 2\n";

class Editor : public WorldScenario {
protected:
  void SetUp() override { startOn("edit.data", LEVEL), type("e"); }
  void drag(double fromX, double fromY, double toX, double toY) {
    point(fromX, fromY), button(SDL_MOUSEBUTTONDOWN, 1), frames(1);
    point(toX, toY), frames(1), button(SDL_MOUSEBUTTONUP, 1);
  }
};

TEST_F(Editor, EveryEditUndoesAndRedoesToTheExactList) {
  const std::pair<const char*, std::function<void()>> edits[] = {
      {"right-button platform", [&] { point(400, 200), click(3); }},
      {"add-object menu",
       [&] { point(400, 200), type("`"), tap(SDLK_DOWN), type("\r"), frames(1); }},
      {"drag", [&] { drag(110, 110, 213, 257); }},
      {"resize", [&] { drag(155, 135, 181, 162); }},
      {"nudge", [&] { point(310, 110), click(1), tap(SDLK_LEFT); }},
      {"platform kind", [&] { point(310, 110), click(1), type("3"); }},
      {"cut", [&] { point(110, 110), click(1), type("x"); }},
      {"delete", [&] { point(105, 305), click(1), type("\b"); }},
      {"paste", [&] { point(110, 110), click(1), type("c"), point(500, 50), type("v"); }}};
  for (const auto& [name, edit] : edits) {
    const std::string before = list();
    edit();
    const std::string after = list();
    EXPECT_EQ(world->getCaption(), "Clamber - edit *") << name;
    tap(SDLK_z, CTRL);
    EXPECT_EQ(list() + status(), before + "Clamber - edit | Undo") << name;
    EXPECT_TRUE(world->getLevel().getSelected().empty()) << name;
    tap(SDLK_y, CTRL);
    EXPECT_EQ(list(), after) << name;
    tap(SDLK_z, CTRL);
  }
  tap(SDLK_z, CTRL);
  EXPECT_EQ(status(), "Clamber - edit | Nothing to undo");
  tap(SDLK_z, SDLMod(KMOD_LCTRL | KMOD_LSHIFT));
  EXPECT_EQ(status(), "Clamber - edit * | Redo");
  click(3), tap(SDLK_y, CTRL);
  EXPECT_EQ(status(), "Clamber - edit * | Nothing to redo") << "a new edit drops the redo";
  const std::string start = list();
  point(310, 110), click(1);
  for (int i = 0; i < 400; ++i) {
    tap(i < 200 ? SDLK_RIGHT : SDLK_z, i < 200 ? KMOD_NONE : CTRL);
  }
  EXPECT_EQ(list(), start) << "200 steps undone";
  point(105, 305), click(1), type("\b"), point(500, 50), type("v");
  const Level& level = world->getLevel();
  EXPECT_EQ(level.get(level.size() - 1).getType(), GameObject::PLATFORM) << "\\b leaves A copied";
}

// A is grabbed 5 pixels inside its corner, or on its resize handle 5 past
// it; the corner goes to the grid below the pointer less 5. A resize onto
// or past the opposite edge leaves 10 x 10; a grab that touches the body and
// the handle resizes.
TEST_F(Editor, DragsAndResizesLandOnTheGrid) {
  const std::tuple<Point2D, Point2D, Point2D, Point2D> rows[] = {
      {{105, 105}, {147, 168}, {140, 160}, {50, 30}},
      {{195, 195}, {288, 257}, {140, 160}, {140, 90}},
      {{285, 255}, {154, 174}, {140, 160}, {10, 10}},
      {{155, 175}, {60, 40}, {140, 160}, {10, 10}},
      {{149, 169}, {200, 200}, {140, 160}, {60, 40}},
      {{145, 165}, {2, 3}, {-10, -10}, {60, 40}}};
  const GameObject& a = world->getLevel().get(0);
  for (const auto& [from, to, pos, size] : rows) {
    drag(from.x, from.y, to.x, to.y);
    EXPECT_EQ(std::pair(a.pos, a.size), std::pair(pos, size));
  }
}

// The add-object menu's rows put down at the pointer a white platform 100 x
// 20, a monster and a spawn point 20 x 20, and a goal area 100 x 100.
TEST_F(Editor, TheAddObjectMenuPutsDownEachKindAtThePointer) {
  const char* const added[] = {"1 40 20 10 2 0 \n", "4 40 20 2 2 \n", "2 40 20 2 2 \n",
                               "3 40 20 10 10 \n"};
  std::string objects = list();
  for (int row = 0; row < 4; ++row) {
    point(400, 200), type("`");
    for (int i = 0; i < row; ++i) {
      tap(SDLK_DOWN);
    }
    type("\r"), frames(1);
    EXPECT_EQ(list(), objects += added[row]) << row;
  }
}

// Arrows nudge the selection (A, the monster) 10 pixels, 1 2 3 set its platforms'
// kinds; a copy is pasted as it lay; A, nudged far, is selected where it went.
TEST_F(Editor, KeysNudgeTheSelectionSetItsKindsAndCopyIt) {
  point(110, 110), click(1), point(105, 305), press(SDLK_LSHIFT, KMOD_LSHIFT), click(1);
  send(keyEvent(SDL_KEYUP, SDLK_LSHIFT));
  const std::string B = "1 30 10 5 3 1 \n", SPAWN = "2 2 44 2 2 \n";
  const std::pair<SDLKey, std::string> rows[] = {
      {SDLK_UP, "1 10 9 5 3 2 \n" + B + "4 10 29 2 2 \n"},
      {SDLK_LEFT, "1 9 9 5 3 2 \n" + B + "4 9 29 2 2 \n"},
      {SDLK_DOWN, "1 9 10 5 3 2 \n" + B + "4 9 30 2 2 \n"},
      {SDLK_RIGHT, "1 10 10 5 3 2 \n" + B + "4 10 30 2 2 \n"},
      {SDLK_1, "1 10 10 5 3 0 \n" + B + "4 10 30 2 2 \n"},
      {SDLK_2, "1 10 10 5 3 1 \n" + B + "4 10 30 2 2 \n"},
      {SDLK_3, "1 10 10 5 3 2 \n" + B + "4 10 30 2 2 \n"}};
  for (const auto& [key, objects] : rows) {
    tap(key);
    EXPECT_EQ(list(), objects + SPAWN) << SDL_GetKeyName(key);
  }
  type("c"), point(405, 105), type("v");
  EXPECT_EQ(list(), rows[6].second + SPAWN + "1 40 10 5 3 2 \n4 40 30 2 2 \n");
  point(300, 400), click(1), point(110, 110), click(1);
  for (int i = 0; i < 50; ++i) {
    tap(SDLK_RIGHT);
  }
  point(610, 110), click(1);
  EXPECT_TRUE(world->getLevel().get(0).isSelected()) << "found where it went";
}

// A and B are cut from under the held button, and pasted as they lay, 200
// apart: the drag's place in the list holds the monster now, which stays.
TEST_F(Editor, ShiftAddsToTheSelectionPasteLandsOnTheGridAndTheDragEnds) {
  point(110, 110), click(1), point(310, 110), press(SDLK_LSHIFT, KMOD_LSHIFT), click(1);
  point(110, 110), button(SDL_MOUSEBUTTONDOWN, 1), type("x"), point(237, 163), type("v");
  point(400, 400), frames(1);
  EXPECT_EQ(list(), "4 10 30 2 2 \n2 2 44 2 2 \n1 23 16 5 3 2 \n1 43 16 5 3 1 \n");
}

// A box from empty space selects what it meets (with Shift, adds); a
// click that goes nowhere deselects, with Shift too. Ctrl+A selects all;
// Ctrl+D copies the selection 10 right and down, selected and last, as one
// step, and neither holds a or d.
TEST_F(Editor, BoxesSelectCtrlASelectsAllAndCtrlDDuplicates) {
  const auto selection = [&] {
    std::string indices;
    for (std::size_t i = 0; i < world->getLevel().size(); ++i) {
      indices += world->getLevel().get(i).isSelected() ? std::to_string(i) + " " : "";
    }
    return indices;
  };
  const auto shift = [&] { press(SDLK_LSHIFT, KMOD_LSHIFT); };
  const std::tuple<const char*, std::function<void()>, const char*> rows[] = {
      {"box over A and B", [&] { drag(90, 90, 400, 120); }, "0 1 "},
      {"click in empty space", [&] { tap(SDLK_a, CTRL), point(250, 250), click(1); }, ""},
      {"Shift adds", [&] { point(110, 110), click(1), shift(), drag(250, 280, 115, 310); }, "0 2 "},
      {"box drawn backwards", [&] { drag(360, 320, 115, 125); }, "0 1 2 "},
      {"Shift+click there", [&] { tap(SDLK_a, CTRL), shift(), point(250, 250), click(1); }, ""},
      {"Ctrl+A", [&] { tap(SDLK_a, CTRL); }, "0 1 2 3 "}};
  for (const auto& [name, action, expected] : rows) {
    action(), send(keyEvent(SDL_KEYUP, SDLK_LSHIFT));
    EXPECT_EQ(selection(), expected) << name;
  }
  const std::string before = list();
  tap(SDLK_d, CTRL), frames(10);
  EXPECT_EQ(list() + selection(), before + "1 11 11 5 3 2 \n1 31 11 5 3 1 \n4 11 31 2 2 \n"
                                           "2 3 45 2 2 \n4 5 6 7 ");
  EXPECT_EQ(world->getOffset(), Point2D(0, 0));
  tap(SDLK_z, CTRL), tap(SDLK_d, CTRL);
  EXPECT_EQ(list() + status(), before + "Clamber - edit | Undo");
}

// The wheel halves (5) and doubles (4) the zoom around the pointer, from 1
// to 1/16. At 1/4 a drag and a resize by a handle 10 window pixels wide
// land on the grid, the view scrolls 64 level pixels a frame, and play
// starts at zoom 1 at the level point under the pointer.
TEST_F(Editor, TheWheelZoomsAroundThePointerWhereEditsStayOnTheGrid) {
  const std::pair<int, Point2D> wheel[] = {
      {5, {-320, -240}},   {5, {-960, -720}},   {5, {-2240, -1680}}, {5, {-4800, -3600}},
      {5, {-4800, -3600}}, {4, {-2240, -1680}}, {4, {-960, -720}}};
  point(320, 240);
  for (const auto& [b, offset] : wheel) {
    click(b);
    EXPECT_EQ(world->getOffset(), offset) << b;
  }
  drag(270, 210, 300, 250), drag(315, 258, 330, 270);
  EXPECT_EQ(list().substr(0, 15), "1 22 26 11 7 2 ");
  press(SDLK_d), frames(1), send(keyEvent(SDL_KEYUP, SDLK_d));
  // Level (704, -320) under the pointer, before and after.
  point(400, 100), type("e");
  EXPECT_EQ(world->getOffset(), Point2D(704 - 400, -320 - 100));
  EXPECT_EQ(world->getCharacter().position, Point2D(704, -320));
  frames(1), type("e"), point(100, 100), click(3);
  EXPECT_EQ(world->getLevel().get(4).pos, world->getOffset() + Point2D(100, 100)) << "zoom 1";
}

// g shows the grid under the edit view: every 10 pixels, stronger every 100,
// only those at 1/4. Zoomed out, the handle stays 10 window pixels. The
// readout line shows the pointer on the grid, the zoom and the selection.
TEST_F(Editor, TheGridTheZoomedHandleAndTheReadoutShow) {
  const auto frame = [&] { GLWindow::clear(0.2f, 0.2f, 0.2f), world->draw(); };
  const Rgb fine = rgb(0x40, 0x40, 0x40), major = rgb(0x60, 0x60, 0x60), none = rgb(51, 51, 51);
  const std::tuple<const char*, int, int, Rgb> rows[] = {
      {"g", 200, 155, major},  {"", 210, 155, fine},  {"", 215, 155, none},
      {"", 215, 160, fine},    {"", 215, 200, major}, {"", 250, 155, fine},
      {"out", 25, 155, major}, {"", 30, 155, none},   {"g", 25, 155, none}};
  point(600, 50);
  for (const auto& [keys, x, y, colour] : rows) {
    std::string(keys) == "out" ? (point(0, 0), click(5), click(5)) : type(keys);
    frame();
    EXPECT_EQ(GLWindow::pixel(x, y), colour) << x << ", " << y;
  }
  point(30, 30), click(1), frame();
  const Rgb green = rgb(0, 0xf0, 0); // through the level's texture
  EXPECT_EQ(std::vector({GLWindow::pixel(38, 33), GLWindow::pixel(47, 42), GLWindow::pixel(48, 36),
                         GLWindow::pixel(42, 43)}),
            std::vector({green, green, none, none}));
  const auto strip = [] {
    std::vector<unsigned char> pixels(640 * 27 * 3);
    glReadPixels(0, 0, 640, 27, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  };
  point(31, 31), frame();
  const auto shown = strip();
  GLWindow::clear(0.2f, 0.2f, 0.2f), glColor3d(0.1, 0.1, 0.1), fillBox(0, 454, 640, 480),
      glColor3d(0.9, 0.9, 0.9);
  drawText(5, 473, "x 120   y 120   zoom 1/4   1 selected");
  EXPECT_EQ(shown, strip());
  type("g"), type("e"), GLWindow::clear(), world->draw();
  for (int x = 200; x < 210; ++x) {
    EXPECT_EQ(GLWindow::pixel(x, 5), rgb(0, 0, 0)) << "no grid in play, " << x;
  }
}

// A refused name keeps the prompt open. A new level is a floor, a spawn
// point standing on it after it, so that the character lands, and a goal,
// shown from its origin. Ctrl+S must not also hold s, which would scroll the
// view down; save as offers the level's name.
TEST_F(Editor, ANewLevelNeedsAFreeNameAndSavingLeavesOtherFilesAlone) {
  press(SDLK_d), frames(10), send(keyEvent(SDL_KEYUP, SDLK_d)), tap(SDLK_n, CTRL), type("\r");
  EXPECT_EQ(status(), "Clamber - edit | Type a name");
  type("edit\r");
  EXPECT_EQ(status(), "Clamber - edit | edit already exists");
  type("\b\b\b\bnew\r");
  EXPECT_EQ(status(), "Clamber - new | Created new");
  EXPECT_EQ(resources.read("Levels/new.data"), "1 0 40 64 2 2 \n2 10 38 2 2 \n3 50 30 10 10 \n");
  point(300, 100), click(3), press(SDLK_s, CTRL), frames(10);
  EXPECT_EQ(status() + resources.read("Levels/new.data"),
            "Clamber - new | Saved as new.data!" + list());
  EXPECT_EQ(world->getOffset(), Point2D(0, 0)) << "a new level's view, not scrolled by Ctrl+S";
  const std::string saved = list();
  click(3), tap(SDLK_s, SDLMod(KMOD_LCTRL | KMOD_LSHIFT)), type("copy\r");
  EXPECT_EQ(status() + resources.read("Levels/newcopy.data"),
            "Clamber - newcopy | Saved as newcopy.data!" + list());
  EXPECT_EQ(resources.read("Levels/new.data") + resources.read("Levels/edit.data"), saved + LEVEL);
}

// 5 s of frames after an edit, or the end of the process, write the edits
// beside the level; the next session offers them: Restore, then Discard.
TEST_F(Editor, EditsSurviveInTheRecoveryFileUntilRestoredOrDiscarded) {
  const std::string saved = list();
  point(400, 200), click(3), frames(313);
  EXPECT_EQ(resources.read(RECOVERY), list());
  point(400, 300), click(3), world->quitRequested();
  const std::string edited = list();
  EXPECT_EQ(resources.read(RECOVERY), edited);
  makeWorld(), type("\r"), frames(1);
  EXPECT_EQ(list() + status(), edited + "Clamber - edit * | Restored unsaved changes");
  makeWorld(), tap(SDLK_DOWN), type("\r"), frames(1);
  EXPECT_EQ(list() + status(), saved + "Clamber - edit | Discarded unsaved changes");
  EXPECT_FALSE(resources.exists(RECOVERY));
  resources.write(RECOVERY, "1 1 2 3 4 0 \n1 garbage\n9 1 1 1 1\n4 1"), makeWorld(), type("\r");
  frames(1);
  EXPECT_EQ(list() + status(),
            "1 1 2 3 4 0 \nClamber - edit * | Restored; 3 damaged lines left out");
  resources.write("Levels/other.data", ""), type("l"), tap(SDLK_DOWN), type("\r"), frames(1);
  EXPECT_EQ(resources.read(RECOVERY) + status(), "1 1 2 3 4 0 \nClamber - other | Loaded other!");
}

// The shipped folder is only read: a save goes to the player's folder, made
// with mode 0700 on the first write, whose levels and level list shadow the
// shipped ones. A failed write says why; a quit that cannot keep the edits
// asks to be repeated.
TEST_F(WorldScenario, WritesGoToThePlayersFolderWhoseLevelsShadowTheShippedOnes) {
  namespace fs = std::filesystem;
  const TempDir home;
  player = ResourceRoot((home.path() / "data/clamber").string());
  resources.write("Levels/b.data", ""), startOn("a.data", "1 0 40 64 2 2\n");
  type("e"), point(300, 100), click(3), type("=");
  EXPECT_EQ(status() + resources.read("Levels/a.data"), "Clamber - a | Saved as a.data!" + LEVEL_A);
  EXPECT_EQ(home.read("data/clamber/Levels/a.data"), list());
  for (const char* folder : {"data", "data/clamber", "data/clamber/Levels"}) {
    EXPECT_EQ(fs::status(home.path() / folder).permissions(), fs::perms::owner_all) << folder;
  }
  home.write("data/clamber/Levels/b.data", "3 1 1 1 1 \n");
  home.write("data/clamber/Levels/c.data", "");
  home.write("data/clamber/Levels/loadlevel.txt", "b.data\n"), makeWorld();
  EXPECT_EQ(list() + status(), "3 1 1 1 1 \nClamber - b | F1: help");
  EXPECT_EQ(LevelStore(resources.resourceRoot(), *player).list(),
            (std::vector<std::string>{"a", "b", "c"}));
  home.write("file", ""), player = ResourceRoot((home.path() / "file/clamber").string());
  makeWorld(), type("e"), click(3), testing::internal::CaptureStdout(), type("=");
  EXPECT_EQ(status(), "Clamber - a * | Save FAILED!");
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Cannot write a.data in " + player->getPath() + "/Levels: Not a directory\n");
  player = ResourceRoot(""), makeWorld(), type("e"), click(3);
  EXPECT_FALSE(world->quitRequested());
  EXPECT_EQ(status(), "Clamber - a * | Edits cannot be kept: quit again to lose them");
  frames(187);
  EXPECT_TRUE(world->quitRequested()) << "a second quit within three seconds";
  frames(1);
  EXPECT_FALSE(world->quitRequested()) << "a quit after them";
}

// SDL's disk driver writes what is played at about the pace it is played
// (a buffer of 512 samples, 23 ms at 22050 Hz, then a 23 ms wait): a jump
// and a shot fired in one frame are heard within 100 ms of it, and after m
// nothing is, in this session or the next.
TEST_F(WorldScenario, AJumpAndAShotAreHeardWithin100MsOfTheirFrameUnlessMSwitchedSoundOff) {
  const TempDir dir;
  const std::string played = (dir.path() / "played").string();
  setenv("SDL_AUDIODRIVER", "disk", 1), setenv("SDL_DISKAUDIODELAY", "23", 1);
  setenv("SDL_DISKAUDIOFILE", played.c_str(), 1);
  startOn("floor.data", "1 0 40 64 2 2\n2 30 36 2 2\n"), frames(60);
  SoundPlayer sound(ResourceRoot(CLAMBER_SOURCE_RESOURCES));
  const auto playFor = [&](int ms) {
    for (int t = 0; t < ms; t += 16, std::this_thread::sleep_for(std::chrono::milliseconds(16))) {
      frames(1), Application::playEvents(*world, sound);
    }
  };
  // Bytes of two-byte samples written so far, and the first sample from
  // there on that is not silent.
  const auto firstHeardAfter = [&](std::size_t from) {
    const std::string samples = dir.read("played");
    for (std::size_t i = from & ~std::size_t{1}; i + 1 < samples.size(); i += 2) {
      if (samples[i] != 0 || samples[i + 1] != 0) {
        return (static_cast<double>(i - from) / 2) / 22.05;
      }
    }
    return -1.0;
  };
  for (const bool switchedOff : {false, true}) {
    playFor(400);
    const std::size_t before = dir.read("played").size();
    press(SDLK_SPACE), point(500, 100), click(1), playFor(400),
        send(keyEvent(SDL_KEYUP, SDLK_SPACE));
    const double heardAfterMs = firstHeardAfter(before);
    EXPECT_EQ(heardAfterMs >= 0 && heardAfterMs <= 100, !switchedOff) << heardAfterMs << " ms";
    if (!switchedOff) {
      tap(SDLK_m);
      EXPECT_EQ(status(), "Clamber - floor | Sound off");
      makeWorld(), frames(60);
    }
  }
  EXPECT_EQ(status() + resources.read(".settings"), "Clamber - floor | F1: help"
                                                    "sound off\n");
}

// A pad's events through the frame loop: the left stick past a quarter of
// its travel, or the d-pad, runs; A jumps in the same frame's update, B
// shoots the way the character faces or the right stick points, Start
// opens the level menu, where the d-pad moves and A chooses. The editor
// does not scroll by pad.
TEST_F(WorldScenario, AGamepadRunsJumpsShootsAndSteersTheMenusButNotTheEditor) {
  resources.write("Levels/other.data", ""), resources.write("Levels/zed.data", "");
  startOn("pad.data", "1 0 40 300 4 2\n2 100 36 2 2\n");
  const auto pad = [&](Uint8 type, Uint8 index, Sint16 value) {
    send(padEvent(type, index, value));
  };
  const double& runs = world->getCharacter().velocity.x;
  frames(60), pad(SDL_JOYAXISMOTION, 0, 8000), frames(10);
  EXPECT_EQ(runs, 0) << "inside the dead zone";
  pad(SDL_JOYAXISMOTION, 0, 9000), frames(10);
  EXPECT_GT(runs, 0);
  pad(SDL_JOYAXISMOTION, 0, 0), pad(SDL_JOYHATMOTION, 0, SDL_HAT_LEFT), frames(30);
  EXPECT_LT(runs, 0);
  pad(SDL_JOYHATMOTION, 0, SDL_HAT_CENTERED), frames(100), heard.clear();
  pad(SDL_JOYBUTTONDOWN, 0, 0), frames(1), pad(SDL_JOYBUTTONUP, 0, 0), frames(100);
  pad(SDL_JOYBUTTONDOWN, 1, 0), frames(10), look();
  const Point2D ahead = world->getCharacter().position - world->getOffset() - Point2D(32, 0);
  EXPECT_EQ(GLWindow::pixel(int(ahead.x), int(ahead.y)), rgb(0, 255, 0)) << "the way it faces";
  pad(SDL_JOYAXISMOTION, 3, 30000), pad(SDL_JOYBUTTONDOWN, 1, 0), frames(10), look();
  EXPECT_EQ(GLWindow::pixel(int(ahead.x) + 64, int(ahead.y)), rgb(0, 255, 0))
      << "the right stick's way";
  pad(SDL_JOYBUTTONDOWN, 7, 0), frames(1);
  pad(SDL_JOYHATMOTION, 0, SDL_HAT_DOWN), pad(SDL_JOYBUTTONDOWN, 0, 0), frames(2);
  using E = GameEvent;
  EXPECT_EQ(heard, (std::vector<E>{E::JUMPED, E::LANDED, E::SHOT_FIRED, E::SHOT_FIRED,
                                   E::MENU_MOVED, E::MENU_CHOSEN}));
  EXPECT_EQ(status(), "Clamber - pad | Loaded pad!");
  type("e");
  const Point2D editedFrom = world->getOffset();
  pad(SDL_JOYAXISMOTION, 1, 30000), pad(SDL_JOYHATMOTION, 0, SDL_HAT_RIGHT), frames(9);
  pad(SDL_JOYAXISMOTION, 1, -30000), pad(SDL_JOYHATMOTION, 0, SDL_HAT_LEFT), frames(9);
  EXPECT_EQ(world->getOffset(), editedFrom);
}

// A spawn point inside a goal area completes at once, inside a monster it
// soon dies, with "You are dead!" over the Level Select menu, which then
// offers the next level (the first after the last) and the same level
// again; l starts on the first.
TEST_F(WorldScenario, AfterTheGoalTheMenuOffersTheNextLevelAfterADeathTheSameOne) {
  const std::string goal = "3 0 0 10 10\n2 5 5 2 2\n";
  resources.write("Levels/b.data", "4 0 0 10 10\n2 5 5 2 2\n"),
      resources.write("Levels/c.data", goal);
  startOn("a.data", goal), frames(200), type("\r"), frames(1);
  EXPECT_EQ(status(), "Clamber - b | Loaded b!") << "the next level after the goal";
  frames(100);
  EXPECT_EQ(status(), "Clamber - b | You are dead!");
  look();
  const int titleLeft = 300 - stringWidth("Level Select") / 2 - 5;
  EXPECT_EQ(GLWindow::pixel(titleLeft, 50), rgb(255, 255, 255)) << "the title box's left edge";
  type("\r"), frames(1);
  EXPECT_EQ(status(), "Clamber - b | Loaded b!") << "the same level after a death";
  frames(200), tap(SDLK_DOWN), type("\r"), frames(200), type("\r"), frames(1);
  EXPECT_EQ(status(), "Clamber - a | Loaded a!") << "the first level after the last";
  type("l"), tap(SDLK_DOWN), type("\r"), frames(1);
  EXPECT_EQ(status(), "Clamber - b | Loaded b!") << "l starts on the first";
}

// The pointer inside a platform two billion pixels tall: play starts on its
// top, as five-pixel steps up from the pointer would put it, at once.
TEST_F(WorldScenario, LeavingEditModeLiftsThePlayerOutOfATallObjectAtOnce) {
  startOn("tall.data", "1 0 0 10 214748364 2\n"), type("e"), point(55, 103), type("e");
  EXPECT_EQ(world->getCharacter().position, Point2D(55, -12));
  startOn("none.data", "");
  EXPECT_EQ(world->getCharacter().position, Point2D(0, 0)) << "no spawn point";
}

// The camera puts a character that left the 640 x 480 window on the edge it
// crossed, and glides toward one over 100 pixels off the centre, by the
// distance per second.
TEST(Camera, SnapsOntoTheEdgeCrossedAndGlidesOutsideItsDeadZone) {
  const std::tuple<Point2D, int, Point2D> rows[] = {
      {{640, 240}, 0, {0, 0}},   {{641, 240}, 0, {1, 0}},   {{-1, 240}, 0, {-1, 0}},
      {{320, 481}, 0, {0, 1}},   {{420, 240}, 500, {0, 0}}, {{421, 240}, 500, {50.5, 0}},
      {{320, 0}, 500, {0, -120}}};
  for (const auto& [target, ms, offset] : rows) {
    Camera camera(640, 480);
    camera.follow(target, ms);
    EXPECT_EQ(camera.getOffset(), offset) << target.x << ", " << target.y;
  }
}

// A floor from 0 to 3000, top at 400, with a monster at 1850, the spawn point
// at (2000, 360) and the goal at 2300. The camera puts the character on the
// window's right edge, then follows to 100 pixels off its centre. The
// monster's yellow cross is gone once it is dead, shown in edit mode and back
// with the next run.
TEST_F(WorldScenario, TheCharacterLandsShootsAMonsterAndReachesTheGoal) {
  startOn("run.data", "1 0 40 300 4 2\n4 185 38 2 2\n2 200 36 2 2\n3 230 30 10 10\n"), frames(1);
  const Rgb yellow = rgb(215, 215, 0), black = rgb(0, 0, 0);
  const Character& hero = world->getCharacter();
  EXPECT_EQ(world->getOffset().x, 2000 - 640);
  frames(100);
  EXPECT_TRUE(hero.isPose(Character::GROUNDED) && hero.position.y == 390);
  const Point2D offset = world->getOffset();
  EXPECT_LE((hero.position - offset - Point2D(320, 240)).magnitude(), 100);
  const auto& monster = dynamic_cast<const Monster&>(world->getLevel().get(1));
  for (int shot = 0; shot <= 5; ++shot) {
    point(1860 - offset.x, 390 - offset.y - (shot == 0 ? 60 : 0)), click(1), frames(100), look();
    EXPECT_EQ(monster.getCurrentHp(), 100 - 30 * std::min(shot, 4)) << shot;
    EXPECT_EQ(monster.isActive(), shot < 4) << shot;
    const Point2D view = world->getOffset();
    EXPECT_EQ(GLWindow::pixel(1860 - int(view.x), 390 - int(view.y)), shot < 4 ? yellow : black);
  }
  const Point2D view = world->getOffset();
  point(int(hero.position.x - view.x), int(hero.position.y - view.y)), type("e"), look();
  EXPECT_EQ(GLWindow::pixel(1860 - int(view.x), 390 - int(view.y)), yellow) << "dead, in edit";
  type("e");
  press(SDLK_d), frames(100);
  EXPECT_EQ(status(), "Clamber - run | Level Complete!");
  EXPECT_EQ(hero.position, Point2D(2000, 360));
  EXPECT_EQ(std::pair(monster.getCurrentHp(), monster.isActive()), std::pair(100, true));
  using E = GameEvent;
  EXPECT_EQ(heard,
            (std::vector<E>{E::LANDED, E::SHOT_FIRED, E::SHOT_FIRED, E::SHOT_HIT, E::SHOT_FIRED,
                            E::SHOT_HIT, E::SHOT_FIRED, E::SHOT_HIT, E::SHOT_FIRED, E::SHOT_HIT,
                            E::MONSTER_DIED, E::SHOT_FIRED, E::LANDED, E::COMPLETED}));
}

// The edit view, the white platform selected: platforms tint the bricks (240,
// mortar every 64 pixels) white, pink, grey; lines, on a blend of the bricks,
// yellow for a monster, green, blue, (0.3, 0.5, 1) for the select box 4 to 6
// pixels out; the handle green, the marker red; the spawn point is not shown
// in play. F1 shows the help, Esc hides it.
TEST_F(WorldScenario, EveryObjectShowsInItsColours) {
  startOn("all.data", "1 5 10 15 3 0\n1 25 10 5 3 1\n1 35 10 5 3 2\n4 45 10 2 2\n3 50 20 10 10\n"
                      "2 5 30 2 2\n");
  look();
  EXPECT_EQ(GLWindow::pixel(68, 300), rgb(0, 0, 0)) << "no spawn point in play";
  type("e"), point(60, 110), click(1), point(600, 450), look();
  const Rgb grey = rgb(51, 51, 51), blue = rgb(65, 108, 215);
  // clang-format off
  const std::tuple<int, int, Rgb> probes[] = {
      {60, 110, rgb(240, 240, 240)}, {114, 110, rgb(206, 206, 206)}, {146, 110, rgb(240, 240, 240)},
      {178, 110, rgb(206, 206, 206)}, {260, 110, rgb(240, 120, 120)}, {360, 110, rgb(120, 120, 120)},
      {460, 110, rgb(215, 215, 0)}, {550, 200, rgb(0, 215, 0)}, {550, 201, grey},
      {60, 300, rgb(0, 0, 215)}, {68, 300, rgb(0, 0, 215)}, {75, 93, grey}, {75, 94, blue},
      {75, 96, blue}, {75, 97, grey},
      {205, 135, rgb(0, 240, 0)}, {600, 450, rgb(255, 0, 0)}, {500, 15, rgb(255, 0, 0)}};
  // clang-format on
  for (const auto& [x, y, colour] : probes) {
    EXPECT_EQ(GLWindow::pixel(x, y), colour) << x << ", " << y;
  }
  tap(SDLK_F1), look();
  const Rgb help = GLWindow::pixel(19, 240);
  tap(SDLK_ESCAPE), look();
  EXPECT_EQ(std::pair(help, GLWindow::pixel(19, 240)), std::pair(rgb(255, 255, 255), grey));
  point(300, 300), button(SDL_MOUSEBUTTONDOWN, 1), point(400, 400), look();
  EXPECT_EQ(GLWindow::pixel(350, 300), rgb(255, 255, 255)) << "the selection box";
}

// Standing at (220, 240) the character fires right: the shot's 4-pixel square
// is at 220 + 3.2 n after n 16-ms frames and gone on the 125th, its 2 s up;
// the foot of the message's F, (8, 19) above a black (8, 20), fades to black
// as long; a wall stops a shot; one fired up shows until it leaves the
// window. The hit-point bar is 200 pixels from x 430 at full, in proportion
// below and beyond, none at 0 and below, where the next frame restarts the
// character at full. Play loses hit points 30 at a time only, so they are
// set directly.
TEST_F(WorldScenario, ShotsMessagesAndTheHitPointBarShowTheirNumbers) {
  startOn("play.data", "1 22 25 2 2 2\n1 10 20 1 5 2\n2 22 24 2 2\n"), point(420, 240), click(1);
  const Rgb black = rgb(0, 0, 0), green = rgb(0, 255, 0), dark = rgb(102, 0, 0),
            red = rgb(255, 0, 0);
  const std::tuple<int, int, Rgb, int> flight[] = {
      {31, 317, green, 192}, {31, 416, green, 129}, {62, 614, green, 2}, {1, 618, black, 0}};
  for (const auto& [n, shot, colour, grey] : flight) {
    frames(n), look();
    expectBox(210, 230, 229, 249, rgb(0, 0, 255), black);
    expectBox(shot, 238, shot + 3, 241, colour, black);
    EXPECT_EQ(std::pair(GLWindow::pixel(8, 19), GLWindow::pixel(8, 20)),
              std::pair(rgb(grey, grey, grey), black))
        << n;
  }
  point(20, 240), click(1), frames(62), look();
  EXPECT_EQ(GLWindow::pixel(20, 239), black) << "a shot goes no further than a wall at 110";
  EXPECT_EQ(std::count(heard.begin(), heard.end(), GameEvent::SHOT_HIT), 0) << "walls are not hit";
  point(220, 0), click(1), frames(74), look();
  EXPECT_EQ(GLWindow::pixel(220, 2), green) << "a shot shows up to the window's edge";
  expectBox(430, 10, 629, 19, red, black);
  auto& hero = const_cast<Character&>(world->getCharacter());
  const std::tuple<int, int, Rgb, int> bar[] = {{100, 629, black, 100}, {35, 499, dark, 35},
                                                {1, 431, dark, 1},      {0, 429, dark, 100},
                                                {-20, 429, dark, 100},  {104, 637, black, 104}};
  for (const auto& [hp, right, beyond, after] : bar) {
    hero.setCurrentHp(hp), look();
    EXPECT_EQ(std::pair(GLWindow::pixel(right, 15), GLWindow::pixel(right + 1, 15)),
              std::pair(right < 430 ? black : red, beyond))
        << hp;
    frames(1), tap(SDLK_ESCAPE);
    EXPECT_EQ(hero.getCurrentHp(), after) << hp;
  }
}

// Falling beside a white wall with d held, the character clings to it; w and s
// (or the stick) climb up and down 200 px/s. In edit mode w, a, s and d
// scroll 1000 px/s.
TEST_F(WorldScenario, HeldKeysClimbAWhiteWallAndScrollTheEditView) {
  startOn("climb.data", "1 40 0 2 40 0\n2 35 10 2 2\n"), press(SDLK_d), frames(60);
  const Character& hero = world->getCharacter();
  const double y = hero.position.y;
  for (const auto& [key, dy] : {std::pair(SDLK_w, -32.0), std::pair(SDLK_s, 0.0)}) {
    press(key), frames(10), send(keyEvent(SDL_KEYUP, key));
    EXPECT_NEAR(hero.position.y - y, dy, 1e-9) << SDL_GetKeyName(key);
  }
  send(padEvent(SDL_JOYAXISMOTION, 1, -30000)), frames(10), send(padEvent(SDL_JOYAXISMOTION, 1));
  EXPECT_NEAR(hero.position.y - y, -32, 1e-9) << "the stick climbs";
  send(keyEvent(SDL_KEYUP, SDLK_d)), type("e");
  const Point2D view = world->getOffset();
  const std::tuple<SDLKey, double, double> rows[] = {
      {SDLK_s, 0, 160}, {SDLK_d, 160, 160}, {SDLK_w, 160, 0}, {SDLK_a, 0, 0}};
  for (const auto& [key, x, y] : rows) {
    press(key), frames(10), send(keyEvent(SDL_KEYUP, key));
    EXPECT_NEAR((world->getOffset() - view - Point2D(x, y)).magnitude(), 0, 1e-9)
        << SDL_GetKeyName(key);
  }
}

// A floor with a pink wall at its right end and a monster left of the spawn
// point: a running jump into the wall jumps off it; walking into the monster
// hurts four times, and the fifth time kills; the level menu that opens
// moves and chooses.
TEST_F(WorldScenario, PlayReportsJumpsHurtsDeathAndTheMenu) {
  resources.write("Levels/other.data", ""),
      startOn("walls.data", "1 0 40 100 4 2\n1 40 0 2 40 1\n4 10 38 2 2\n2 20 36 2 2\n"),
      frames(60);
  press(SDLK_d), press(SDLK_SPACE), frames(120);
  send(keyEvent(SDL_KEYUP, SDLK_d)), send(keyEvent(SDL_KEYUP, SDLK_SPACE)), press(SDLK_a);
  frames(200), tap(SDLK_DOWN), frames(1), tap(SDLK_RETURN), frames(1);
  using E = GameEvent;
  EXPECT_EQ(heard,
            (std::vector<E>{E::LANDED, E::JUMPED, E::WALL_JUMPED, E::LANDED, E::HURT, E::HURT,
                            E::HURT, E::HURT, E::DIED, E::MENU_MOVED, E::MENU_CHOSEN}));
}

} // namespace
