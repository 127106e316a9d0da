#include "WorldScenario.h"

#include "gfx/Menu.h"
#include "objects/Monster.h"
#include "objects/Platform.h"
#include "support/Table.h"

#include <string>
#include <vector>

namespace {

const Rgb BLACK = rgb(0, 0, 0);
const Rgb EDIT_GREY = rgb(51, 51, 51);
const Rgb RED = rgb(255, 0, 0);
const Rgb BAR_BOX = rgb(102, 0, 0);
const Rgb HERO_BLUE = rgb(0, 0, 255);

// A jumpable platform, a spawn point, a monster and a goal area, in that
// file order.
const std::vector<std::string> START_LEVEL = {
    levelfile::platform(100, 400, 200, 20, Platform::JUMPABLE), levelfile::spawn(40, 380),
    levelfile::monster(250, 380), levelfile::goal(600, 300)};
constexpr std::size_t PLATFORM = 0;
constexpr std::size_t MONSTER = 2;

class WorldCore : public WorldScenario {
protected:
  void start() { startOn("start.data", START_LEVEL); }
  void startEditing() {
    start();
    tap(SDLK_e);
    ASSERT_TRUE(world->isEditMode());
  }
  // Selects the objects and copies them: the paste examples' clipboard.
  void copyWorkedPair() {
    object(0).setPos(123.7, 45.2);
    object(0).setSelected(true);
    object(MONSTER).setPos(200, 100);
    object(MONSTER).setSelected(true);
    tap(SDLK_c);
  }
};

TEST_F(WorldCore, FreshWorldPlaysTheListedLevelFromItsSpawnPoint) {
  start();
  EXPECT_FALSE(world->isEditMode());
  EXPECT_EQ(world->getMenu(), nullptr);
  EXPECT_EQ(world->getClipboard(), nullptr);
  EXPECT_TRUE(world->getProjectiles().empty());
  EXPECT_TRUE(world->getFloatingTexts().empty());
  EXPECT_EQ(world->getOffset(), Point2D(0, 0));
  EXPECT_EQ(world->getLevelName(), "start.data");
  ASSERT_EQ(objectCount(), 4u);
  EXPECT_EQ(hero().position, Point2D(40, 380));
  EXPECT_EQ(hero().velocity, Point2D(0, 0));
  EXPECT_EQ(hero().getCurrentHp(), hero().getMaxHp());
  EXPECT_TRUE(hero().isPose(Character::FALLING));
}

TEST_F(WorldCore, OnlyTheFirstLineOfTheLevelListNamesTheLevel) {
  writeLevel("first.data", {levelfile::spawn(70, 90)});
  writeLevel("second.data", {levelfile::spawn(300, 300)});
  resources.write("Levels/loadlevel.txt", "first.data\nsecond.data\n");
  makeWorld();
  EXPECT_EQ(world->getLevelName(), "first.data");
  EXPECT_EQ(hero().position, Point2D(70, 90));
}

TEST_F(WorldCore, WithoutALevelListAnEmptyUntitledLevelStartsAndSavingCreatesIt) {
  makeWorld();
  EXPECT_EQ(world->getLevelName(), "untitled.data");
  EXPECT_EQ(objectCount(), 0u);
  EXPECT_FALSE(resources.exists("Levels/untitled.data"));

  tap(SDLK_e);
  moveMouse(200, 150);
  tap(SDLK_BACKQUOTE);
  tap(SDLK_RETURN); // "Platform"
  frame(16);
  tap(SDLK_EQUALS);
  EXPECT_EQ(lastMessage(), "Saved as untitled.data!");
  EXPECT_EQ(resources.read("Levels/untitled.data"),
            levelfile::platform(200, 150, 100, 20, 0) + "\n");
}

TEST_F(WorldCore, WithoutALevelListTheUntitledLevelOfAnEarlierSessionComesBack) {
  writeLevel("untitled.data", {levelfile::spawn(120, 60), levelfile::monster(300, 60)});
  makeWorld();
  EXPECT_EQ(world->getLevelName(), "untitled.data");
  EXPECT_EQ(objectCount(), 2u);
  EXPECT_EQ(hero().position, Point2D(120, 60));
}

// A selection survives leaving edit mode; play must still leave it alone.
TEST_F(WorldCore, PlayModeIgnoresEveryEditorKey) {
  start();
  object(PLATFORM).setSelected(true);
  resources.write("Levels/start.data", "");
  for (SDLKey key :
       {SDLK_EQUALS, SDLK_x, SDLK_c, SDLK_v, SDLK_BACKSPACE, SDLK_BACKQUOTE, SDLK_UP, SDLK_3}) {
    tap(key);
  }
  EXPECT_FALSE(world->isEditMode());
  EXPECT_EQ(world->getMenu(), nullptr);
  EXPECT_EQ(world->getClipboard(), nullptr);
  EXPECT_TRUE(world->getFloatingTexts().empty());
  ASSERT_EQ(objectCount(), 4u);
  EXPECT_EQ(object(PLATFORM).pos, Point2D(100, 400));
  EXPECT_EQ(static_cast<Platform&>(object(PLATFORM)).getPlatformType(), Platform::JUMPABLE);
  EXPECT_EQ(resources.read("Levels/start.data"), "");
}

// The e that enters edit mode reaches the objects (after deselecting them);
// the one that leaves does not, and leaving keeps the selection.
TEST_F(WorldCore, ETogglesEditModeAndEnteringDeselectsEverything) {
  start();
  object(MONSTER).setSelected(true);
  tap(SDLK_e);
  EXPECT_TRUE(world->isEditMode());
  EXPECT_FALSE(object(MONSTER).isSelected());
  object(MONSTER).setSelected(true);
  tap(SDLK_e);
  EXPECT_FALSE(world->isEditMode());
  EXPECT_TRUE(object(MONSTER).isSelected());
  EXPECT_EQ(object(MONSTER).pos, Point2D(250, 380));
}

TEST_F(WorldCore, CutMovesTheSelectionIntoTheClipboardAndBackspaceDeletesIt) {
  startEditing();
  object(1).setSelected(true);
  object(MONSTER).setSelected(true);
  tap(SDLK_x);
  ASSERT_EQ(objectCount(), 2u);
  EXPECT_EQ(object(1).getType(), GameObject::GOAL_AREA);
  const auto* clipboard = world->getClipboard();
  ASSERT_NE(clipboard, nullptr);
  ASSERT_EQ(clipboard->size(), 2u);
  EXPECT_EQ((*clipboard)[1]->getType(), GameObject::MONSTER);
  EXPECT_EQ((*clipboard)[1]->pos, Point2D(210, 0));

  object(PLATFORM).setSelected(true);
  tap(SDLK_BACKSPACE);
  ASSERT_EQ(objectCount(), 1u);
  EXPECT_EQ(object(0).getType(), GameObject::GOAL_AREA);
  EXPECT_EQ(world->getClipboard()->size(), 2u) << "a delete leaves the clipboard alone";
}

TEST_F(WorldCore, PasteBeforeAnyCutOrCopyDoesNothing) {
  startEditing();
  object(MONSTER).setSelected(true);
  tap(SDLK_v);
  EXPECT_EQ(objectCount(), 4u);
  EXPECT_TRUE(object(MONSTER).isSelected());
}

TEST_F(WorldCore, PastePutsSelectedClonesOnTheGridAtThePointer) {
  startEditing();
  copyWorkedPair();
  world->setOffset(100, 0);
  moveMouse(55, 33);
  tap(SDLK_v);
  ASSERT_EQ(objectCount(), 6u);
  EXPECT_EQ(object(4).pos, Point2D(150, 30));
  EXPECT_EQ(object(5).pos, Point2D(230, 80));
  EXPECT_EQ(object(4).size, Point2D(200, 20));
  EXPECT_EQ(object(5).getType(), GameObject::MONSTER);
  for (std::size_t i = 0; i < objectCount(); ++i) {
    EXPECT_EQ(object(i).isSelected(), i >= 4) << "object " << i;
  }
  // The clipboard keeps its content: the same group lands again elsewhere.
  world->setOffset(0, 0);
  moveMouse(300, 300);
  tap(SDLK_v);
  ASSERT_EQ(objectCount(), 8u);
  EXPECT_EQ(object(6).pos, Point2D(300, 300));
  EXPECT_EQ(object(7).pos, Point2D(370, 350));
}

// The clone at (-16.3, -16.8) goes down to the grid line below it.
TEST_F(WorldCore, PasteSnapsNegativePositionsDownward) {
  startEditing();
  copyWorkedPair();
  world->setOffset(-20, -20);
  moveMouse(3, 3);
  tap(SDLK_v);
  EXPECT_EQ(object(4).pos, Point2D(-20, -20));
}

TEST_F(WorldCore, WithAMenuOpenKeysGoOnlyToTheMenu) {
  startEditing();
  object(PLATFORM).setSelected(true);
  tap(SDLK_BACKQUOTE);
  resources.write("Levels/start.data", "");
  for (SDLKey key : {SDLK_RIGHT, SDLK_EQUALS, SDLK_x, SDLK_c, SDLK_BACKSPACE, SDLK_e, SDLK_l,
                     SDLK_BACKQUOTE, SDLK_3}) {
    tap(key);
    ASSERT_NE(world->getMenu(), nullptr) << SDL_GetKeyName(key);
  }
  EXPECT_EQ(world->getMenu()->getType(), Menu::TOOL_LIST);
  EXPECT_EQ(world->getMenu()->getSelected(), 3) << "Right steered the menu";
  EXPECT_TRUE(world->isEditMode());
  EXPECT_EQ(world->getClipboard(), nullptr);
  ASSERT_EQ(objectCount(), 4u);
  EXPECT_EQ(object(PLATFORM).pos, Point2D(100, 400));
  EXPECT_EQ(resources.read("Levels/start.data"), "");
  EXPECT_TRUE(world->getFloatingTexts().empty());

  tap(SDLK_ESCAPE);
  EXPECT_EQ(world->getMenu(), nullptr);
  EXPECT_EQ(objectCount(), 4u);
  tap(SDLK_RIGHT);
  EXPECT_EQ(object(PLATFORM).pos, Point2D(110, 400));
}

TEST_F(WorldCore, AnOpenMenuFreezesPlayWhileMessagesFade) {
  start();
  frames(2, 100);
  const Point2D before = hero().position;
  ASSERT_GT(before.y, 380) << "the character should be falling";
  world->message("first");
  tap(SDLK_l);
  frame(1000);
  world->message("second");
  frame(1000);
  ASSERT_EQ(world->getFloatingTexts().size(), 2u);
  EXPECT_EQ(world->getFloatingTexts()[0].getRemaining(), 0);
  frame(1);
  ASSERT_EQ(world->getFloatingTexts().size(), 1u) << "an expired message leaves the others";
  EXPECT_EQ(lastMessage(), "second");
  EXPECT_EQ(hero().position, before);

  tap(SDLK_ESCAPE);
  frame(100);
  EXPECT_GT(hero().position.y, before.y);
}

// Whatever the character touched belongs to the old run: after a reload or
// a cut those objects are gone.
TEST_F(WorldCore, ResetLevelRestartsTheCharacterAtRestTouchingNothing) {
  start();
  hero().position.set(500, 100);
  hero().velocity.set(30, -40);
  hero().setPose(Character::GROUNDED);
  hero().adjacentObject(&object(PLATFORM));
  world->resetLevel();
  EXPECT_EQ(hero().position, Point2D(40, 380));
  EXPECT_EQ(hero().velocity, Point2D(0, 0));
  EXPECT_TRUE(hero().isPose(Character::FALLING));
  EXPECT_TRUE(hero().getAdjacent().empty());
}

struct BarRow {
  std::string name;
  int hp, maxHp;
  int redUntil; // the last red column; the box runs from 430 to 629
};

class HitPointBar : public WorldCore, public ::testing::WithParamInterface<BarRow> {};

TEST_P(HitPointBar, ShowsTheShareOfHitPointsLeft) {
  start();
  hero().setMaxHp(GetParam().maxHp);
  hero().setCurrentHp(GetParam().hp);
  drawFrame();
  const int end = GetParam().redUntil;
  expectPixels(
      {{"top", 500, 9, BLACK}, {"bottom", 500, 20, BLACK}, {"left of it", 429, 15, BLACK}});
  if (end >= 430) {
    expectPixels({{"first red", 430, 10, RED}, {"last red", end, 19, RED}});
  }
  if (end < 629) {
    expectPixels({{"box after the red", end + 1, 15, BAR_BOX},
                  {"box end", 629, 15, BAR_BOX},
                  {"after the box", 630, 15, BLACK}});
  }
}

// A character without hit points to lose shows an empty bar, not a NaN.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Bar, HitPointBar, ::testing::Values(
    BarRow{"Full", 100, 100, 629}, BarRow{"Half", 50, 100, 529}, BarRow{"Zero", 0, 100, 429},
    BarRow{"Negative", -40, 100, 429}, BarRow{"AboveMaximumRunsPastTheBox", 150, 100, 639},
    BarRow{"NoMaximum", 0, 0, 429}),
    RowName{});
// clang-format on

TEST_F(WorldCore, EditModeMarksThePointerWithARedSquareAndHidesTheCharacter) {
  start();
  moveMouse(100, 200);
  drawFrame();
  EXPECT_EQ(pixel(100, 200), BLACK) << "no marker in play";
  EXPECT_EQ(pixel(35, 375), HERO_BLUE);

  tap(SDLK_e);
  drawFrame();
  expectBox(95, 195, 104, 204, RED, EDIT_GREY);
  EXPECT_EQ(pixel(629, 15), RED) << "the bar is drawn in edit mode too";
  EXPECT_EQ(pixel(35, 375), EDIT_GREY) << "no character";
}

// The character's square is drawn at 130..149 with the camera at rest.
TEST_F(WorldCore, TheCameraMovesTheSceneInWholePixelsTruncatedTowardZero) {
  startOn("open.data", {levelfile::spawn(140, 200)});
  for (const auto& [offsetX, firstColumn] : {std::pair{20.0, 110}, {10.9, 120}, {-10.9, 140}}) {
    SCOPED_TRACE(offsetX);
    world->setOffset(offsetX, 0);
    drawFrame();
    expectBox(firstColumn, 190, firstColumn + 19, 209, HERO_BLUE, BLACK);
  }
}

} // namespace
