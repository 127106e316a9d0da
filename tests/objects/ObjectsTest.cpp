#include "ObjectDescription.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

SDL_Event keyEvent(SDLKey key) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.type = SDL_KEYDOWN;
  e.key.state = SDL_PRESSED;
  e.key.keysym.sym = key;
  return e;
}

} // namespace

// ---- Constructors, clone, refresh, update ----------------------------------------

TEST(GameObjectLifecycle, ConstructorsLeaveObjectsUnselectedAndActive) {
  EXPECT_EQ(describe(GameObject(1, 2, 3, 4, GameObject::GOAL_AREA)), "goal 1 2 3 4");
  EXPECT_EQ(describe(GameObject(RectangularSector(5, 6, 7, 8), GameObject::SPAWN_POINT)),
            "spawn 5 6 7 8");
  EXPECT_EQ(describe(Platform()), "platform 0 0 0 0 kind 0");
  EXPECT_EQ(describe(Monster()), "monster 0 0 0 0 hp 100/100");
  EXPECT_EQ(describe(Monster(1, 2, 20, 20)), "monster 1 2 20 20 hp 100/100");
}

TEST(GameObjectLifecycle, PlatformCopyConstructorCopiesRectangleAndKindOnly) {
  Platform source(1.5, 2, 3, 4, Platform::PLAIN);
  source.setSelected(true);
  source.setActive(false);
  EXPECT_EQ(describe(Platform(&source)), "platform 1.5 2 3 4 kind 2");
}

TEST(GameObjectLifecycle, CloneOfSelectedInactiveObjectIsUnselectedAndActive) {
  GameObject goal(600, 300, 100, 100, GameObject::GOAL_AREA);
  goal.setSelected(true);
  goal.setActive(false);
  const auto copy = goal.clone();
  EXPECT_EQ(describe(*copy), "goal 600 300 100 100");
  EXPECT_TRUE(goal.isSelected()); // the original keeps its flags
}

TEST(GameObjectLifecycle, CloneOfPlatformKeepsItsClassAndKind) {
  Platform p(100, 400, 200, 20, static_cast<Platform::PlatformType>(7));
  p.setSelected(true);
  const std::unique_ptr<GameObject> copy = p.clone();
  EXPECT_EQ(describe(*copy), "platform 100 400 200 20 kind 7");
}

TEST(GameObjectLifecycle, CloneOfDamagedMonsterHasFullDefaultHitPoints) {
  Monster m(250, 380, 20, 20);
  m.setMaxHp(300);
  m.setCurrentHp(-20);
  m.update(16);
  m.setSelected(true);
  const std::unique_ptr<GameObject> copy = m.clone();
  EXPECT_EQ(describe(*copy), "monster 250 380 20 20 hp 100/100");
}

TEST(GameObjectLifecycle, RefreshReactivatesAnyObject) {
  GameObject spawn(0, 0, 20, 20, GameObject::SPAWN_POINT);
  spawn.setActive(false);
  spawn.refresh();
  EXPECT_TRUE(spawn.isActive());
}

TEST(GameObjectLifecycle, RefreshRevivesMonsterAtFullHitPoints) {
  Monster m(0, 0, 20, 20);
  m.setMaxHp(150);
  m.setCurrentHp(-1);
  m.update(16);
  ASSERT_FALSE(m.isActive());
  m.refresh();
  EXPECT_EQ(describe(m), "monster 0 0 20 20 hp 150/150");
}

struct HpRow {
  const char* name;
  int hp;
  bool activeAfter;
};

class MonsterUpdate : public ::testing::TestWithParam<HpRow> {};

TEST_P(MonsterUpdate, DeactivatesOnlyBelowZero) {
  Monster m(0, 0, 20, 20);
  m.setCurrentHp(GetParam().hp);
  EXPECT_TRUE(m.update(0));
  EXPECT_EQ(m.isActive(), GetParam().activeAfter);
  EXPECT_EQ(m.getCurrentHp(), GetParam().hp);
}

INSTANTIATE_TEST_SUITE_P(Table, MonsterUpdate,
                         ::testing::Values(HpRow{"full", 100, true}, HpRow{"exactlyZero", 0, true},
                                           HpRow{"minusOne", -1, false},
                                           HpRow{"farBelow", -500, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MonsterUpdate, StaysInactiveWhenHitPointsRiseWithoutRefresh) {
  Monster m(0, 0, 20, 20);
  m.setCurrentHp(-1);
  m.update(16);
  m.setCurrentHp(50);
  m.update(16);
  EXPECT_FALSE(m.isActive());
}

TEST(GameObjectLifecycle, BaseUpdateChangesNothing) {
  GameObject goal(1, 2, 3, 4, GameObject::GOAL_AREA);
  EXPECT_TRUE(goal.update(1000));
  EXPECT_EQ(describe(goal), "goal 1 2 3 4");
}

TEST(MonsterHitPoints, IncrementsAdd) {
  Monster m;
  m.incCurrentHp(-30);
  m.incMaxHp(20);
  EXPECT_EQ(describe(m), "monster 0 0 0 0 hp 70/120");
  m.fullHp();
  EXPECT_EQ(m.getCurrentHp(), 120);
}

// ---- Keys -------------------------------------------------------------------------

struct KeyRow {
  const char* name;
  SDLKey key;
  const char* platformAfter; // starting from (100, 200, 50, 20) kind 7
  const char* goalAfter;     // starting from (100, 200, 50, 20)
};

class ObjectKeys : public ::testing::TestWithParam<KeyRow> {};

TEST_P(ObjectKeys, NudgeOrSetKind) {
  Platform p(100, 200, 50, 20, static_cast<Platform::PlatformType>(7));
  p.keyDown(keyEvent(GetParam().key));
  EXPECT_EQ(describe(p), GetParam().platformAfter);

  GameObject goal(100, 200, 50, 20, GameObject::GOAL_AREA);
  goal.keyDown(keyEvent(GetParam().key));
  EXPECT_EQ(describe(goal), GetParam().goalAfter);

  Monster m(100, 200, 50, 20);
  m.keyDown(keyEvent(GetParam().key));
  EXPECT_EQ(describe(m), std::string("monster") + (GetParam().goalAfter + 4) + " hp 100/100");
}

INSTANTIATE_TEST_SUITE_P(
    Table, ObjectKeys,
    ::testing::Values(
        KeyRow{"upMovesTenUp", SDLK_UP, "platform 100 190 50 20 kind 7", "goal 100 190 50 20"},
        KeyRow{"downMovesTenDown", SDLK_DOWN, "platform 100 210 50 20 kind 7",
               "goal 100 210 50 20"},
        KeyRow{"leftMovesTenLeft", SDLK_LEFT, "platform 90 200 50 20 kind 7", "goal 90 200 50 20"},
        KeyRow{"rightMovesTenRight", SDLK_RIGHT, "platform 110 200 50 20 kind 7",
               "goal 110 200 50 20"},
        KeyRow{"oneSetsClimbable", SDLK_1, "platform 100 200 50 20 kind 0", "goal 100 200 50 20"},
        KeyRow{"twoSetsJumpable", SDLK_2, "platform 100 200 50 20 kind 1", "goal 100 200 50 20"},
        KeyRow{"threeSetsPlain", SDLK_3, "platform 100 200 50 20 kind 2", "goal 100 200 50 20"},
        KeyRow{"fourDoesNothing", SDLK_4, "platform 100 200 50 20 kind 7", "goal 100 200 50 20"},
        KeyRow{"letterDoesNothing", SDLK_w, "platform 100 200 50 20 kind 7", "goal 100 200 50 20"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Level: selection and forwarding ------------------------------------------------

class LevelTest : public ::testing::Test {
protected:
  GameObject& add(std::unique_ptr<GameObject> o, bool selected = false) {
    o->setSelected(selected);
    GameObject& ref = *o;
    level.addObject(std::move(o));
    return ref;
  }
  GameObject& goal(double x, double y, double w, double h, bool selected = false) {
    return add(std::make_unique<GameObject>(x, y, w, h, GameObject::GOAL_AREA), selected);
  }

  Level level;
};

TEST_F(LevelTest, GetSelectedGivesTheObjectsThemselvesInListOrder) {
  GameObject& a = goal(0, 0, 10, 10, true);
  goal(10, 0, 10, 10);
  GameObject& c = goal(20, 0, 10, 10, true);
  EXPECT_EQ(level.getSelected(), (std::vector<GameObject*>{&a, &c}));
  level.deselectAll();
  EXPECT_TRUE(level.getSelected().empty());
}

TEST_F(LevelTest, KeyDownReachesOnlySelectedObjects) {
  goal(0, 0, 10, 10);
  add(std::make_unique<Platform>(20, 20, 10, 10, Platform::PLAIN), true);
  level.keyDown(keyEvent(SDLK_1));
  level.keyDown(keyEvent(SDLK_DOWN));
  EXPECT_EQ(describe(level), (Lines{"goal 0 0 10 10", "platform 20 30 10 10 kind 0 selected"}));
}

TEST_F(LevelTest, KeyDownWithNothingSelectedChangesNothing) {
  goal(0, 0, 10, 10);
  add(std::make_unique<Platform>(20, 20, 10, 10, Platform::PLAIN));
  const Lines before = describe(level);
  level.keyDown(keyEvent(SDLK_RIGHT));
  level.keyDown(keyEvent(SDLK_1));
  EXPECT_EQ(describe(level), before);
}

TEST_F(LevelTest, UpdateAndRefreshReachEveryObject) {
  auto first = std::make_unique<Monster>(0, 0, 20, 20);
  auto second = std::make_unique<Monster>(30, 0, 20, 20);
  first->setCurrentHp(-1);
  second->setCurrentHp(-1);
  add(std::move(first));
  add(std::move(second));
  level.update(16);
  EXPECT_EQ(describe(level), (Lines{"monster 0 0 20 20 hp -1/100 inactive",
                                    "monster 30 0 20 20 hp -1/100 inactive"}));
  level.refresh();
  EXPECT_EQ(describe(level),
            (Lines{"monster 0 0 20 20 hp 100/100", "monster 30 0 20 20 hp 100/100"}));
}

// ---- Level: copy and cut ------------------------------------------------------------------

TEST_F(LevelTest, CopyPlacesClonesRelativeToTheFirstSelectedObjectTruncated) {
  goal(123.7, 45.2, 10, 10, true);
  goal(200, 100, 20, 30, true);
  const Lines before = describe(level);

  const auto clipboard = level.copy(false);

  ASSERT_EQ(clipboard.size(), 2u);
  EXPECT_NEAR(clipboard[0]->getX(), 0.7, 1e-9);
  EXPECT_NEAR(clipboard[0]->getY(), 0.2, 1e-9);
  EXPECT_EQ(describe(*clipboard[1]), "goal 77 55 20 30");
  EXPECT_FALSE(clipboard[0]->isSelected());
  EXPECT_EQ(describe(level), before);
}

TEST_F(LevelTest, CopyTruncatesNegativePositionsTowardZero) {
  goal(-15.5, -0.5, 10, 10, true);
  const auto clipboard = level.copy(false);
  ASSERT_EQ(clipboard.size(), 1u);
  EXPECT_EQ(describe(*clipboard[0]), "goal -0.5 -0.5 10 10");
}

TEST_F(LevelTest, CutKeepsTheOthersInOrderAndClonesTheCutOnes) {
  goal(0, 0, 10, 10);
  add(std::make_unique<Platform>(50, 60, 10, 10, Platform::JUMPABLE), true);
  auto m = std::make_unique<Monster>(70, 90, 20, 20);
  m->setCurrentHp(5);
  add(std::move(m), true);
  goal(300, 300, 10, 10);

  const auto clipboard = level.copy(true);

  EXPECT_EQ(describe(level), (Lines{"goal 0 0 10 10", "goal 300 300 10 10"}));
  ASSERT_EQ(clipboard.size(), 2u);
  EXPECT_EQ(describe(*clipboard[0]), "platform 0 0 10 10 kind 1");
  EXPECT_EQ(describe(*clipboard[1]), "monster 20 30 20 20 hp 100/100");
}

TEST_F(LevelTest, CutOfAdjacentSelectedObjectsMissesNone) {
  for (int i = 0; i < 5; ++i) {
    goal(i * 10, 0, 10, 10, i != 2);
  }
  const auto clipboard = level.copy(true);
  EXPECT_EQ(clipboard.size(), 4u);
  EXPECT_EQ(describe(level), (Lines{"goal 20 0 10 10"}));
}

TEST_F(LevelTest, CopyWithNothingSelectedIsEmpty) {
  goal(0, 0, 10, 10);
  EXPECT_TRUE(level.copy(false).empty());
  EXPECT_TRUE(level.copy(true).empty());
  EXPECT_EQ(level.objects.size(), 1u);
}

// ---- Level: hit tests ---------------------------------------------------------------------

struct HitRow {
  const char* name;
  RectangularSector query;
  int platformIndex;
  int resizeIndex;
};

class LevelHitTest : public ::testing::TestWithParam<HitRow> {};

// Two overlapping objects: 0 at (100, 100) 50 x 50 (handle 150..160),
// 1 at (120, 120) 50 x 50 (handle 170..180).
TEST_P(LevelHitTest, FirstMatchInListOrder) {
  Level level;
  level.addObject(std::make_unique<GameObject>(100, 100, 50, 50, GameObject::GOAL_AREA));
  level.addObject(std::make_unique<Platform>(120, 120, 50, 50, Platform::PLAIN));
  EXPECT_EQ(level.platformIntersecting(GetParam().query), GetParam().platformIndex);
  EXPECT_EQ(level.resizeIntersecting(GetParam().query), GetParam().resizeIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LevelHitTest,
    ::testing::Values(HitRow{"overBothGivesSmallerIndex", {125, 125, 1, 1}, 0, -1},
                      HitRow{"secondObjectAndFirstHandle", {155, 155, 1, 1}, 1, 0},
                      HitRow{"touchesLeftEdgeOnly", {90, 110, 10, 10}, -1, -1},
                      HitRow{"touchesTopLeftCornerOnly", {90, 90, 10, 10}, -1, -1},
                      HitRow{"oneUnitInsideLeftEdge", {91, 110, 10, 10}, 0, -1},
                      HitRow{"handleBesideObject", {175, 175, 2, 2}, -1, 1},
                      HitRow{"touchesHandleEdgeOnly", {180, 175, 5, 5}, -1, -1},
                      HitRow{"farAway", {1000, 1000, 5, 5}, -1, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LevelHitTest, ResizeHandleOfAnUnselectedObjectCounts) {
  Level level;
  level.addObject(std::make_unique<Monster>(0, 0, 20, 20));
  EXPECT_EQ(level.resizeIntersecting(RectangularSector(25, 25, 1, 1)), 0);
}

TEST(LevelHitTest, EmptyLevelFindsNothing) {
  Level level;
  EXPECT_EQ(level.platformIntersecting(RectangularSector(0, 0, 1000, 1000)), -1);
  EXPECT_EQ(level.resizeIntersecting(RectangularSector(0, 0, 1000, 1000)), -1);
}

// ---- Level: spawn point ---------------------------------------------------------------------

TEST(LevelSpawnPoint, FirstSpawnPointInListOrderWins) {
  Level level;
  level.addObject(std::make_unique<Platform>(5, 5, 10, 10, Platform::PLAIN));
  level.addObject(std::make_unique<GameObject>(40, 380, 20, 20, GameObject::SPAWN_POINT));
  level.addObject(std::make_unique<GameObject>(300, 100, 20, 20, GameObject::SPAWN_POINT));
  EXPECT_EQ(level.getSpawnPoint(), Point2D(40, 380));
}

TEST(LevelSpawnPoint, NoneGivesOrigin) {
  Level level;
  level.addObject(std::make_unique<GameObject>(40, 380, 20, 20, GameObject::GOAL_AREA));
  EXPECT_EQ(level.getSpawnPoint(), Point2D(0, 0));
}
