#include "ObjectDescription.h"

#include "support/Events.h"
#include "support/Table.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

// A copy is a new object: unselected and active, whatever the original was.
TEST(GameObjectClone, KeepsClassAndFieldsButNotTheFlags) {
  GameObject goal(600, 300, 100, 100, GameObject::GOAL_AREA);
  goal.setSelected(true);
  goal.setActive(false);
  EXPECT_EQ(describe(*goal.clone()), "goal 600 300 100 100");
  EXPECT_TRUE(goal.isSelected());

  Platform p(100, 400, 200, 20, static_cast<Platform::PlatformType>(7));
  p.setSelected(true);
  EXPECT_EQ(describe(*p.clone()), "platform 100 400 200 20 kind 7");

  // A monster's copy has full default hit points, whatever it had.
  Monster m(250, 380, 20, 20);
  m.setMaxHp(300);
  m.setCurrentHp(-20);
  m.update(16);
  EXPECT_EQ(describe(*m.clone()), "monster 250 380 20 20 hp 100/100");
}

TEST(MonsterUpdate, DeactivatesOnlyBelowZeroAndOnlyRefreshRevives) {
  Monster m(0, 0, 20, 20);
  m.setMaxHp(150);
  m.setCurrentHp(0);
  EXPECT_TRUE(m.update(16));
  EXPECT_TRUE(m.isActive()) << "0 hit points survive";
  m.setCurrentHp(-1);
  m.update(16);
  EXPECT_FALSE(m.isActive());
  m.setCurrentHp(50);
  m.update(16);
  EXPECT_FALSE(m.isActive()) << "hit points alone do not revive";
  m.refresh();
  EXPECT_EQ(describe(m), "monster 0 0 20 20 hp 150/150");

  GameObject spawn(0, 0, 20, 20, GameObject::SPAWN_POINT);
  spawn.setActive(false);
  spawn.refresh();
  EXPECT_TRUE(spawn.isActive());
}

struct KeyRow {
  std::string name;
  SDLKey key;
  double x, y; // of an object at (100, 200) after the key
  int kind;    // of a platform of kind 7 after the key
};

class ObjectKeys : public testing::TestWithParam<KeyRow> {};

// Arrows nudge every kind of object; 1, 2 and 3 set a platform's kind.
TEST_P(ObjectKeys, NudgeOrSetKind) {
  const KeyRow& row = GetParam();
  const SDL_Event e = keyDownEvent(row.key);
  Platform p(100, 200, 50, 20, static_cast<Platform::PlatformType>(7));
  p.keyDown(e);
  EXPECT_EQ(p.pos, Point2D(row.x, row.y));
  EXPECT_EQ(p.getPlatformType(), row.kind);
  GameObject goal(100, 200, 50, 20, GameObject::GOAL_AREA);
  goal.keyDown(e);
  EXPECT_EQ(goal.pos, Point2D(row.x, row.y));
  Monster m(100, 200, 50, 20);
  m.keyDown(e);
  EXPECT_EQ(m.pos, Point2D(row.x, row.y));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, ObjectKeys, testing::Values(
    KeyRow{"UpMovesTenUp", SDLK_UP, 100, 190, 7}, KeyRow{"DownMovesTenDown", SDLK_DOWN, 100, 210, 7},
    KeyRow{"LeftMovesTenLeft", SDLK_LEFT, 90, 200, 7}, KeyRow{"RightMovesTenRight", SDLK_RIGHT, 110, 200, 7},
    KeyRow{"OneSetsClimbable", SDLK_1, 100, 200, 0}, KeyRow{"TwoSetsJumpable", SDLK_2, 100, 200, 1},
    KeyRow{"ThreeSetsPlain", SDLK_3, 100, 200, 2}, KeyRow{"FourDoesNothing", SDLK_4, 100, 200, 7}),
    RowName{});
// clang-format on

class LevelTest : public testing::Test {
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

TEST_F(LevelTest, KeysReachOnlySelectedObjectsAndGetSelectedGivesThemInOrder) {
  GameObject& a = goal(0, 0, 10, 10, true);
  goal(10, 0, 10, 10);
  GameObject& c = add(std::make_unique<Platform>(20, 20, 10, 10, Platform::PLAIN), true);
  EXPECT_EQ(level.getSelected(), (std::vector<GameObject*>{&a, &c}));
  level.keyDown(keyDownEvent(SDLK_1));
  level.keyDown(keyDownEvent(SDLK_DOWN));
  EXPECT_EQ(describe(level), (Lines{"goal 0 10 10 10 selected", "goal 10 0 10 10",
                                    "platform 20 30 10 10 kind 0 selected"}));
  level.deselectAll();
  EXPECT_TRUE(level.getSelected().empty());
}

TEST_F(LevelTest, UpdateAndRefreshReachEveryObject) {
  for (const double x : {0.0, 30.0}) {
    auto m = std::make_unique<Monster>(x, 0, 20, 20);
    m->setCurrentHp(-1);
    add(std::move(m));
  }
  level.update(16);
  EXPECT_EQ(describe(level), (Lines{"monster 0 0 20 20 hp -1/100 inactive",
                                    "monster 30 0 20 20 hp -1/100 inactive"}));
  level.refresh();
  EXPECT_EQ(describe(level),
            (Lines{"monster 0 0 20 20 hp 100/100", "monster 30 0 20 20 hp 100/100"}));
}

TEST_F(LevelTest, CopyPlacesClonesRelativeToTheFirstSelectedObjectTruncated) {
  goal(123.7, 45.2, 10, 10, true);
  goal(200, 100, 20, 30, true);
  const Lines before = describe(level);

  const auto clipboard = level.copy(false);

  ASSERT_EQ(clipboard.size(), 2u);
  EXPECT_NEAR(clipboard[0]->getX(), 0.7, 1e-9);
  EXPECT_NEAR(clipboard[0]->getY(), 0.2, 1e-9);
  EXPECT_FALSE(clipboard[0]->isSelected());
  EXPECT_EQ(describe(*clipboard[1]), "goal 77 55 20 30");
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
  goal(100, 100, 10, 10, true);
  goal(300, 300, 10, 10);
  auto m = std::make_unique<Monster>(70, 90, 20, 20);
  m->setCurrentHp(5);
  add(std::move(m), true);

  const auto clipboard = level.copy(true);

  EXPECT_EQ(describe(level), (Lines{"goal 0 0 10 10", "goal 300 300 10 10"}));
  ASSERT_EQ(clipboard.size(), 3u);
  EXPECT_EQ(describe(*clipboard[0]), "platform 0 0 10 10 kind 1");
  EXPECT_EQ(describe(*clipboard[2]), "monster 20 30 20 20 hp 100/100");
  EXPECT_TRUE(level.copy(true).empty()) << "nothing selected any more";
}

struct HitRow {
  std::string name;
  RectangularSector query;
  int platformIndex, resizeIndex;
};

class LevelHitTest : public testing::TestWithParam<HitRow> {};

// Two overlapping objects: 0 at (100, 100) 50 x 50 (handle 150..160),
// 1 at (120, 120) 50 x 50 (handle 170..180).
TEST_P(LevelHitTest, FirstMatchInListOrder) {
  Level level;
  level.addObject(std::make_unique<GameObject>(100, 100, 50, 50, GameObject::GOAL_AREA));
  level.addObject(std::make_unique<Platform>(120, 120, 50, 50, Platform::PLAIN));
  EXPECT_EQ(level.platformIntersecting(GetParam().query), GetParam().platformIndex);
  EXPECT_EQ(level.resizeIntersecting(GetParam().query), GetParam().resizeIndex);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, LevelHitTest, testing::Values(
    HitRow{"OverBothGivesSmallerIndex", {125, 125, 1, 1}, 0, -1},
    HitRow{"SecondObjectAndFirstHandle", {155, 155, 1, 1}, 1, 0},
    HitRow{"TouchesLeftEdgeOnly", {90, 110, 10, 10}, -1, -1},
    HitRow{"TouchesTopLeftCornerOnly", {90, 90, 10, 10}, -1, -1},
    HitRow{"OneUnitInsideLeftEdge", {91, 110, 10, 10}, 0, -1},
    HitRow{"HandleBesideObject", {175, 175, 2, 2}, -1, 1},
    HitRow{"TouchesHandleEdgeOnly", {180, 175, 5, 5}, -1, -1}),
    RowName{});
// clang-format on

TEST(LevelSpawnPoint, FirstSpawnPointInListOrderWinsOrTheOrigin) {
  Level level;
  level.addObject(std::make_unique<GameObject>(5, 5, 10, 10, GameObject::GOAL_AREA));
  EXPECT_EQ(level.getSpawnPoint(), Point2D(0, 0));
  level.addObject(std::make_unique<GameObject>(40, 380, 20, 20, GameObject::SPAWN_POINT));
  level.addObject(std::make_unique<GameObject>(300, 100, 20, 20, GameObject::SPAWN_POINT));
  EXPECT_EQ(level.getSpawnPoint(), Point2D(40, 380));
}

} // namespace
