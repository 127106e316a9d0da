// The editor keeps the user's work: every edit undoes and redoes exactly,
// the caption tells when the level differs from its file, and the pointer
// edits on the 10-pixel grid.

#include "WorldScenario.h"

#include <functional>

namespace {

const SDLMod CTRL = KMOD_LCTRL;

// Platforms A (100, 100) and B (300, 100), 50 x 30, a monster at (100, 300).
class Editor : public WorldScenario {
protected:
  void SetUp() override {
    startOn("edit.data", "1 10 10 5 3 2\n1 30 10 5 3 1\n4 10 30 2 2\n2 2 44 2 2\n"), type("e");
  }
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
    ASSERT_NE(after, before) << name;
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
}

// Ctrl+S must not also hold s, which would scroll the view down.
TEST_F(Editor, ADragBackIsNoStepANewEditDropsRedoAndTwoHundredStepsUndo) {
  point(110, 110), button(SDL_MOUSEBUTTONDOWN, 1), point(300, 300), frames(1);
  point(110, 110), frames(1), button(SDL_MOUSEBUTTONUP, 1), tap(SDLK_z, CTRL);
  EXPECT_EQ(status(), "Clamber - edit | Nothing to undo");
  tap(SDLK_UP), tap(SDLK_z, CTRL), click(1), tap(SDLK_DOWN), tap(SDLK_y, CTRL);
  EXPECT_EQ(status(), "Clamber - edit * | Nothing to redo");
  const std::string start = list();
  for (int i = 0; i < 400; ++i) {
    i < 200 ? tap(SDLK_RIGHT) : tap(SDLK_z, CTRL);
  }
  EXPECT_EQ(list(), start);
  press(SDLK_s, CTRL), frames(10);
  EXPECT_EQ(status(), "Clamber - edit | Saved as edit.data!");
  EXPECT_EQ(world->getOffset().y, 0);
}

// A is grabbed 5 pixels inside its corner, or on its resize handle 5 past
// it; the corner goes to the grid below the pointer less 5.
TEST_F(Editor, DragsAndResizesLandOnTheGrid) {
  const std::tuple<Point2D, Point2D, Point2D, Point2D> rows[] = {
      {{105, 105}, {147, 168}, {140, 160}, {50, 30}},
      {{195, 195}, {288, 257}, {140, 160}, {140, 90}},
      {{285, 255}, {60, 40}, {140, 160}, {10, 10}},
      {{145, 165}, {2, 3}, {-10, -10}, {10, 10}}};
  for (const auto& [from, to, pos, size] : rows) {
    drag(from.x, from.y, to.x, to.y);
    EXPECT_EQ(std::pair(object(0).pos, object(0).size), std::pair(pos, size)) << to.x;
  }
}

// A and B are cut from under the held button, and pasted as they lay, 200
// apart: the drag's place in the list holds the monster now, which stays.
TEST_F(Editor, ShiftAddsToTheSelectionPasteLandsOnTheGridAndTheDragEnds) {
  point(110, 110), click(1), point(310, 110), press(SDLK_LSHIFT, KMOD_LSHIFT), click(1);
  point(110, 110), button(SDL_MOUSEBUTTONDOWN, 1), type("x"), point(237, 163), type("v");
  point(400, 400), frames(1);
  EXPECT_EQ(list(), "4 10 30 2 2 \n2 2 44 2 2 \n1 23 16 5 3 2 \n1 43 16 5 3 1 \n");
}

} // namespace
