#include "WorldScenario.h"

#include "objects/Monster.h"
#include "objects/Platform.h"
#include "support/Table.h"

#include <filesystem>
#include <string>

namespace {

class WorldMenus : public WorldScenario {
protected:
  // Two levels in the folder, "alpha" (loaded at start) and "beta".
  void SetUp() override {
    WorldScenario::SetUp();
    writeLevel("beta.data", {levelfile::platform(500, 300, 100, 20, 1), levelfile::spawn(520, 200),
                             levelfile::monster(560, 280)});
    startOn("alpha.data", {levelfile::spawn(40, 380), levelfile::platform(0, 400, 300, 20, 2)});
  }
  // Opens the menu, moves down to the item and chooses it; the next frame
  // carries the choice out.
  void choose(SDLKey menuKey, int item) {
    tap(menuKey);
    for (int i = 0; i < item; ++i) {
      tap(SDLK_DOWN);
    }
    tap(SDLK_RETURN);
    frame(16);
  }
};

TEST_F(WorldMenus, ChoosingALevelLoadsItInTheNextUpdateAndPlaysFromItsSpawnPoint) {
  world->setOffset(30, 40);
  hero().setCurrentHp(12);
  tap(SDLK_l);
  tap(SDLK_DOWN);
  tap(SDLK_RETURN);
  EXPECT_EQ(world->getLevelName(), "alpha.data") << "not before the update";
  frame(0);
  EXPECT_EQ(world->getMenu(), nullptr);
  EXPECT_EQ(lastMessage(), "Loaded beta!");
  EXPECT_EQ(world->getLevelName(), "beta.data");
  ASSERT_EQ(objectCount(), 3u);
  EXPECT_EQ(hero().position, Point2D(520, 200));
  EXPECT_EQ(hero().getCurrentHp(), hero().getMaxHp());
  EXPECT_EQ(world->getOffset(), Point2D(30, 40));
  tap(SDLK_e);
  choose(SDLK_l, 0);
  EXPECT_TRUE(world->isEditMode()) << "a level chosen in edit mode is edited";
}

// The file disappears between listing and choosing; a later save writes a
// new file under that name.
TEST_F(WorldMenus, ALevelThatCannotBeReadLeavesAnEmptyLevelUnderItsName) {
  tap(SDLK_l);
  std::filesystem::remove(resources.path() / "Levels" / "beta.data");
  tap(SDLK_DOWN);
  tap(SDLK_RETURN);
  frame(16);
  EXPECT_EQ(lastMessage(), "Failed to load beta!");
  EXPECT_EQ(world->getLevelName(), "beta.data");
  EXPECT_EQ(objectCount(), 0u);
  EXPECT_EQ(hero().position, Point2D(0, 0));

  tap(SDLK_e);
  moveMouse(100, 100);
  choose(SDLK_BACKQUOTE, 2);
  tap(SDLK_EQUALS);
  EXPECT_EQ(lastMessage(), "Saved as beta.data!");
  EXPECT_EQ(resources.read("Levels/beta.data"), levelfile::spawn(100, 100) + "\n");
}

TEST_F(WorldMenus, EscapeInEitherMenuChangesNothing) {
  for (const bool edit : {false, true}) {
    if (edit) {
      tap(SDLK_e);
      object(1).setSelected(true);
    }
    tap(edit ? SDLK_BACKQUOTE : SDLK_l);
    tap(SDLK_DOWN);
    tap(SDLK_ESCAPE);
    frame(16);
    EXPECT_EQ(world->getMenu(), nullptr);
    EXPECT_EQ(world->getLevelName(), "alpha.data");
    EXPECT_EQ(objectCount(), 2u);
    EXPECT_EQ(object(1).isSelected(), edit);
    EXPECT_EQ(lastMessage(), "F1: help");
  }
}

TEST_F(WorldMenus, ReopeningTheLevelMenuListsLevelsSavedMeanwhile) {
  tap(SDLK_l);
  tap(SDLK_ESCAPE);
  writeLevel("gamma.data", {levelfile::spawn(300, 300)});
  choose(SDLK_l, 2);
  EXPECT_EQ(lastMessage(), "Loaded gamma!");
}

// The start level is named but no level file exists, so nothing is listed.
TEST_F(WorldMenus, AnEmptyLevelFolderGivesAMenuWhoseChoiceLoadsNothing) {
  std::filesystem::remove(resources.path() / "Levels" / "alpha.data");
  std::filesystem::remove(resources.path() / "Levels" / "beta.data");
  makeWorld();
  world->getLevel().addObject(std::make_unique<Monster>(10, 10, 20, 20));
  for (SDLKey steer : {SDLK_UNKNOWN, SDLK_UP, SDLK_RIGHT}) {
    tap(SDLK_l);
    tap(steer);
    tap(SDLK_RETURN);
    frame(16);
    EXPECT_EQ(world->getMenu(), nullptr);
    EXPECT_EQ(world->getLevelName(), "alpha.data");
    EXPECT_EQ(objectCount(), 1u);
    EXPECT_EQ(lastMessage(), "F1: help");
  }
}

struct ToolRow {
  std::string name;
  int item;
  GameObject::ObjectType type;
  Point2D size;
};

class AddObject : public WorldMenus, public ::testing::WithParamInterface<ToolRow> {};

// Off the grid, where the pointer is: (1300, 200) with the camera at
// (1000, 0), and (33.5, 44) with it at (0.5, -3).
TEST_P(AddObject, PutsTheChosenObjectAtThePointerSelectedAndLast) {
  const ToolRow& row = GetParam();
  tap(SDLK_e);
  object(0).setSelected(true);
  world->setOffset(1000, 0);
  moveMouse(300, 200);
  choose(SDLK_BACKQUOTE, row.item);
  world->setOffset(0.5, -3);
  moveMouse(33, 47);
  choose(SDLK_BACKQUOTE, row.item);

  ASSERT_EQ(objectCount(), 4u);
  const GameObject& added = object(2);
  EXPECT_EQ(added.getType(), row.type);
  EXPECT_EQ(added.pos, Point2D(1300, 200));
  EXPECT_EQ(object(3).pos, Point2D(33.5, 44));
  EXPECT_EQ(added.size, row.size);
  EXPECT_FALSE(added.isSelected());
  EXPECT_TRUE(object(3).isSelected());
  EXPECT_FALSE(object(0).isSelected());
  // The class matches the type, so that play and saving treat it right.
  const auto* platform = dynamic_cast<const Platform*>(&added);
  EXPECT_EQ(platform != nullptr, row.type == GameObject::PLATFORM);
  EXPECT_EQ(dynamic_cast<const Monster*>(&added) != nullptr, row.type == GameObject::MONSTER);
  if (platform != nullptr) {
    EXPECT_EQ(platform->getPlatformType(), Platform::CLIMBABLE);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Tools, AddObject, ::testing::Values(
    ToolRow{"Platform", 0, GameObject::PLATFORM, {100, 20}},
    ToolRow{"Monster", 1, GameObject::MONSTER, {20, 20}},
    ToolRow{"SpawnPoint", 2, GameObject::SPAWN_POINT, {20, 20}},
    ToolRow{"GoalArea", 3, GameObject::GOAL_AREA, {100, 100}}),
    RowName{});
// clang-format on

} // namespace
