#include "WorldScenario.h"

#include "gfx/Menu.h"
#include "objects/Platform.h"

#include <string>
#include <vector>

namespace {

const Rgb BLACK = rgb(0, 0, 0);
const Rgb EDIT_GREY = rgb(51, 51, 51);
const Rgb RED = rgb(255, 0, 0);
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
  void start() {
    writeLevel("start.data", START_LEVEL);
    resources.write("Levels/loadlevel.txt", "start.data\nother.data\n");
    makeWorld();
  }
  void startEditing() {
    start();
    tap(SDLK_e);
  }
};

TEST_F(WorldCore, FreshWorldPlaysTheFirstListedLevelFromItsSpawnPoint) {
  start();
  EXPECT_FALSE(world->isEditMode());
  EXPECT_EQ(world->getMenu(), nullptr);
  EXPECT_EQ(world->getClipboard(), nullptr);
  EXPECT_EQ(world->getLevelName(), "start.data");
  EXPECT_EQ(objectCount(), 4u);
  EXPECT_EQ(hero().position, Point2D(40, 380));
  EXPECT_EQ(hero().getCurrentHp(), hero().getMaxHp());
  EXPECT_TRUE(hero().isPose(Character::FALLING));
}

// A level saved under the name in an earlier session comes back.
TEST_F(WorldCore, WithoutALevelListAnEmptyUntitledLevelStartsAndSavingCreatesIt) {
  makeWorld();
  EXPECT_EQ(world->getLevelName(), "untitled.data");
  EXPECT_EQ(objectCount(), 0u);
  tap(SDLK_e);
  moveMouse(200, 150);
  tap(SDLK_BACKQUOTE);
  tap(SDLK_RETURN); // "Platform"
  frame(16);
  tap(SDLK_EQUALS);
  EXPECT_EQ(lastMessage(), "Saved as untitled.data!");
  EXPECT_EQ(resources.read("Levels/untitled.data"),
            levelfile::platform(200, 150, 100, 20, 0) + "\n");
  makeWorld();
  EXPECT_EQ(objectCount(), 1u);
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
  EXPECT_EQ(world->getMenu(), nullptr);
  EXPECT_EQ(world->getClipboard(), nullptr);
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
}

TEST_F(WorldCore, CutMovesTheSelectionIntoTheClipboardAndBackspaceDeletesIt) {
  startEditing();
  object(1).setSelected(true);
  object(MONSTER).setSelected(true);
  tap(SDLK_x);
  ASSERT_EQ(objectCount(), 2u);
  EXPECT_EQ(object(1).getType(), GameObject::GOAL_AREA);
  ASSERT_NE(world->getClipboard(), nullptr);
  EXPECT_EQ(world->getClipboard()->size(), 2u);

  object(PLATFORM).setSelected(true);
  tap(SDLK_BACKSPACE);
  ASSERT_EQ(objectCount(), 1u);
  EXPECT_EQ(object(0).getType(), GameObject::GOAL_AREA);
  EXPECT_EQ(world->getClipboard()->size(), 2u) << "a delete leaves the clipboard alone";
}

// The copy of (123.7, 45.2) and (200, 100) pasted with the pointer at level
// (155, 33) lands on the grid at (150, 30) and (230, 80); again with the
// pointer at (-17, -17) the first clone goes down to (-20, -20).
TEST_F(WorldCore, PastePutsSelectedClonesOnTheGridAtThePointer) {
  startEditing();
  tap(SDLK_v);
  EXPECT_EQ(objectCount(), 4u) << "nothing to paste yet";
  object(0).setPos(123.7, 45.2);
  object(0).setSelected(true);
  object(MONSTER).setPos(200, 100);
  object(MONSTER).setSelected(true);
  tap(SDLK_c);
  world->setOffset(100, 0);
  moveMouse(55, 33);
  tap(SDLK_v);
  ASSERT_EQ(objectCount(), 6u);
  EXPECT_EQ(object(4).pos, Point2D(150, 30));
  EXPECT_EQ(object(5).pos, Point2D(230, 80));
  EXPECT_EQ(object(5).getType(), GameObject::MONSTER);
  for (std::size_t i = 0; i < objectCount(); ++i) {
    EXPECT_EQ(object(i).isSelected(), i >= 4) << "object " << i;
  }
  world->setOffset(-20, -20);
  moveMouse(3, 3);
  tap(SDLK_v);
  ASSERT_EQ(objectCount(), 8u);
  EXPECT_EQ(object(6).pos, Point2D(-20, -20));
}

TEST_F(WorldCore, WithAMenuOpenKeysGoOnlyToTheMenu) {
  startEditing();
  object(PLATFORM).setSelected(true);
  tap(SDLK_BACKQUOTE);
  resources.write("Levels/start.data", "");
  for (SDLKey key : {SDLK_RIGHT, SDLK_EQUALS, SDLK_x, SDLK_c, SDLK_BACKSPACE, SDLK_e, SDLK_l,
                     SDLK_BACKQUOTE, SDLK_3}) {
    tap(key);
  }
  ASSERT_NE(world->getMenu(), nullptr);
  EXPECT_EQ(world->getMenu()->getType(), Menu::TOOL_LIST);
  EXPECT_EQ(world->getMenu()->getSelected(), 3) << "Right steered the menu";
  EXPECT_TRUE(world->isEditMode());
  EXPECT_EQ(world->getClipboard(), nullptr);
  EXPECT_EQ(objectCount(), 4u);
  EXPECT_EQ(object(PLATFORM).pos, Point2D(100, 400));
  EXPECT_EQ(resources.read("Levels/start.data"), "");

  tap(SDLK_ESCAPE);
  EXPECT_EQ(world->getMenu(), nullptr);
  tap(SDLK_RIGHT);
  EXPECT_EQ(object(PLATFORM).pos, Point2D(110, 400));
}

TEST_F(WorldCore, AnOpenMenuFreezesPlayWhileMessagesFade) {
  start();
  frames(2, 100);
  const Point2D before = hero().position;
  world->message("first");
  tap(SDLK_l);
  frame(1000);
  world->message("second");
  frame(1000);
  ASSERT_EQ(world->getFloatingTexts().size(), 2u);
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

// The box runs from 430 to 629; the red from 430 to the last red column.
// A character without hit points to lose shows an empty bar, not a NaN.
TEST_F(WorldCore, TheHitPointBarShowsTheShareOfHitPointsLeft) {
  const struct {
    const char* name;
    int hp, maxHp, redUntil;
  } rows[] = {{"Full", 100, 100, 629},
              {"HalfOfALargerMaximum", 100, 200, 529},
              {"Zero", 0, 100, 429},
              {"Negative", -40, 100, 429},
              {"AboveMaximumRunsPastTheBox", 150, 100, 639},
              {"NoMaximum", 0, 0, 429}};
  start();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    hero().setMaxHp(row.maxHp);
    hero().setCurrentHp(row.hp);
    drawFrame();
    const int end = row.redUntil;
    expectPixels(
        {{"above", 500, 9, BLACK}, {"below", 500, 20, BLACK}, {"left of it", 429, 15, BLACK}});
    EXPECT_EQ(pixel(end, 15), end < 430 ? BLACK : RED);
    if (end < 629) {
      EXPECT_EQ(pixel(end + 1, 15), rgb(102, 0, 0)) << "the rest of the box";
    } else if (end == 629) {
      EXPECT_EQ(pixel(630, 15), BLACK);
    }
  }
}

TEST_F(WorldCore, EditModeMarksThePointerWithARedSquareAndHidesTheCharacter) {
  start();
  moveMouse(100, 200);
  drawFrame();
  EXPECT_EQ(pixel(100, 200), BLACK) << "no marker in play";
  EXPECT_EQ(pixel(35, 375), HERO_BLUE);
  tap(SDLK_e);
  drawFrame();
  expectBox(95, 195, 104, 204, RED, EDIT_GREY);
  EXPECT_EQ(pixel(35, 375), EDIT_GREY) << "no character";
}

// The character's square is drawn at 130..149 with the camera at rest.
TEST_F(WorldCore, TheCameraMovesTheSceneInWholePixelsTruncatedTowardZero) {
  startOn("open.data", {levelfile::spawn(140, 200)});
  for (const auto& [offsetX, firstColumn] : {std::pair{10.9, 120}, {-10.9, 140}}) {
    world->setOffset(offsetX, 0);
    drawFrame();
    expectBox(firstColumn, 190, firstColumn + 19, 209, HERO_BLUE, BLACK);
  }
}

} // namespace
