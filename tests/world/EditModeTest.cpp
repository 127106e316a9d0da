// Edit-mode scenarios: selecting, dragging, resizing and scrolling through
// the frame loop's dispatch, on levels written to a temporary folder.

#include "WorldScenario.h"

#include "objects/Monster.h"
#include "objects/Platform.h"
#include "support/Table.h"

#include <memory>
#include <string>
#include <utility>
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
    startOn("edit.data", {plainPlatform(100, 100, 50, 30), plainPlatform(300, 100, 50, 30),
                          plainPlatform(100, 300, 50, 30), levelfile::spawn(20, 440)});
    tap(SDLK_e);
    ASSERT_TRUE(world->isEditMode());
  }

  std::vector<bool> selection() {
    std::vector<bool> s;
    for (const auto& o : world->getLevel().objects) {
      s.push_back(o->isSelected());
    }
    return s;
  }
};

// The probe for a pointer at (15, 25) in the window.
TEST_F(EditMode, TheMouseSectorIsCentredOnThePointerInWholeLevelPixels) {
  moveMouse(15, 25);
  world->setOffset(100.7, 0.9);
  EXPECT_EQ(world->getMouseSector(10).pos, Point2D(110, 20)) << "fractions truncate";
  world->setOffset(0, -50.2);
  EXPECT_EQ(world->getMouseSector(10).pos, Point2D(10, -30)) << "toward zero";
  world->setOffset(0, 0);
  EXPECT_EQ(world->getMouseSector(5).pos, Point2D(13, 23)) << "an odd size halves down";
  EXPECT_EQ(world->getMouseSector(5).size, Point2D(5, 5));
  world->setOffset(3e9, 0);
  EXPECT_EQ(world->getMouseSector(10).pos.x, 2147483647.0) << "held at the int range";
}

// 13 becomes 10 and -3 becomes -10.
TEST_F(EditMode, AClickWithoutMovingPutsTheCornerOnTheGridBelow) {
  const std::pair<Point2D, Point2D> cases[] = {{{13, 47}, {10, 40}}, {{43, -3}, {40, -10}}};
  for (const auto& [at, snapped] : cases) {
    object(0).setPos(at.x, at.y);
    pointAt(at.x + 17, at.y + 8);
    mouseDown(1);
    EXPECT_EQ(world->getDragMode(), World::DRAG_MOVE);
    EXPECT_EQ(world->getDragIndex(), 0);
    frame(16);
    mouseUp(1);
    EXPECT_EQ(world->getDragMode(), World::DRAG_NONE);
    EXPECT_EQ(object(0).pos, snapped);
    EXPECT_EQ(object(0).size, Point2D(50, 30));
    EXPECT_TRUE(object(0).isSelected());
  }
}

struct ResizeRow {
  std::string name;
  int toX, toY;
  Point2D size;
};

class ResizeLimits : public EditMode, public ::testing::WithParamInterface<ResizeRow> {};

TEST_P(ResizeLimits, SizeFollowsThePointerOnTheGridAndNeverGoesBelowTen) {
  pointAt(150, 130);
  mouseDown(1);
  EXPECT_EQ(world->getDragMode(), World::DRAG_RESIZE);
  pointAt(GetParam().toX, GetParam().toY);
  frame(16);
  mouseUp(1);
  EXPECT_EQ(object(0).pos, Point2D(100, 100));
  EXPECT_EQ(object(0).size, GetParam().size);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(EditMode, ResizeLimits, ::testing::Values(
    ResizeRow{"GrowsOnTheGrid", 183, 167, {80, 60}},
    ResizeRow{"PastTheTopLeft", 40, 20, {10, 10}},
    ResizeRow{"PastTheLeftOnly", 40, 175, {10, 70}},
    ResizeRow{"PastTheTopOnly", 195, 20, {90, 10}},
    ResizeRow{"JustRightOfTheCorner", 119, 128, {10, 20}}),
    RowName{});
// clang-format on

// A's body and the handle of D, an object added at (40, 60) 50 x 40, lie
// under the pointer together; C is selected before the click.
struct BodyAndHandleRow {
  std::string name;
  bool shift, aBefore, dBefore, aAfter, dAfter, cAfter;
};

class BodyAndHandle : public EditMode, public ::testing::WithParamInterface<BodyAndHandleRow> {};

TEST_P(BodyAndHandle, TheHandleWinsAndTheSelectionFollowsTheRules) {
  const BodyAndHandleRow& row = GetParam();
  world->getLevel().addObject(std::make_unique<Platform>(40, 60, 50, 40, Platform::PLAIN));
  object(0).setSelected(row.aBefore);
  object(4).setSelected(row.dBefore);
  object(2).setSelected(true);
  pointAt(98, 103);
  if (row.shift) {
    press(SDLK_LSHIFT, KMOD_LSHIFT);
  }
  mouseDown(1);
  EXPECT_EQ(world->getDragMode(), World::DRAG_RESIZE);
  EXPECT_EQ(world->getDragIndex(), 4);
  EXPECT_EQ(selection(), (std::vector<bool>{row.aAfter, false, row.cAfter, false, row.dAfter}));
}

// Whether each grab starts a new selection depends on the selection from
// before the click: a plain click selects the body's object and then, unless
// the handle's object was selected already, deselects it again.
// clang-format off
INSTANTIATE_TEST_SUITE_P(EditMode, BodyAndHandle, ::testing::Values(
    BodyAndHandleRow{"PlainClickKeepsOnlyTheHandlesObject", false, false, false, false, true, false},
    BodyAndHandleRow{"PlainClickHandleSelectedKeepsBoth", false, false, true, true, true, false},
    BodyAndHandleRow{"PlainClickBothSelectedKeepsAll", false, true, true, true, true, true},
    BodyAndHandleRow{"ShiftClickSelectsBoth", true, false, false, true, true, true}),
    RowName{});
// clang-format on

TEST_F(EditMode, EitherShiftAddsAClickedObjectToTheSelection) {
  pointAt(110, 110);
  click(1);
  pointAt(310, 110);
  press(SDLK_LSHIFT, KMOD_LSHIFT);
  click(1);
  release(SDLK_LSHIFT);
  pointAt(110, 310);
  press(SDLK_RSHIFT, KMOD_RSHIFT);
  click(1);
  release(SDLK_RSHIFT);
  EXPECT_EQ(selection(), (std::vector<bool>{true, true, true, false}));
}

TEST_F(EditMode, APlainClickOnASelectedObjectMovesOnlyItAndKeepsTheSelection) {
  object(0).setSelected(true);
  object(1).setSelected(true);
  // Grabbed 20 right of and 10 below the corner: (147, 150) snaps down.
  pointAt(120, 110);
  mouseDown(1);
  pointAt(167, 160);
  frame(16);
  EXPECT_EQ(object(0).pos, Point2D(140, 150));
  mouseUp(1);
  pointAt(300, 300);
  frame(16);
  EXPECT_EQ(selection(), (std::vector<bool>{true, true, false, false}));
  EXPECT_EQ(object(0).pos, Point2D(140, 150));
  EXPECT_EQ(object(1).pos, Point2D(300, 100));

  pointAt(110, 310);
  click(1);
  EXPECT_EQ(selection(), (std::vector<bool>{false, false, true, false})) << "a new selection";
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

struct ScrollRow {
  std::string name;
  SDLKey key;
  Point2D by;
};

class Scrolling : public EditMode, public ::testing::WithParamInterface<ScrollRow> {};

// One pixel a millisecond.
TEST_P(Scrolling, ADraggedObjectStaysUnderThePointerWhileTheViewMoves) {
  pointAt(120, 110);
  mouseDown(1);
  press(GetParam().key);
  frame(100);
  release(GetParam().key);
  EXPECT_EQ(world->getOffset(), GetParam().by);
  EXPECT_EQ(object(0).pos, Point2D(100, 100) + GetParam().by);
  frame(16);
  EXPECT_EQ(world->getOffset(), GetParam().by);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(EditMode, Scrolling, ::testing::Values(
    ScrollRow{"Right", SDLK_d, {100, 0}}, ScrollRow{"Left", SDLK_a, {-100, 0}},
    ScrollRow{"Down", SDLK_s, {0, 100}}, ScrollRow{"Up", SDLK_w, {0, -100}}),
    RowName{});
// clang-format on

TEST_F(EditMode, OppositeScrollKeysCancel) {
  press(SDLK_a);
  press(SDLK_d);
  press(SDLK_w);
  frame(16);
  EXPECT_EQ(world->getOffset(), Point2D(0, -16));
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
  frame(16);
  EXPECT_EQ(added->pos, Point2D(134.5, 64));
  EXPECT_TRUE(world->getProjectiles().empty());
}

struct LeaveRow {
  std::string name;
  Point2D pointer, start;
};

class LeavingEditMode : public WorldScenario, public ::testing::WithParamInterface<LeaveRow> {};

// A lone platform, a stack of two, and a monster killed during play; the
// character is lifted in five-pixel steps until its box is clear.
TEST_P(LeavingEditMode, StartsPlayAtThePointerClearOfEveryObject) {
  startOn("leave.data",
          {plainPlatform(100, 300, 200, 40), plainPlatform(400, 300, 200, 40),
           plainPlatform(400, 270, 200, 20), levelfile::monster(0, 0), levelfile::spawn(600, 20)});
  auto& monster = dynamic_cast<Monster&>(object(3));
  monster.setCurrentHp(-10);
  monster.setActive(false);
  hero().setCurrentHp(20);
  hero().velocity.set(30, 40);
  tap(SDLK_e);
  world->setOffset(50, 20);
  pointAt(GetParam().pointer.x, GetParam().pointer.y);
  tap(SDLK_e);
  ASSERT_FALSE(world->isEditMode());
  EXPECT_EQ(hero().position, GetParam().start);
  EXPECT_EQ(hero().velocity, Point2D(0, 0));
  EXPECT_EQ(hero().getCurrentHp(), hero().getMaxHp());
  EXPECT_TRUE(hero().isPose(Character::FALLING));
  EXPECT_TRUE(monster.isActive());
  EXPECT_EQ(world->getOffset(), Point2D(50, 20));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(WorldScenario, LeavingEditMode, ::testing::Values(
    LeaveRow{"InEmptySpace", {450, 100}, {450, 100}},
    LeaveRow{"InsideAPlatform", {150, 312}, {150, 287}},
    LeaveRow{"InsideAPlatformOnTheStep", {150, 310}, {150, 290}},
    LeaveRow{"UnderAStackOfTwo", {450, 312}, {450, 257}}),
    RowName{});
// clang-format on

TEST_F(EditMode, OnlyTheLeftButtonUpEndsADragInPlayModeToo) {
  pointAt(120, 110);
  mouseDown(1);
  tap(SDLK_e);
  ASSERT_FALSE(world->isEditMode());
  mouseUp(3);
  EXPECT_EQ(world->getDragMode(), World::DRAG_MOVE);
  mouseUp(1);
  EXPECT_EQ(world->getDragMode(), World::DRAG_NONE);
}

struct ListChangeRow {
  std::string name;
  int grabbed; // 3, the spawn point, is the last object
  SDLKey key;
};

class ListChangesWhileDragging : public EditMode,
                                 public ::testing::WithParamInterface<ListChangeRow> {};

TEST_P(ListChangesWhileDragging, TheDragEndsAndNoOtherObjectMoves) {
  const GameObject& grabbed = object(GetParam().grabbed);
  pointAt(grabbed.getX() + 10, grabbed.getY() + 10);
  mouseDown(1);
  ASSERT_EQ(world->getDragIndex(), GetParam().grabbed);
  tap(GetParam().key);
  ASSERT_EQ(objectCount(), 3u);
  std::vector<Point2D> before;
  for (const auto& o : world->getLevel().objects) {
    before.push_back(o->pos);
  }
  pointAt(500, 400);
  frame(16);
  EXPECT_EQ(world->getDragMode(), World::DRAG_NONE);
  for (std::size_t i = 0; i < objectCount(); ++i) {
    EXPECT_EQ(object(i).pos, before[i]) << "object " << i;
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(EditMode, ListChangesWhileDragging, ::testing::Values(
    ListChangeRow{"CutLeavesTheIndexOnAnotherObject", 1, SDLK_x},
    ListChangeRow{"DeleteLeavesTheIndexOnAnotherObject", 1, SDLK_BACKSPACE},
    ListChangeRow{"CutLeavesTheIndexPastTheEnd", 3, SDLK_x}),
    RowName{});
// clang-format on

// Under the level texture's grey the handle and the outline keep only their
// own hue.
TEST_F(EditMode, TheEditViewShowsTheSelectedHandleAndTheSpawnPointOnGrey) {
  pointAt(110, 110);
  click(1);
  drawFrame();
  const auto green = [](Rgb c) { return c.r == 0 && c.b == 0 && c.g > 150; };
  const auto blue = [](Rgb c) { return c.r == 0 && c.g == 0 && c.b > 150; };
  EXPECT_TRUE(green(pixel(150, 130)));
  EXPECT_TRUE(green(pixel(159, 139)));
  EXPECT_TRUE(blue(pixel(20, 455))) << "spawn point outline";
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
