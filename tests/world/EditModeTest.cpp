// Edit-mode scenarios: selecting, dragging, resizing and scrolling through
// the frame loop's dispatch, on levels written to a temporary folder.

#include "WorldScenario.h"

#include "actors/Character.h"
#include "actors/RectangularSector.h"
#include "objects/GameObject.h"
#include "objects/Level.h"
#include "objects/Monster.h"
#include "objects/Platform.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

const Rgb BLACK = rgb(0, 0, 0);
// The edit view's clear colour, 0.2 of full intensity.
const Rgb EDIT_GREY = rgb(51, 51, 51);

// A pure hue under the level texture's grey modulation.
bool onlyGreen(const Rgb& c) {
  return c.r == 0 && c.b == 0 && c.g > 150;
}
bool onlyBlue(const Rgb& c) {
  return c.r == 0 && c.g == 0 && c.b > 150;
}

std::string tenths(int v) {
  return std::to_string(v / 10);
}
std::string rectFields(int x, int y, int w, int h) {
  return tenths(x) + " " + tenths(y) + " " + tenths(w) + " " + tenths(h) + " ";
}
std::string platformLine(int x, int y, int w, int h) {
  return "1 " + rectFields(x, y, w, h) + std::to_string(static_cast<int>(Platform::PLAIN)) + " ";
}
std::string spawnLine(int x, int y) {
  return "2 " + rectFields(x, y, 20, 20);
}
std::string monsterLine(int x, int y, int w, int h) {
  return "4 " + rectFields(x, y, w, h);
}

} // namespace

// Parameter rows print as their names in test output.
template <typename Row>
requires requires(const Row& r) {
  r.name;
}
static void PrintTo(const Row& row, std::ostream* os) {
  *os << row.name;
}

class EditMode : public WorldScenario {
protected:
  // Three platforms, A, B and C, then the spawn point in a corner.
  void SetUp() override {
    WorldScenario::SetUp();
    startOn("edit.data", {platformLine(100, 100, 50, 30), platformLine(300, 100, 50, 30),
                          platformLine(100, 300, 50, 30), spawnLine(20, 440)});
    makeWorld();
    tap(SDLK_e);
    ASSERT_TRUE(world->isEditMode());
  }

  GameObject& object(int i) { return *world->getLevel().objects.at(i); }
  std::vector<bool> selection() {
    std::vector<bool> s;
    for (const auto& o : world->getLevel().objects) {
      s.push_back(o->isSelected());
    }
    return s;
  }
  int count() const { return static_cast<int>(world->getLevel().objects.size()); }

  // Moves the pointer to a world position with the view where it is.
  void pointAt(double worldX, double worldY) {
    const Point2D& offset = world->getOffset();
    moveMouse(static_cast<int>(worldX - offset.x), static_cast<int>(worldY - offset.y));
  }
  void shiftClick(SDLKey shift, SDLMod mod) {
    press(shift, mod);
    click(1);
    release(shift);
  }
};

// ---- The probe ------------------------------------------------------------------

struct ProbeCase {
  const char* name;
  int mouseX, mouseY;
  double offsetX, offsetY;
  int size;
  RectangularSector expected;
};

class MouseSector : public EditMode, public ::testing::WithParamInterface<ProbeCase> {};

TEST_P(MouseSector, IsCentredOnThePointerInWholeWorldPixels) {
  const ProbeCase& c = GetParam();
  world->setOffset(c.offsetX, c.offsetY);
  moveMouse(c.mouseX, c.mouseY);
  const RectangularSector probe = world->getMouseSector(c.size);
  EXPECT_EQ(probe.pos, c.expected.pos);
  EXPECT_EQ(probe.size, c.expected.size);
}

INSTANTIATE_TEST_SUITE_P(EditMode, MouseSector,
                         ::testing::Values(ProbeCase{"NoView", 15, 25, 0, 0, 10,
                                                     RectangularSector(10, 20, 10, 10)},
                                           ProbeCase{"FractionalViewTruncates", 15, 25, 100.7, 0.9,
                                                     10, RectangularSector(110, 20, 10, 10)},
                                           ProbeCase{"NegativeTruncatesTowardZero", 15, 25, 0,
                                                     -50.2, 10, RectangularSector(10, -30, 10, 10)},
                                           ProbeCase{"OddSizeHalvesDown", 15, 25, 0, 0, 5,
                                                     RectangularSector(13, 23, 5, 5)}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Moving --------------------------------------------------------------------

struct SnapCase {
  const char* name;
  double x, y;
  double snappedX, snappedY;
};

class ClickSnaps : public EditMode, public ::testing::WithParamInterface<SnapCase> {};

TEST_P(ClickSnaps, AClickWithoutMovingPutsTheCornerOnTheGrid) {
  const SnapCase& c = GetParam();
  object(0).setPos(c.x, c.y);
  pointAt(c.x + 17, c.y + 8);
  mouseDown(1);
  EXPECT_EQ(world->getDragMode(), World::DRAG_MOVE);
  EXPECT_EQ(world->getDragIndex(), 0);
  frame(16);
  mouseUp(1);
  EXPECT_EQ(world->getDragMode(), World::DRAG_NONE);
  EXPECT_EQ(object(0).getX(), c.snappedX);
  EXPECT_EQ(object(0).getY(), c.snappedY);
  EXPECT_EQ(object(0).getWidth(), 50);
  EXPECT_EQ(object(0).getHeight(), 30);
  EXPECT_TRUE(object(0).isSelected());
}

INSTANTIATE_TEST_SUITE_P(EditMode, ClickSnaps,
                         ::testing::Values(SnapCase{"ThirteenBecomesTen", 13, 47, 10, 40},
                                           SnapCase{"MinusThreeBecomesMinusTen", 43, -3, 40, -10},
                                           SnapCase{"OnTheGridStays", 20, 30, 20, 30}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditMode, DraggingMovesTheGrabbedCornerOnTheGridEveryFrame) {
  pointAt(120, 110);
  mouseDown(1);
  pointAt(187, 249);
  frame(16);
  // Grabbed 20 right of and 10 below the corner: (167, 239) snaps down.
  EXPECT_EQ(object(0).pos, Point2D(160, 230));
  pointAt(121, 112);
  frame(16);
  EXPECT_EQ(object(0).pos, Point2D(100, 100));
  mouseUp(1);
  pointAt(300, 300);
  frame(16);
  EXPECT_EQ(object(0).pos, Point2D(100, 100));
}

// ---- Resizing -------------------------------------------------------------------

TEST_F(EditMode, AClickOnTheBottomRightCornerResizes) {
  pointAt(150, 130);
  mouseDown(1);
  EXPECT_EQ(world->getDragMode(), World::DRAG_RESIZE);
  EXPECT_EQ(world->getDragIndex(), 0);
  pointAt(183, 167);
  frame(16);
  EXPECT_EQ(object(0).pos, Point2D(100, 100));
  EXPECT_EQ(object(0).size, Point2D(80, 60));
  mouseUp(1);
}

TEST_F(EditMode, TheHandleOfAnUnselectedObjectCanBeGrabbed) {
  ASSERT_FALSE(object(1).isSelected());
  // Just outside the object, on its handle only.
  pointAt(358, 138);
  mouseDown(1);
  EXPECT_EQ(world->getDragMode(), World::DRAG_RESIZE);
  EXPECT_EQ(world->getDragIndex(), 1);
  EXPECT_TRUE(object(1).isSelected());
  mouseUp(1);
}

struct ResizeCase {
  const char* name;
  int toX, toY;
  Point2D size;
};

class ResizeLimits : public EditMode, public ::testing::WithParamInterface<ResizeCase> {};

TEST_P(ResizeLimits, SizeFollowsThePointerOnTheGridAndNeverGoesBelowTen) {
  pointAt(150, 130);
  mouseDown(1);
  pointAt(GetParam().toX, GetParam().toY);
  frame(16);
  mouseUp(1);
  EXPECT_EQ(object(0).pos, Point2D(100, 100));
  EXPECT_EQ(object(0).size, GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(
    EditMode, ResizeLimits,
    ::testing::Values(ResizeCase{"PastTheTopLeft", 40, 20, Point2D(10, 10)},
                      ResizeCase{"PastTheLeftOnly", 40, 175, Point2D(10, 70)},
                      ResizeCase{"PastTheTopOnly", 195, 20, Point2D(90, 10)},
                      ResizeCase{"OntoTheTopLeftCorner", 100, 100, Point2D(10, 10)},
                      ResizeCase{"JustRightOfTheCorner", 119, 128, Point2D(10, 20)}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Selection -------------------------------------------------------------------

// Object A (index 0) is at (100, 100, 50, 30); D is placed so that its handle
// lies under the pointer together with A's body.
struct BodyAndHandleCase {
  const char* name;
  bool shift;
  bool aSelectedBefore;
  bool dSelectedBefore;
  bool aSelectedAfter;
  bool dSelectedAfter;
  bool otherSelectedAfter;
};

class BodyAndHandle : public EditMode, public ::testing::WithParamInterface<BodyAndHandleCase> {};

TEST_P(BodyAndHandle, TheHandleWinsAndTheSelectionFollowsTheRules) {
  const BodyAndHandleCase& c = GetParam();
  world->getLevel().addObject(std::make_unique<Platform>(40, 60, 50, 40, Platform::PLAIN));
  const int d = count() - 1;
  object(0).setSelected(c.aSelectedBefore);
  object(d).setSelected(c.dSelectedBefore);
  object(2).setSelected(true);

  // The probe (93, 98)-(103, 108) meets A's body and D's handle (90, 100).
  pointAt(98, 103);
  if (c.shift) {
    press(SDLK_LSHIFT, KMOD_LSHIFT);
  }
  mouseDown(1);
  EXPECT_EQ(world->getDragMode(), World::DRAG_RESIZE);
  EXPECT_EQ(world->getDragIndex(), d);
  EXPECT_EQ(object(0).isSelected(), c.aSelectedAfter);
  EXPECT_EQ(object(d).isSelected(), c.dSelectedAfter);
  // A selection kept by Shift or by clicking selected objects stays whole.
  EXPECT_EQ(object(2).isSelected(), c.otherSelectedAfter);
  mouseUp(1);
}

// Whether each grab starts a new selection depends on the selection from
// before the click: a plain click selects the body's object and then, unless
// the handle's object was selected already, deselects it again.
INSTANTIATE_TEST_SUITE_P(
    EditMode, BodyAndHandle,
    ::testing::Values(
        BodyAndHandleCase{"PlainClickKeepsOnlyTheHandlesObject", false, false, false, false, true,
                          false},
        BodyAndHandleCase{"PlainClickHandleSelectedBodyNotKeepsBoth", false, false, true, true,
                          true, false},
        BodyAndHandleCase{"PlainClickBothSelectedKeepsAll", false, true, true, true, true, true},
        BodyAndHandleCase{"ShiftClickSelectsBoth", true, false, false, true, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditMode, ShiftAddsAndAPlainClickOnASelectedObjectKeepsTheSelection) {
  pointAt(110, 110);
  click(1);
  EXPECT_EQ(selection(), (std::vector<bool>{true, false, false, false}));

  pointAt(310, 110);
  shiftClick(SDLK_LSHIFT, KMOD_LSHIFT);
  EXPECT_EQ(selection(), (std::vector<bool>{true, true, false, false}));

  pointAt(110, 310);
  shiftClick(SDLK_RSHIFT, KMOD_RSHIFT);
  EXPECT_EQ(selection(), (std::vector<bool>{true, true, true, false}));

  pointAt(120, 110);
  mouseDown(1);
  EXPECT_EQ(selection(), (std::vector<bool>{true, true, true, false}));
  EXPECT_EQ(world->getDragIndex(), 0);
  // Only the grabbed object moves.
  pointAt(140, 140);
  frame(16);
  mouseUp(1);
  EXPECT_EQ(object(0).pos, Point2D(120, 130));
  EXPECT_EQ(object(1).pos, Point2D(300, 100));
}

TEST_F(EditMode, APlainClickOnAnUnselectedObjectStartsANewSelection) {
  object(0).setSelected(true);
  object(1).setSelected(true);
  pointAt(110, 310);
  click(1);
  EXPECT_EQ(selection(), (std::vector<bool>{false, false, true, false}));
}

TEST_F(EditMode, AClickOnNothingDeselectsAllAndLeavesTheDragState) {
  object(0).setSelected(true);
  object(2).setSelected(true);
  pointAt(500, 250);
  mouseDown(1);
  EXPECT_EQ(selection(), (std::vector<bool>{false, false, false, false}));
  EXPECT_EQ(world->getDragMode(), World::DRAG_NONE);
  mouseUp(1);
}

TEST_F(EditMode, TouchingEdgesDoNotCount) {
  // The probe (150, 140)-(160, 150) shares an edge with A and with A's
  // handle, and overlaps neither.
  pointAt(155, 145);
  mouseDown(1);
  EXPECT_EQ(world->getDragMode(), World::DRAG_NONE);
  EXPECT_EQ(selection(), (std::vector<bool>{false, false, false, false}));
  mouseUp(1);
}

// ---- Scrolling -------------------------------------------------------------------

struct ScrollCase {
  const char* name;
  SDLKey key;
  Point2D by;
};

class Scrolling : public EditMode, public ::testing::WithParamInterface<ScrollCase> {};

TEST_P(Scrolling, ADraggedObjectStaysUnderThePointerWhileTheViewMoves) {
  pointAt(120, 110);
  mouseDown(1);
  press(GetParam().key);
  frame(100);
  release(GetParam().key);
  // One pixel a millisecond.
  EXPECT_EQ(world->getOffset(), GetParam().by);
  EXPECT_EQ(object(0).pos, Point2D(100, 100) + GetParam().by);
  frame(16);
  EXPECT_EQ(world->getOffset(), GetParam().by);
  mouseUp(1);
}

INSTANTIATE_TEST_SUITE_P(EditMode, Scrolling,
                         ::testing::Values(ScrollCase{"Right", SDLK_d, Point2D(100, 0)},
                                           ScrollCase{"Left", SDLK_a, Point2D(-100, 0)},
                                           ScrollCase{"Down", SDLK_s, Point2D(0, 100)},
                                           ScrollCase{"Up", SDLK_w, Point2D(0, -100)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditMode, OppositeScrollKeysCancel) {
  press(SDLK_a);
  press(SDLK_d);
  press(SDLK_w);
  frame(16);
  EXPECT_EQ(world->getOffset(), Point2D(0, -16));
}

// ---- Adding a platform -------------------------------------------------------------

TEST_F(EditMode, RightClickAddsAClimbablePlatformExactlyAtThePointer) {
  pointAt(110, 110);
  click(1);
  world->setOffset(33.5, 7);
  const int before = count();
  moveMouse(101, 57);
  mouseDown(3);
  ASSERT_EQ(count(), before + 1);
  const auto* added = dynamic_cast<const Platform*>(&object(before));
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
}

TEST_F(EditMode, MouseButtonsNeverFire) {
  pointAt(500, 250);
  click(1);
  ::testing::internal::CaptureStdout();
  click(3);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_TRUE(world->getProjectiles().empty());
}

// ---- Leaving and entering ------------------------------------------------------------

struct LeaveCase {
  const char* name;
  Point2D pointer;
  Point2D start;
};

class LeavingEditMode : public WorldScenario, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(LeavingEditMode, StartsPlayAtThePointerClearOfEveryObject) {
  // A lone platform, a stack of two, and a monster killed during play.
  startOn("leave.data",
          {platformLine(100, 300, 200, 40), platformLine(400, 300, 200, 40),
           platformLine(400, 270, 200, 20), monsterLine(0, 0, 20, 20), spawnLine(600, 20)});
  makeWorld();
  auto& monster = dynamic_cast<Monster&>(*world->getLevel().objects[3]);
  monster.setCurrentHp(-10);
  monster.setActive(false);
  world->getCharacter().setCurrentHp(20);
  world->getCharacter().velocity.set(30, 40);
  tap(SDLK_e);

  world->setOffset(50, 20);
  moveMouse(static_cast<int>(GetParam().pointer.x - 50),
            static_cast<int>(GetParam().pointer.y - 20));
  tap(SDLK_e);
  ASSERT_FALSE(world->isEditMode());

  const Character& hero = world->getCharacter();
  EXPECT_EQ(hero.position, GetParam().start);
  EXPECT_EQ(hero.velocity, Point2D(0, 0));
  EXPECT_EQ(hero.getCurrentHp(), hero.getMaxHp());
  EXPECT_TRUE(hero.isPose(Character::FALLING));
  EXPECT_TRUE(monster.isActive());
  EXPECT_EQ(monster.getCurrentHp(), monster.getMaxHp());
  EXPECT_EQ(world->getOffset(), Point2D(50, 20));
}

INSTANTIATE_TEST_SUITE_P(
    WorldScenario, LeavingEditMode,
    ::testing::Values(LeaveCase{"InEmptySpace", Point2D(450, 100), Point2D(450, 100)},
                      // Lifted in five-pixel steps until the box's bottom is at or above 300.
                      LeaveCase{"InsideAPlatform", Point2D(150, 312), Point2D(150, 287)},
                      LeaveCase{"InsideAPlatformOnTheStep", Point2D(150, 310), Point2D(150, 290)},
                      LeaveCase{"UnderAStackOfTwo", Point2D(450, 312), Point2D(450, 257)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditMode, EnteringDeselectsLeavingKeepsTheSelection) {
  pointAt(110, 110);
  click(1);
  tap(SDLK_e);
  EXPECT_TRUE(object(0).isSelected());
  tap(SDLK_e);
  EXPECT_FALSE(object(0).isSelected());
}

TEST_F(EditMode, ButtonUpEndsADragInPlayModeToo) {
  pointAt(120, 110);
  mouseDown(1);
  tap(SDLK_e);
  ASSERT_FALSE(world->isEditMode());
  EXPECT_EQ(world->getDragMode(), World::DRAG_MOVE);
  mouseUp(3);
  EXPECT_EQ(world->getDragMode(), World::DRAG_MOVE);
  mouseUp(1);
  EXPECT_EQ(world->getDragMode(), World::DRAG_NONE);
}

// ---- The list changing under a held button ----------------------------------------------

struct ListChangeCase {
  const char* name;
  // Index 3, the spawn point, is the last object.
  int grabbed;
  SDLKey key;
};

class ListChangesWhileDragging : public EditMode,
                                 public ::testing::WithParamInterface<ListChangeCase> {};

TEST_P(ListChangesWhileDragging, TheDragEndsAndNoOtherObjectMoves) {
  const ListChangeCase& c = GetParam();
  const GameObject& grabbed = object(c.grabbed);
  pointAt(grabbed.getX() + 10, grabbed.getY() + 10);
  mouseDown(1);
  ASSERT_EQ(world->getDragMode(), World::DRAG_MOVE);
  ASSERT_EQ(world->getDragIndex(), c.grabbed);

  tap(c.key);
  ASSERT_EQ(count(), 3);
  std::vector<Point2D> before;
  for (const auto& o : world->getLevel().objects) {
    before.push_back(o->pos);
  }
  pointAt(500, 400);
  frame(16);
  EXPECT_EQ(world->getDragMode(), World::DRAG_NONE);
  for (int i = 0; i < count(); ++i) {
    EXPECT_EQ(object(i).pos, before[i]) << "object " << i;
  }
  mouseUp(1);
}

INSTANTIATE_TEST_SUITE_P(
    EditMode, ListChangesWhileDragging,
    ::testing::Values(ListChangeCase{"CutLeavesTheIndexOnAnotherObject", 1, SDLK_x},
                      ListChangeCase{"DeleteLeavesTheIndexOnAnotherObject", 1, SDLK_BACKSPACE},
                      ListChangeCase{"CutLeavesTheIndexPastTheEnd", 3, SDLK_x}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Pixels ------------------------------------------------------------------------------------

TEST_F(EditMode, TheViewClearsGreyInEditAndBlackInPlay) {
  drawFrame();
  EXPECT_EQ(pixel(500, 250), EDIT_GREY);
  tap(SDLK_e);
  drawFrame();
  EXPECT_EQ(pixel(500, 250), BLACK);
}

TEST_F(EditMode, TheEditViewShowsTheSelectedHandleAndTheSpawnPoint) {
  pointAt(110, 110);
  click(1);
  drawFrame();
  // The handle fills (150, 130)-(160, 140).
  EXPECT_TRUE(onlyGreen(pixel(150, 130)));
  EXPECT_TRUE(onlyGreen(pixel(159, 139)));
  EXPECT_EQ(pixel(160, 135), EDIT_GREY);
  EXPECT_EQ(pixel(155, 140), EDIT_GREY);
  // The spawn point's outline at (20, 440)-(40, 460).
  EXPECT_TRUE(onlyBlue(pixel(20, 455)));
  EXPECT_EQ(pixel(25, 455), EDIT_GREY);

  tap(SDLK_e);
  drawFrame();
  EXPECT_EQ(pixel(150, 130), BLACK);
  EXPECT_EQ(pixel(20, 455), BLACK);
}
