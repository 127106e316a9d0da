// Edit-mode scenarios: selecting, dragging, resizing and scrolling through
// the frame loop's dispatch, on levels written to a temporary folder.

#include "WorldScenario.h"

#include "objects/Monster.h"
#include "objects/Platform.h"
#include "support/Table.h"

#include <memory>
#include <string>
#include <vector>

namespace {

const Rgb BLACK = rgb(0, 0, 0);
// The edit view's clear colour, 0.2 of full intensity.
const Rgb EDIT_GREY = rgb(51, 51, 51);

std::string plainPlatform(int x, int y, int w, int h) {
  return levelfile::platform(x, y, w, h, Platform::PLAIN);
}

class EditMode : public WorldScenario {
protected:
  // Three platforms, A (100, 100), B (300, 100) and C (100, 300), each 50 x
  // 30, then the spawn point in a corner.
  void SetUp() override {
    WorldScenario::SetUp();
    start();
  }
  void start() {
    startOn("edit.data", {plainPlatform(100, 100, 50, 30), plainPlatform(300, 100, 50, 30),
                          plainPlatform(100, 300, 50, 30), levelfile::spawn(20, 440)});
    tap(SDLK_e);
  }

  std::vector<bool> selection() {
    std::vector<bool> s;
    for (const auto& o : world->getLevel().getObjects()) {
      s.push_back(o->isSelected());
    }
    return s;
  }
};

// The probe for a pointer at (15, 25) in the window.
TEST_F(EditMode, TheMouseSectorIsCentredOnThePointerInWholeLevelPixels) {
  moveMouse(15, 25);
  world->setOffset(100.7, -50.2);
  EXPECT_EQ(world->getMouseSector(10).pos, Point2D(110, -30)) << "truncated toward zero";
  world->setOffset(0, 0);
  EXPECT_EQ(world->getMouseSector(5).pos, Point2D(13, 23)) << "an odd size halves down";
  EXPECT_EQ(world->getMouseSector(5).size, Point2D(5, 5));
  world->setOffset(3e9, 0);
  EXPECT_EQ(world->getMouseSector(10).pos.x, 2147483647.0) << "held at the int range";
}

// 13 becomes 10 and -3 becomes -10.
TEST_F(EditMode, AClickWithoutMovingPutsTheCornerOnTheGridBelow) {
  object(0).setPos(13, -3);
  pointAt(30, 5);
  mouseDown(1);
  EXPECT_EQ(world->getDragMode(), World::DRAG_MOVE);
  EXPECT_EQ(world->getDragIndex(), 0);
  frame(16);
  mouseUp(1);
  EXPECT_EQ(world->getDragMode(), World::DRAG_NONE);
  EXPECT_EQ(object(0).pos, Point2D(10, -10));
  EXPECT_EQ(object(0).size, Point2D(50, 30));
  EXPECT_TRUE(object(0).isSelected());
}

// The corner click resizes: the size follows the pointer on the grid and
// never goes below 10 x 10.
TEST_F(EditMode, DraggingTheHandleResizesOnTheGridToAtLeastTenByTen) {
  const struct {
    const char* name;
    int toX, toY;
    Point2D size;
  } rows[] = {{"GrowsOnTheGrid", 183, 167, {80, 60}},
              {"PastTheTopLeft", 40, 20, {10, 10}},
              {"JustRightOfTheCorner", 119, 128, {10, 20}}};
  for (const auto& row : rows) {
    object(0).size.set(50, 30);
    pointAt(150, 130);
    mouseDown(1);
    EXPECT_EQ(world->getDragMode(), World::DRAG_RESIZE) << row.name;
    pointAt(row.toX, row.toY);
    frame(16);
    mouseUp(1);
    EXPECT_EQ(object(0).pos, Point2D(100, 100)) << row.name;
    EXPECT_EQ(object(0).size, row.size) << row.name;
  }
}

// A's body and the handle of D, an object added at (40, 60) 50 x 40, lie
// under the pointer together; C is selected before the click. The handle
// wins; whether each grab starts a new selection depends on the selection
// from before the click: a plain click selects the body's object and then,
// unless the handle's object was selected already, deselects it again.
TEST_F(EditMode, OnABodyAndAHandleTheHandleWinsAndTheSelectionFollowsTheRules) {
  const struct {
    const char* name;
    bool shift, aBefore, dBefore, aAfter, dAfter, cAfter;
  } rows[] = {{"PlainClickKeepsOnlyTheHandlesObject", false, false, false, false, true, false},
              {"PlainClickHandleSelectedKeepsBoth", false, false, true, true, true, false},
              {"PlainClickBothSelectedKeepsAll", false, true, true, true, true, true},
              {"ShiftClickSelectsBoth", true, false, false, true, true, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    start();
    world->getLevel().addObject(std::make_unique<Platform>(40, 60, 50, 40, Platform::PLAIN));
    object(0).setSelected(row.aBefore);
    object(4).setSelected(row.dBefore);
    object(2).setSelected(true);
    pointAt(98, 103);
    if (row.shift) {
      press(SDLK_LSHIFT, KMOD_LSHIFT);
    }
    mouseDown(1);
    release(SDLK_LSHIFT);
    EXPECT_EQ(world->getDragMode(), World::DRAG_RESIZE);
    EXPECT_EQ(world->getDragIndex(), 4);
    EXPECT_EQ(selection(), (std::vector<bool>{row.aAfter, false, row.cAfter, false, row.dAfter}));
  }
}

// Either Shift adds; a plain click on a selected object moves only it and
// keeps the selection; one on another object starts a new selection.
TEST_F(EditMode, ShiftAddsAndAPlainClickOnASelectedObjectKeepsTheSelection) {
  pointAt(110, 110);
  click(1);
  for (const SDLKey shift : {SDLK_LSHIFT, SDLK_RSHIFT}) {
    pointAt(shift == SDLK_LSHIFT ? 310 : 110, shift == SDLK_LSHIFT ? 110 : 310);
    press(shift, shift == SDLK_LSHIFT ? KMOD_LSHIFT : KMOD_RSHIFT);
    click(1);
    release(shift);
  }
  EXPECT_EQ(selection(), (std::vector<bool>{true, true, true, false}));

  // Grabbed 20 right of and 10 below the corner: (147, 150) snaps down.
  pointAt(120, 110);
  mouseDown(1);
  pointAt(167, 160);
  frame(16);
  mouseUp(1);
  EXPECT_EQ(selection(), (std::vector<bool>{true, true, true, false}));
  EXPECT_EQ(object(0).pos, Point2D(140, 150));
  EXPECT_EQ(object(1).pos, Point2D(300, 100));

  object(2).setSelected(false);
  pointAt(110, 310);
  click(1);
  EXPECT_EQ(selection(), (std::vector<bool>{false, false, true, false}));
}

// The second probe (150, 140)-(160, 150) only shares edges with A and its
// handle.
TEST_F(EditMode, AClickOnNothingOrOnlyOnEdgesDeselectsAll) {
  for (const Point2D at : {Point2D(500, 250), Point2D(155, 145)}) {
    object(0).setSelected(true);
    object(2).setSelected(true);
    pointAt(at.x, at.y);
    mouseDown(1);
    EXPECT_EQ(selection(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(world->getDragMode(), World::DRAG_NONE);
    mouseUp(1);
  }
}

// A pixel a millisecond; a dragged object stays under the pointer while the
// view moves, and opposite keys cancel.
TEST_F(EditMode, ScrollingMovesTheViewAndTheDraggedObject) {
  pointAt(120, 110);
  mouseDown(1);
  const std::pair<std::vector<SDLKey>, Point2D> steps[] = {{{SDLK_d, SDLK_s}, {100, 100}},
                                                           {{SDLK_a, SDLK_w}, {0, 0}},
                                                           {{SDLK_a, SDLK_d, SDLK_w}, {0, -100}}};
  for (const auto& [keys, offset] : steps) {
    for (const SDLKey key : keys) {
      press(key);
    }
    frame(100);
    for (const SDLKey key : keys) {
      release(key);
    }
    EXPECT_EQ(world->getOffset(), offset);
    EXPECT_EQ(object(0).pos, Point2D(100, 100) + offset);
  }
}

TEST_F(EditMode, RightClickAddsAClimbablePlatformExactlyAtThePointer) {
  object(0).setSelected(true);
  world->setOffset(33.5, 7);
  moveMouse(101, 57);
  ::testing::internal::CaptureStdout();
  mouseDown(3);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << "no firing in edit mode";
  ASSERT_EQ(objectCount(), 5u);
  const auto* added = dynamic_cast<const Platform*>(&object(4));
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->pos, Point2D(134.5, 64));
  EXPECT_EQ(added->size, Point2D(100, 20));
  EXPECT_EQ(added->getPlatformType(), Platform::CLIMBABLE);
  EXPECT_FALSE(added->isSelected());
  EXPECT_TRUE(object(0).isSelected());
  EXPECT_EQ(world->getDragMode(), World::DRAG_NONE);
  mouseUp(3);
  EXPECT_TRUE(world->getProjectiles().empty());
}

// A lone platform, a stack of two, and a monster killed during play; play
// starts at the pointer, the character lifted in five-pixel steps until
// its box is clear, with the monster revived and the camera where it was.
TEST_F(EditMode, LeavingStartsPlayAtThePointerClearOfEveryObject) {
  const struct {
    const char* name;
    Point2D pointer, start;
  } rows[] = {{"InEmptySpace", {450, 100}, {450, 100}},
              {"InsideAPlatform", {150, 312}, {150, 287}},
              {"UnderAStackOfTwo", {450, 312}, {450, 257}}};
  for (const auto& row : rows) {
    startOn("leave.data", {plainPlatform(100, 300, 200, 40), plainPlatform(400, 300, 200, 40),
                           plainPlatform(400, 270, 200, 20), levelfile::monster(0, 0),
                           levelfile::spawn(600, 20)});
    auto& monster = dynamic_cast<Monster&>(object(3));
    monster.setCurrentHp(-10);
    monster.setActive(false);
    hero().setCurrentHp(20);
    hero().velocity.set(30, 40);
    tap(SDLK_e);
    world->setOffset(50, 20);
    pointAt(row.pointer.x, row.pointer.y);
    tap(SDLK_e);
    EXPECT_EQ(hero().position, row.start) << row.name;
    EXPECT_EQ(hero().velocity, Point2D(0, 0));
    EXPECT_EQ(hero().getCurrentHp(), hero().getMaxHp());
    EXPECT_TRUE(monster.isActive());
    EXPECT_EQ(world->getOffset(), Point2D(50, 20));
  }
}

TEST_F(EditMode, OnlyTheLeftButtonUpEndsADragInPlayModeToo) {
  pointAt(120, 110);
  mouseDown(1);
  tap(SDLK_e);
  mouseUp(3);
  EXPECT_EQ(world->getDragMode(), World::DRAG_MOVE);
  mouseUp(1);
  EXPECT_EQ(world->getDragMode(), World::DRAG_NONE);
}

// A cut or delete under the held button leaves the drag's index on another
// object or past the end of the list: the drag ends, nothing else moves.
TEST_F(EditMode, ADragEndsWhenTheListChangesUnderIt) {
  const struct {
    const char* name;
    int grabbed; // 3, the spawn point, is the last object
    SDLKey key;
  } rows[] = {{"CutLeavesTheIndexOnAnotherObject", 1, SDLK_x},
              {"DeleteLeavesTheIndexOnAnotherObject", 1, SDLK_BACKSPACE},
              {"CutLeavesTheIndexPastTheEnd", 3, SDLK_x}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    start();
    pointAt(object(row.grabbed).getX() + 10, object(row.grabbed).getY() + 10);
    mouseDown(1);
    tap(row.key);
    ASSERT_EQ(objectCount(), 3u);
    std::vector<Point2D> before;
    for (const auto& o : world->getLevel().getObjects()) {
      before.push_back(o->pos);
    }
    pointAt(500, 400);
    frame(16);
    EXPECT_EQ(world->getDragMode(), World::DRAG_NONE);
    for (std::size_t i = 0; i < objectCount(); ++i) {
      EXPECT_EQ(object(i).pos, before[i]) << "object " << i;
    }
  }
}

// Under the level texture's grey the handle and the outline keep only their
// own hue.
TEST_F(EditMode, TheEditViewShowsTheSelectedHandleAndTheSpawnPointOnGrey) {
  pointAt(110, 110);
  click(1);
  drawFrame();
  const auto green = [](Rgb c) { return c.r == 0 && c.b == 0 && c.g > 150; };
  EXPECT_TRUE(green(pixel(150, 130)));
  EXPECT_TRUE(green(pixel(159, 139)));
  const Rgb outline = pixel(20, 455);
  EXPECT_TRUE(outline.r == 0 && outline.g == 0 && outline.b > 150) << "spawn point outline";
  expectPixels({{"right of the handle", 160, 135, EDIT_GREY},
                {"below the handle", 155, 140, EDIT_GREY},
                {"inside the spawn point", 25, 455, EDIT_GREY}});
  tap(SDLK_e);
  drawFrame();
  expectPixels({{"play clears black", 500, 250, BLACK},
                {"no handle in play", 150, 130, BLACK},
                {"no spawn point in play", 20, 455, BLACK}});
}

} // namespace
