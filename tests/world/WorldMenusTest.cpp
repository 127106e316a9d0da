#include "WorldScenario.h"

#include "actors/Character.h"
#include "gfx/Menu.h"
#include "objects/Level.h"
#include "objects/Monster.h"
#include "objects/Platform.h"

#include <string>
#include <vector>

class WorldMenus : public WorldScenario {
protected:
  // Two levels in the folder, "alpha" (loaded at start) and "beta".
  void twoLevels() {
    startOn("alpha.data", {levelfile::spawn(40, 380), levelfile::platform(0, 400, 300, 20, 2)});
    writeLevel("beta.data", {levelfile::platform(500, 300, 100, 20, 1), levelfile::spawn(520, 200),
                             levelfile::monster(560, 280)});
    makeWorld();
  }
  GameObject& object(std::size_t i) { return *world->getLevel().objects.at(i); }
  std::size_t objectCount() const { return world->getLevel().objects.size(); }
  // Opens the level menu, moves down to the item and chooses it; the choice
  // is carried out by the next frame.
  void chooseLevel(int item) {
    tap(SDLK_l);
    ASSERT_NE(world->getMenu(), nullptr);
    for (int i = 0; i < item; ++i) {
      tap(SDLK_DOWN);
    }
    tap(SDLK_RETURN);
    frame(16);
  }
  void chooseTool(int item) {
    tap(SDLK_BACKQUOTE);
    ASSERT_NE(world->getMenu(), nullptr);
    for (int i = 0; i < item; ++i) {
      tap(SDLK_DOWN);
    }
    tap(SDLK_RETURN);
    frame(16);
  }
};

// ---- Level select ------------------------------------------------------------------

TEST_F(WorldMenus, ChoosingALevelLoadsItAndPlaysFromItsSpawnPoint) {
  twoLevels();
  world->setOffset(30, 40);
  world->getCharacter().setCurrentHp(12);

  chooseLevel(1);

  EXPECT_EQ(world->getMenu(), nullptr);
  EXPECT_EQ(lastMessage(), "Loaded beta!");
  EXPECT_EQ(world->getLevelName(), "beta.data");
  ASSERT_EQ(objectCount(), 3u);
  EXPECT_EQ(object(0).pos, Point2D(500, 300));
  EXPECT_EQ(world->getCharacter().position, Point2D(520, 200));
  EXPECT_EQ(world->getCharacter().getCurrentHp(), world->getCharacter().getMaxHp());
  EXPECT_TRUE(world->getCharacter().isPose(Character::FALLING));
  EXPECT_FALSE(world->isEditMode());
  EXPECT_EQ(world->getOffset(), Point2D(30, 40));
}

TEST_F(WorldMenus, AChoiceTakesEffectInTheUpdateAfterReturn) {
  twoLevels();
  tap(SDLK_l);
  tap(SDLK_DOWN);
  tap(SDLK_RETURN);

  EXPECT_NE(world->getMenu(), nullptr);
  EXPECT_EQ(world->getLevelName(), "alpha.data");

  frame(0);
  EXPECT_EQ(world->getMenu(), nullptr);
  EXPECT_EQ(world->getLevelName(), "beta.data");
}

TEST_F(WorldMenus, ChoosingALevelInEditModeStaysInEditMode) {
  twoLevels();
  tap(SDLK_e);
  world->setOffset(-50, 0);

  chooseLevel(1);

  EXPECT_TRUE(world->isEditMode());
  EXPECT_EQ(world->getLevelName(), "beta.data");
  EXPECT_EQ(world->getOffset(), Point2D(-50, 0));
  // The loaded objects arrive unselected; saving now writes the new file.
  EXPECT_FALSE(object(0).isSelected());
  tap(SDLK_EQUALS);
  EXPECT_EQ(lastMessage(), "Saved as beta.data!");
}

TEST_F(WorldMenus, ChoosingTheLoadedLevelAgainDiscardsUnsavedEdits) {
  twoLevels();
  tap(SDLK_e);
  chooseTool(1);
  ASSERT_EQ(objectCount(), 3u);

  chooseLevel(0);

  EXPECT_EQ(lastMessage(), "Loaded alpha!");
  EXPECT_EQ(objectCount(), 2u);
}

TEST_F(WorldMenus, ALevelThatCannotBeReadLeavesAnEmptyLevelUnderItsName) {
  twoLevels();
  tap(SDLK_l);
  // The file disappears between listing and choosing.
  std::filesystem::remove(resources.path() / "Levels" / "beta.data");
  tap(SDLK_DOWN);
  tap(SDLK_RETURN);
  frame(16);

  EXPECT_EQ(world->getMenu(), nullptr);
  EXPECT_EQ(lastMessage(), "Failed to load beta!");
  EXPECT_EQ(world->getLevelName(), "beta.data");
  EXPECT_EQ(objectCount(), 0u);
  EXPECT_EQ(world->getCharacter().position, Point2D(0, 0));

  // A later save writes a new file under that name.
  tap(SDLK_e);
  moveMouse(100, 100);
  chooseTool(2);
  tap(SDLK_EQUALS);
  EXPECT_EQ(lastMessage(), "Saved as beta.data!");
  EXPECT_EQ(resources.read("Levels/beta.data"), levelfile::spawn(100, 100) + "\n");
}

TEST_F(WorldMenus, EscapeInTheLevelMenuChangesNothing) {
  twoLevels();
  tap(SDLK_l);
  tap(SDLK_DOWN);
  tap(SDLK_ESCAPE);
  frame(16);

  EXPECT_EQ(world->getMenu(), nullptr);
  EXPECT_EQ(world->getLevelName(), "alpha.data");
  EXPECT_EQ(objectCount(), 2u);
  EXPECT_TRUE(world->getFloatingTexts().empty());
}

TEST_F(WorldMenus, ReopeningTheLevelMenuListsLevelsSavedMeanwhile) {
  startOn("alpha.data", {levelfile::spawn(40, 380)});
  makeWorld();
  tap(SDLK_l);
  tap(SDLK_ESCAPE);
  writeLevel("gamma.data", {levelfile::spawn(300, 300)});

  tap(SDLK_l);
  tap(SDLK_RIGHT); // the last item
  tap(SDLK_RETURN);
  frame(16);

  EXPECT_EQ(lastMessage(), "Loaded gamma!");
  EXPECT_EQ(world->getCharacter().position, Point2D(300, 300));
}

TEST_F(WorldMenus, AnEmptyLevelFolderGivesAMenuWhoseChoiceLoadsNothing) {
  // The start level is named but no level file exists, so nothing is listed.
  writeLevelList("missing.data");
  makeWorld();
  world->getLevel().addObject(std::make_unique<Monster>(10, 10, 20, 20));

  for (SDLKey steer : {SDLK_UNKNOWN, SDLK_UP, SDLK_DOWN, SDLK_RIGHT}) {
    SCOPED_TRACE(SDL_GetKeyName(steer));
    tap(SDLK_l);
    ASSERT_NE(world->getMenu(), nullptr);
    if (steer != SDLK_UNKNOWN) {
      tap(steer);
    }
    tap(SDLK_RETURN);
    frame(16);

    EXPECT_EQ(world->getMenu(), nullptr);
    EXPECT_EQ(world->getLevelName(), "missing.data");
    EXPECT_EQ(objectCount(), 1u);
    EXPECT_TRUE(world->getFloatingTexts().empty());
  }
}

// ---- Add object ----------------------------------------------------------------------

struct ToolRow {
  const char* name;
  int item;
  GameObject::ObjectType type;
  double width;
  double height;
};

class WorldAddObject : public WorldMenus, public ::testing::WithParamInterface<ToolRow> {};

TEST_P(WorldAddObject, PutsTheChosenObjectAtThePointerSelectedAndLast) {
  const ToolRow& row = GetParam();
  twoLevels();
  tap(SDLK_e);
  object(0).setSelected(true);
  world->setOffset(1000, 0);
  moveMouse(300, 200);

  chooseTool(row.item);

  EXPECT_EQ(world->getMenu(), nullptr);
  EXPECT_TRUE(world->isEditMode());
  ASSERT_EQ(objectCount(), 3u);
  const GameObject& added = object(2);
  EXPECT_EQ(added.getType(), row.type);
  EXPECT_EQ(added.pos, Point2D(1300, 200));
  EXPECT_EQ(added.size, Point2D(row.width, row.height));
  EXPECT_TRUE(added.isSelected());
  EXPECT_FALSE(object(0).isSelected());
  EXPECT_FALSE(object(1).isSelected());
  EXPECT_EQ(world->getDragMode(), World::DRAG_NONE);

  if (row.type == GameObject::PLATFORM) {
    const auto* platform = dynamic_cast<const Platform*>(&added);
    ASSERT_NE(platform, nullptr);
    EXPECT_EQ(platform->getPlatformType(), Platform::CLIMBABLE);
  }
  if (row.type == GameObject::MONSTER) {
    const auto* monster = dynamic_cast<const Monster*>(&added);
    ASSERT_NE(monster, nullptr);
    EXPECT_EQ(monster->getCurrentHp(), monster->getMaxHp());
  }
  if (row.type == GameObject::SPAWN_POINT || row.type == GameObject::GOAL_AREA) {
    EXPECT_EQ(dynamic_cast<const Platform*>(&added), nullptr);
    EXPECT_EQ(dynamic_cast<const Monster*>(&added), nullptr);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Tools, WorldAddObject,
    ::testing::Values(ToolRow{"Platform", 0, GameObject::PLATFORM, 100, 20},
                      ToolRow{"Monster", 1, GameObject::MONSTER, 20, 20},
                      ToolRow{"SpawnPoint", 2, GameObject::SPAWN_POINT, 20, 20},
                      ToolRow{"GoalArea", 3, GameObject::GOAL_AREA, 100, 100}),
    [](const ::testing::TestParamInfo<ToolRow>& info) { return info.param.name; });

TEST_F(WorldMenus, AnAddedObjectStaysOffTheGridWhereThePointerWas) {
  twoLevels();
  tap(SDLK_e);
  world->setOffset(0.5, -3);
  moveMouse(33, 47);

  chooseTool(1);

  EXPECT_EQ(object(2).pos, Point2D(33.5, 44));
}

TEST_F(WorldMenus, AnAddedSpawnPointDoesNotMoveTheStart) {
  twoLevels();
  tap(SDLK_e);
  moveMouse(300, 100);
  chooseTool(2);
  ASSERT_EQ(objectCount(), 3u);

  tap(SDLK_e); // back to play from the pointer, then restart
  world->resetLevel();

  EXPECT_EQ(world->getCharacter().position, Point2D(40, 380));
}

TEST_F(WorldMenus, EscapeInTheAddObjectMenuAddsNothing) {
  twoLevels();
  tap(SDLK_e);
  object(1).setSelected(true);
  tap(SDLK_BACKQUOTE);
  tap(SDLK_DOWN);
  tap(SDLK_ESCAPE);
  frame(16);

  EXPECT_EQ(world->getMenu(), nullptr);
  EXPECT_EQ(objectCount(), 2u);
  EXPECT_TRUE(object(1).isSelected());
  EXPECT_TRUE(world->isEditMode());
}

TEST_F(WorldMenus, TheAddObjectMenuOffersTheFourKindsInOrder) {
  twoLevels();
  tap(SDLK_e);
  tap(SDLK_BACKQUOTE);
  tap(SDLK_UP); // wraps to the last item
  EXPECT_EQ(world->getMenu()->getSelected(), 3);
  tap(SDLK_DOWN); // and back to the first
  EXPECT_EQ(world->getMenu()->getSelected(), 0);
}
