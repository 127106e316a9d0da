#include "WorldScenario.h"

#include "actors/Character.h"
#include "gfx/Menu.h"
#include "objects/Level.h"
#include "objects/Monster.h"
#include "objects/Platform.h"

#include <string>
#include <vector>

namespace {

// The level most scenarios start on: a jumpable platform, a spawn point, a
// monster and a goal area, in that file order.
const std::vector<std::string>& startLevel() {
  static const std::vector<std::string> lines = {
      levelfile::platform(100, 400, 200, 20, Platform::JUMPABLE),
      levelfile::spawn(40, 380),
      levelfile::monster(250, 380),
      levelfile::goal(600, 300),
  };
  return lines;
}

std::string startLevelText() {
  std::string text;
  for (const std::string& line : startLevel()) {
    text += line + "\n";
  }
  return text;
}

constexpr std::size_t PLATFORM = 0;
constexpr std::size_t MONSTER = 2;

} // namespace

class WorldCore : public WorldScenario {
protected:
  World& start() {
    startOn("start.data", startLevel());
    return makeWorld();
  }
  GameObject& object(std::size_t i) { return *world->getLevel().objects.at(i); }
  std::size_t objectCount() const { return world->getLevel().objects.size(); }
  void enterEditMode() {
    tap(SDLK_e);
    ASSERT_TRUE(world->isEditMode());
  }
};

// ---- Construction ------------------------------------------------------------

TEST_F(WorldCore, FreshWorldPlaysTheListedLevelFromItsSpawnPoint) {
  start();

  EXPECT_FALSE(world->isEditMode());
  EXPECT_EQ(world->getMenu(), nullptr);
  EXPECT_EQ(world->getClipboard(), nullptr);
  EXPECT_TRUE(world->getProjectiles().empty());
  EXPECT_TRUE(world->getFloatingTexts().empty());
  EXPECT_EQ(world->getOffset(), Point2D(0, 0));
  EXPECT_EQ(world->getMouse(), Point2D(0, 0));
  EXPECT_EQ(world->getLevelName(), "start.data");
  EXPECT_EQ(world->getDragMode(), World::DRAG_NONE);
  ASSERT_EQ(objectCount(), 4u);
  EXPECT_EQ(object(1).getType(), GameObject::SPAWN_POINT);

  const Character& hero = world->getCharacter();
  EXPECT_EQ(hero.position, Point2D(40, 380));
  EXPECT_EQ(hero.velocity, Point2D(0, 0));
  EXPECT_EQ(hero.getCurrentHp(), hero.getMaxHp());
  EXPECT_TRUE(hero.isPose(Character::FALLING));
}

TEST_F(WorldCore, OnlyTheFirstLineOfTheLevelListNamesTheLevel) {
  writeLevel("first.data", {levelfile::spawn(70, 90)});
  writeLevel("second.data", {levelfile::spawn(300, 300)});
  resources.write("Levels/loadlevel.txt", "first.data\nsecond.data\n");
  makeWorld();

  EXPECT_EQ(world->getLevelName(), "first.data");
  EXPECT_EQ(world->getCharacter().position, Point2D(70, 90));
}

TEST_F(WorldCore, WithoutALevelListAnEmptyUntitledLevelStartsAndSavingCreatesIt) {
  makeWorld();

  EXPECT_EQ(world->getLevelName(), "untitled.data");
  EXPECT_EQ(objectCount(), 0u);
  EXPECT_EQ(world->getCharacter().position, Point2D(0, 0));
  EXPECT_FALSE(resources.exists("Levels/untitled.data"));

  enterEditMode();
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
  EXPECT_EQ(world->getCharacter().position, Point2D(120, 60));
}

TEST_F(WorldCore, AnEmptyLevelListGivesAnEmptyNameUnderWhichSavingFails) {
  resources.write("Levels/loadlevel.txt", "");
  makeWorld();

  EXPECT_EQ(world->getLevelName(), "");
  EXPECT_EQ(objectCount(), 0u);

  enterEditMode();
  tap(SDLK_EQUALS);
  EXPECT_EQ(lastMessage(), "Save FAILED!");
}

// ---- Keyboard commands ---------------------------------------------------------

TEST_F(WorldCore, PlayModeIgnoresEveryEditorKey) {
  start();
  // A selection survives leaving edit mode; play must still leave it alone.
  object(PLATFORM).setSelected(true);
  resources.write("Levels/start.data", "");

  for (SDLKey key : {SDLK_EQUALS, SDLK_x, SDLK_c, SDLK_v, SDLK_BACKSPACE, SDLK_BACKQUOTE, SDLK_UP,
                     SDLK_RIGHT, SDLK_1, SDLK_3}) {
    SCOPED_TRACE(SDL_GetKeyName(key));
    tap(key);
    EXPECT_EQ(world->getMenu(), nullptr);
    EXPECT_EQ(world->getClipboard(), nullptr);
    EXPECT_TRUE(world->getFloatingTexts().empty());
    ASSERT_EQ(objectCount(), 4u);
    EXPECT_EQ(object(PLATFORM).getX(), 100);
    EXPECT_EQ(object(PLATFORM).getY(), 400);
    EXPECT_EQ(static_cast<Platform&>(object(PLATFORM)).getPlatformType(), Platform::JUMPABLE);
    EXPECT_FALSE(world->isEditMode());
  }
  EXPECT_EQ(resources.read("Levels/start.data"), "");
}

TEST_F(WorldCore, LOpensTheLevelMenuInPlayAndInEditMode) {
  start();

  tap(SDLK_l);
  ASSERT_NE(world->getMenu(), nullptr);
  EXPECT_EQ(world->getMenu()->getType(), Menu::LEVEL_LIST);
  tap(SDLK_ESCAPE);
  EXPECT_EQ(world->getMenu(), nullptr);

  enterEditMode();
  object(PLATFORM).setSelected(true);
  tap(SDLK_l);
  ASSERT_NE(world->getMenu(), nullptr);
  EXPECT_EQ(world->getMenu()->getType(), Menu::LEVEL_LIST);
  EXPECT_TRUE(world->isEditMode());
}

TEST_F(WorldCore, ETogglesEditModeAndEnteringDeselectsEverything) {
  start();
  object(MONSTER).setSelected(true);

  tap(SDLK_e);
  EXPECT_TRUE(world->isEditMode());
  EXPECT_FALSE(object(MONSTER).isSelected());

  object(MONSTER).setSelected(true);
  tap(SDLK_e);
  EXPECT_FALSE(world->isEditMode());
  // Leaving keeps the selection, and the e reached no object on the way.
  EXPECT_TRUE(object(MONSTER).isSelected());
  EXPECT_EQ(object(MONSTER).getX(), 250);
}

TEST_F(WorldCore, BackquoteOpensTheAddObjectMenuOnlyInEditMode) {
  start();
  tap(SDLK_BACKQUOTE);
  EXPECT_EQ(world->getMenu(), nullptr);

  enterEditMode();
  tap(SDLK_BACKQUOTE);
  ASSERT_NE(world->getMenu(), nullptr);
  EXPECT_EQ(world->getMenu()->getType(), Menu::TOOL_LIST);
  EXPECT_EQ(world->getMenu()->getSelected(), 0);
}

TEST_F(WorldCore, EqualsInEditModeSavesUnderTheLevelName) {
  start();
  resources.write("Levels/start.data", "");
  enterEditMode();

  tap(SDLK_EQUALS);

  EXPECT_EQ(lastMessage(), "Saved as start.data!");
  EXPECT_EQ(resources.read("Levels/start.data"), startLevelText());
}

TEST_F(WorldCore, CutMovesTheSelectionIntoTheClipboard) {
  start();
  enterEditMode();
  object(1).setSelected(true);
  object(MONSTER).setSelected(true);

  tap(SDLK_x);

  ASSERT_EQ(objectCount(), 2u);
  EXPECT_EQ(object(0).getType(), GameObject::PLATFORM);
  EXPECT_EQ(object(1).getType(), GameObject::GOAL_AREA);
  const auto* clipboard = world->getClipboard();
  ASSERT_NE(clipboard, nullptr);
  ASSERT_EQ(clipboard->size(), 2u);
  EXPECT_EQ((*clipboard)[0]->getType(), GameObject::SPAWN_POINT);
  EXPECT_EQ((*clipboard)[1]->getType(), GameObject::MONSTER);
  // Placed relative to the first of them.
  EXPECT_EQ((*clipboard)[0]->pos, Point2D(0, 0));
  EXPECT_EQ((*clipboard)[1]->pos, Point2D(210, 0));
}

TEST_F(WorldCore, CopyKeepsTheLevelAndPlacesTheClipboardRelativeToTheFirst) {
  start();
  enterEditMode();
  object(0).setPos(123.7, 45.2);
  object(0).setSelected(true);
  object(MONSTER).setPos(200, 100);
  object(MONSTER).setSelected(true);

  tap(SDLK_c);

  EXPECT_EQ(objectCount(), 4u);
  const auto* clipboard = world->getClipboard();
  ASSERT_NE(clipboard, nullptr);
  ASSERT_EQ(clipboard->size(), 2u);
  EXPECT_NEAR((*clipboard)[0]->getX(), 0.7, 1e-9);
  EXPECT_NEAR((*clipboard)[0]->getY(), 0.2, 1e-9);
  EXPECT_EQ((*clipboard)[1]->pos, Point2D(77, 55));
  EXPECT_FALSE((*clipboard)[0]->isSelected());
}

TEST_F(WorldCore, CutOrCopyWithNothingSelectedLeavesAnEmptyClipboard) {
  for (SDLKey key : {SDLK_x, SDLK_c}) {
    SCOPED_TRACE(SDL_GetKeyName(key));
    start();
    enterEditMode();
    tap(key);
    ASSERT_NE(world->getClipboard(), nullptr);
    EXPECT_TRUE(world->getClipboard()->empty());
    EXPECT_EQ(objectCount(), 4u);
  }
}

TEST_F(WorldCore, BackspaceDeletesTheSelectionAndKeepsTheClipboard) {
  start();
  enterEditMode();
  object(MONSTER).setSelected(true);
  tap(SDLK_c);
  object(MONSTER).setSelected(false);
  object(PLATFORM).setSelected(true);

  tap(SDLK_BACKSPACE);

  ASSERT_EQ(objectCount(), 3u);
  EXPECT_EQ(object(0).getType(), GameObject::SPAWN_POINT);
  ASSERT_NE(world->getClipboard(), nullptr);
  ASSERT_EQ(world->getClipboard()->size(), 1u);
  EXPECT_EQ(world->getClipboard()->front()->getType(), GameObject::MONSTER);
}

TEST_F(WorldCore, PasteBeforeAnyCutOrCopyDoesNothing) {
  start();
  enterEditMode();
  object(MONSTER).setSelected(true);
  moveMouse(55, 33);

  tap(SDLK_v);

  EXPECT_EQ(objectCount(), 4u);
  EXPECT_TRUE(object(MONSTER).isSelected());
}

TEST_F(WorldCore, PastePutsSelectedClonesOnTheGridAtThePointer) {
  start();
  enterEditMode();
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
  EXPECT_EQ(object(4).getType(), GameObject::PLATFORM);
  EXPECT_EQ(object(5).getType(), GameObject::MONSTER);
  EXPECT_EQ(object(4).size, Point2D(200, 20));
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
  EXPECT_FALSE(object(4).isSelected());
  EXPECT_TRUE(object(7).isSelected());
}

TEST_F(WorldCore, PasteSnapsNegativePositionsDownward) {
  start();
  enterEditMode();
  object(0).setPos(123.7, 45.2);
  object(0).setSelected(true);
  tap(SDLK_c);
  world->setOffset(-20, -20);
  moveMouse(3, 3); // world (-17, -17); the clone at (-16.3, -16.8)

  tap(SDLK_v);

  EXPECT_EQ(object(4).pos, Point2D(-20, -20));
}

struct ObjectKeyRow {
  const char* name;
  SDLKey key;
  Point2D pos;
  Platform::PlatformType platformType;
};

class WorldObjectKeys : public WorldCore, public ::testing::WithParamInterface<ObjectKeyRow> {};

TEST_P(WorldObjectKeys, ReachOnlySelectedObjectsInEditMode) {
  const ObjectKeyRow& row = GetParam();
  start();
  enterEditMode();
  object(PLATFORM).setSelected(true);

  tap(row.key);

  const auto& platform = static_cast<Platform&>(object(PLATFORM));
  EXPECT_EQ(platform.pos, row.pos);
  EXPECT_EQ(platform.getPlatformType(), row.platformType);
  EXPECT_EQ(object(MONSTER).pos, Point2D(250, 380));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, WorldObjectKeys,
    ::testing::Values(ObjectKeyRow{"UpNudgesUp", SDLK_UP, {100, 390}, Platform::JUMPABLE},
                      ObjectKeyRow{"DownNudgesDown", SDLK_DOWN, {100, 410}, Platform::JUMPABLE},
                      ObjectKeyRow{"LeftNudgesLeft", SDLK_LEFT, {90, 400}, Platform::JUMPABLE},
                      ObjectKeyRow{"RightNudgesRight", SDLK_RIGHT, {110, 400}, Platform::JUMPABLE},
                      ObjectKeyRow{"OneMakesClimbable", SDLK_1, {100, 400}, Platform::CLIMBABLE},
                      ObjectKeyRow{"TwoMakesJumpable", SDLK_2, {100, 400}, Platform::JUMPABLE},
                      ObjectKeyRow{"ThreeMakesPlain", SDLK_3, {100, 400}, Platform::PLAIN},
                      ObjectKeyRow{"FourDoesNothing", SDLK_4, {100, 400}, Platform::JUMPABLE}),
    [](const ::testing::TestParamInfo<ObjectKeyRow>& info) { return info.param.name; });

TEST_F(WorldCore, WithAMenuOpenKeysGoOnlyToTheMenu) {
  start();
  enterEditMode();
  object(PLATFORM).setSelected(true);
  tap(SDLK_BACKQUOTE);
  resources.write("Levels/start.data", "");

  for (SDLKey key : {SDLK_RIGHT, SDLK_EQUALS, SDLK_x, SDLK_c, SDLK_BACKSPACE, SDLK_e, SDLK_l,
                     SDLK_BACKQUOTE, SDLK_3}) {
    SCOPED_TRACE(SDL_GetKeyName(key));
    tap(key);
    ASSERT_NE(world->getMenu(), nullptr);
    EXPECT_EQ(world->getMenu()->getType(), Menu::TOOL_LIST);
    EXPECT_TRUE(world->isEditMode());
    EXPECT_EQ(world->getClipboard(), nullptr);
    ASSERT_EQ(objectCount(), 4u);
    EXPECT_EQ(object(PLATFORM).pos, Point2D(100, 400));
  }
  // The arrows steered the menu instead: Right went to the last item.
  EXPECT_EQ(world->getMenu()->getSelected(), 3);
  EXPECT_EQ(resources.read("Levels/start.data"), "");
  EXPECT_TRUE(world->getFloatingTexts().empty());

  tap(SDLK_ESCAPE);
  EXPECT_EQ(world->getMenu(), nullptr);
  EXPECT_EQ(objectCount(), 4u);
  tap(SDLK_RIGHT);
  EXPECT_EQ(object(PLATFORM).pos, Point2D(110, 400));
}

TEST_F(WorldCore, AnOpenMenuFreezesPlayUntilEscapeResumesIt) {
  start();
  frames(2, 100);
  const Point2D before = world->getCharacter().position;
  ASSERT_GT(before.y, 380) << "the character should be falling";

  tap(SDLK_l);
  frames(5, 100);
  EXPECT_EQ(world->getCharacter().position, before);

  tap(SDLK_ESCAPE);
  frame(100);
  EXPECT_GT(world->getCharacter().position.y, before.y);
}

TEST_F(WorldCore, AnOpenMenuFreezesEditScrolling) {
  start();
  enterEditMode();
  press(SDLK_d);
  frame(100);
  EXPECT_EQ(world->getOffset(), Point2D(100, 0));

  release(SDLK_d);
  tap(SDLK_BACKQUOTE);
  press(SDLK_d);
  frame(100);
  EXPECT_EQ(world->getOffset(), Point2D(100, 0));
}

// ---- Messages ------------------------------------------------------------------

TEST_F(WorldCore, AMessageLastsTwoSecondsAndThenGoes) {
  start();
  world->message("Hello");
  ASSERT_EQ(world->getFloatingTexts().size(), 1u);
  EXPECT_EQ(world->getFloatingTexts()[0].getRemaining(), 2000);

  frame(0);
  EXPECT_EQ(world->getFloatingTexts()[0].getRemaining(), 2000);
  frame(2000);
  ASSERT_EQ(world->getFloatingTexts().size(), 1u);
  EXPECT_EQ(world->getFloatingTexts()[0].getRemaining(), 0);
  frame(1);
  EXPECT_TRUE(world->getFloatingTexts().empty());
}

TEST_F(WorldCore, ExpiredMessagesLeaveTheOthersInOrder) {
  start();
  world->message("first");
  frame(1000);
  world->message("second");
  world->message("third");
  frame(1001);

  ASSERT_EQ(world->getFloatingTexts().size(), 2u);
  EXPECT_EQ(world->getFloatingTexts()[0].getText(), "second");
  EXPECT_EQ(world->getFloatingTexts()[1].getText(), "third");
}

TEST_F(WorldCore, MessagesFadeWhileAMenuIsOpen) {
  start();
  enterEditMode();
  tap(SDLK_EQUALS);
  tap(SDLK_l);
  ASSERT_NE(world->getMenu(), nullptr);

  frame(1500);
  ASSERT_EQ(world->getFloatingTexts().size(), 1u);
  EXPECT_EQ(world->getFloatingTexts()[0].getRemaining(), 500);
  frame(501);
  EXPECT_TRUE(world->getFloatingTexts().empty());
  EXPECT_NE(world->getMenu(), nullptr);
}

// ---- Restarting ------------------------------------------------------------------

TEST_F(WorldCore, ResetLevelRevivesObjectsAndRestartsTheCharacter) {
  start();
  auto& monster = static_cast<Monster&>(object(MONSTER));
  monster.setCurrentHp(-20);
  monster.setActive(false);
  Character& hero = world->getCharacter();
  hero.position.set(500, 100);
  hero.velocity.set(30, -40);
  hero.setCurrentHp(5);
  hero.setPose(Character::GROUNDED);
  world->setOffset(70, 20);
  world->message("kept");

  world->resetLevel();

  EXPECT_TRUE(monster.isActive());
  EXPECT_EQ(monster.getCurrentHp(), monster.getMaxHp());
  EXPECT_EQ(hero.position, Point2D(40, 380));
  EXPECT_EQ(hero.velocity, Point2D(0, 0));
  EXPECT_EQ(hero.getCurrentHp(), hero.getMaxHp());
  EXPECT_TRUE(hero.isPose(Character::FALLING));
  EXPECT_TRUE(hero.getAdjacent().empty());
  EXPECT_EQ(world->getOffset(), Point2D(70, 20));
  EXPECT_EQ(lastMessage(), "kept");
}

TEST_F(WorldCore, ResetLevelUsesTheFirstSpawnPointOrTheOrigin) {
  startOn("two.data", {levelfile::spawn(200, 100), levelfile::spawn(40, 40)});
  makeWorld();
  EXPECT_EQ(world->getCharacter().position, Point2D(200, 100));

  startOn("none.data", {levelfile::platform(0, 300, 100, 20, 0)});
  makeWorld();
  EXPECT_EQ(world->getCharacter().position, Point2D(0, 0));
}

// ---- Drawing -----------------------------------------------------------------------

namespace {

const Rgb BLACK = rgb(0, 0, 0);
const Rgb EDIT_GREY = rgb(51, 51, 51);
const Rgb BAR_RED = rgb(255, 0, 0);
const Rgb BAR_BOX = rgb(102, 0, 0);
const Rgb HERO_BLUE = rgb(0, 0, 255);

struct BarProbe {
  int x;
  int y;
  Rgb colour;
};

struct HitPointRow {
  const char* name;
  int hp;
  std::vector<BarProbe> probes;
};

} // namespace

class WorldHitPointBar : public WorldCore, public ::testing::WithParamInterface<HitPointRow> {};

TEST_P(WorldHitPointBar, ShowsTheShareOfHitPointsLeft) {
  const HitPointRow& row = GetParam();
  start();
  world->getCharacter().setCurrentHp(row.hp);

  drawFrame();

  for (const BarProbe& probe : row.probes) {
    EXPECT_EQ(pixel(probe.x, probe.y), probe.colour) << "at " << probe.x << ", " << probe.y;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Bar, WorldHitPointBar,
    ::testing::Values(
        HitPointRow{"Full",
                    100,
                    {{430, 10, BAR_RED},
                     {429, 10, BLACK},
                     {629, 19, BAR_RED},
                     {630, 19, BLACK},
                     {500, 9, BLACK},
                     {500, 20, BLACK}}},
        HitPointRow{"Half", 50, {{529, 15, BAR_RED}, {530, 15, BAR_BOX}, {629, 15, BAR_BOX}}},
        HitPointRow{"Zero", 0, {{430, 15, BAR_BOX}, {629, 15, BAR_BOX}, {630, 15, BLACK}}},
        HitPointRow{"Negative", -40, {{430, 15, BAR_BOX}, {429, 15, BLACK}}},
        HitPointRow{"AboveMaximumRunsPastTheBox",
                    150,
                    {{629, 15, BAR_RED}, {635, 15, BAR_RED}, {639, 19, BAR_RED}}}),
    [](const ::testing::TestParamInfo<HitPointRow>& info) { return info.param.name; });

TEST_F(WorldCore, BarWithoutMaximumHitPointsShowsOnlyItsBox) {
  start();
  world->getCharacter().setMaxHp(0);
  world->getCharacter().setCurrentHp(0);

  drawFrame();

  EXPECT_EQ(pixel(430, 15), BAR_BOX);
}

TEST_F(WorldCore, EditModeMarksThePointerWithARedSquare) {
  start();
  enterEditMode();
  moveMouse(100, 200);

  drawFrame();

  EXPECT_EQ(pixel(95, 195), BAR_RED);
  EXPECT_EQ(pixel(104, 204), BAR_RED);
  EXPECT_EQ(pixel(94, 195), EDIT_GREY);
  EXPECT_EQ(pixel(95, 194), EDIT_GREY);
  EXPECT_EQ(pixel(105, 204), EDIT_GREY);
  EXPECT_EQ(pixel(104, 205), EDIT_GREY);
  // The bar is drawn in edit mode too.
  EXPECT_EQ(pixel(629, 15), BAR_RED);
}

TEST_F(WorldCore, PlayModeDrawsNoPointerMarker) {
  start();
  moveMouse(100, 200);

  drawFrame();

  EXPECT_EQ(pixel(100, 200), BLACK);
}

TEST_F(WorldCore, TheCharacterIsDrawnInPlayOnly) {
  start();
  // The spawn point (40..59) lies under the character's right half; the
  // probe is in its left half.
  drawFrame();
  EXPECT_EQ(pixel(35, 375), HERO_BLUE);

  enterEditMode();
  drawFrame();
  EXPECT_EQ(pixel(35, 375), EDIT_GREY);
}

struct CameraRow {
  const char* name;
  double offsetX;
  int firstColumn; // of the character's 20-pixel square, drawn at 30..49 unmoved
};

class WorldCamera : public WorldCore, public ::testing::WithParamInterface<CameraRow> {};

TEST_P(WorldCamera, MovesTheSceneInWholePixelsTruncatedTowardZero) {
  const CameraRow& row = GetParam();
  startOn("open.data", {levelfile::spawn(140, 200)});
  makeWorld();
  world->setOffset(row.offsetX, 0);

  drawFrame();

  EXPECT_EQ(pixel(row.firstColumn, 200), HERO_BLUE);
  EXPECT_EQ(pixel(row.firstColumn - 1, 200), BLACK);
  EXPECT_EQ(pixel(row.firstColumn + 19, 200), HERO_BLUE);
  EXPECT_EQ(pixel(row.firstColumn + 20, 200), BLACK);
}

INSTANTIATE_TEST_SUITE_P(Camera, WorldCamera,
                         ::testing::Values(CameraRow{"AtRest", 0, 130},
                                           CameraRow{"WholePixels", 20, 110},
                                           CameraRow{"FractionDropped", 10.9, 120},
                                           CameraRow{"NegativeFractionDropped", -10.9, 140},
                                           CameraRow{"BelowOnePixel", 0.99, 130}),
                         [](const ::testing::TestParamInfo<CameraRow>& info) {
                           return info.param.name;
                         });
