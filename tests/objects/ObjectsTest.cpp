#include "ObjectDescription.h"

#include "support/Events.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

// A copy is a new object: unselected, active and, for a monster, with full
// default hit points, whatever the original was.
TEST(GameObjectClone, KeepsClassAndFieldsButNotTheFlags) {
  GameObject goal(600, 300, 100, 100, GameObject::GOAL_AREA);
  goal.setSelected(true);
  goal.setActive(false);
  EXPECT_EQ(describe(*goal.clone()), "goal 600 300 100 100");
  Platform p(100, 400, 200, 20, static_cast<Platform::PlatformType>(7));
  p.setSelected(true);
  EXPECT_EQ(describe(*p.clone()), "platform 100 400 200 20 kind 7");
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

// Arrows nudge every kind of object by 10; 1, 2 and 3 set a platform's
// kind, other keys nothing. Only selected objects of a level hear keys.
TEST(ObjectKeys, ArrowsNudgeSelectedObjectsAndDigitsSetAPlatformsKind) {
  Level level;
  level.addObject(std::make_unique<Platform>(100, 200, 50, 20, Platform::PLAIN));
  level.addObject(std::make_unique<Monster>(100, 200, 20, 20));
  level.addObject(std::make_unique<GameObject>(100, 200, 10, 10, GameObject::GOAL_AREA));
  level.addObject(std::make_unique<Platform>(100, 200, 10, 10, Platform::PLAIN));
  for (std::size_t i = 0; i < 3; ++i) {
    level.get(i).setSelected(true);
  }
  const struct {
    SDLKey key;
    double x, y;
    int kind;
  } steps[] = {{SDLK_UP, 100, 190, 2},    {SDLK_DOWN, 100, 200, 2}, {SDLK_LEFT, 90, 200, 2},
               {SDLK_RIGHT, 100, 200, 2}, {SDLK_1, 100, 200, 0},    {SDLK_2, 100, 200, 1},
               {SDLK_4, 100, 200, 1},     {SDLK_3, 100, 200, 2}};
  for (const auto& step : steps) {
    level.keyDown(keyDownEvent(step.key));
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(level.get(i).pos, Point2D(step.x, step.y)) << SDL_GetKeyName(step.key);
    }
    EXPECT_EQ(static_cast<Platform&>(level.get(0)).getPlatformType(), step.kind);
  }
  EXPECT_EQ(describe(level.get(3)), "platform 100 200 10 10 kind 2");
  EXPECT_EQ(level.getSelected(),
            (std::vector<const GameObject*>{&level.get(0), &level.get(1),
                                      &level.get(2)}));
  level.deselectAll();
  EXPECT_TRUE(level.getSelected().empty());
}

class LevelCopy : public testing::Test {
protected:
  void add(std::unique_ptr<GameObject> o, bool selected) {
    o->setSelected(selected);
    level.addObject(std::move(o));
  }
  void goal(double x, double y, double w, double h, bool selected) {
    add(std::make_unique<GameObject>(x, y, w, h, GameObject::GOAL_AREA), selected);
  }

  Level level;
};

// Relative to the first selected object's corner truncated toward zero:
// (123.7, 45.2) and (200, 100) give (0.7, 0.2) and (77, 55); a corner at
// (-15.5, -0.5) gives (-0.5, -0.5).
TEST_F(LevelCopy, PlacesClonesRelativeToTheFirstSelectedCornerTruncated) {
  goal(123.7, 45.2, 10, 10, true);
  goal(0, 0, 10, 10, false);
  goal(200, 100, 20, 30, true);
  const Lines before = describe(level);
  const auto clipboard = level.copy(false);
  ASSERT_EQ(clipboard.size(), 2u);
  EXPECT_NEAR(clipboard[0]->getX(), 0.7, 1e-9);
  EXPECT_NEAR(clipboard[0]->getY(), 0.2, 1e-9);
  EXPECT_FALSE(clipboard[0]->isSelected());
  EXPECT_EQ(describe(*clipboard[1]), "goal 77 55 20 30");
  EXPECT_EQ(describe(level), before);
  level.deselectAll();
  goal(-15.5, -0.5, 10, 10, true);
  EXPECT_EQ(describe(*level.copy(false).at(0)), "goal -0.5 -0.5 10 10");
}

TEST_F(LevelCopy, CutKeepsTheOthersInOrderAndClonesTheCutOnes) {
  goal(0, 0, 10, 10, false);
  add(std::make_unique<Platform>(50, 60, 10, 10, Platform::JUMPABLE), true);
  goal(100, 100, 10, 10, true);
  goal(300, 300, 10, 10, false);
  auto m = std::make_unique<Monster>(70, 90, 20, 20);
  m->setCurrentHp(5);
  add(std::move(m), true);
  const auto clipboard = level.copy(true);
  EXPECT_EQ(describe(level), (Lines{"goal 0 0 10 10", "goal 300 300 10 10"}));
  ASSERT_EQ(clipboard.size(), 3u);
  EXPECT_EQ(describe(*clipboard[0]), "platform 0 0 10 10 kind 1");
  EXPECT_EQ(describe(*clipboard[1]), "goal 50 40 10 10");
  EXPECT_EQ(describe(*clipboard[2]), "monster 20 30 20 20 hp 100/100");
}

// Two overlapping objects: 0 at (100, 100) 50 x 50 (handle 150..160),
// 1 at (120, 120) 50 x 50 (handle 170..180). Touching edges do not count.
TEST(LevelHitTest, GivesTheFirstBodyOrHandleInListOrder) {
  Level level;
  level.addObject(std::make_unique<GameObject>(100, 100, 50, 50, GameObject::GOAL_AREA));
  level.addObject(std::make_unique<Platform>(120, 120, 50, 50, Platform::PLAIN));
  const struct {
    const char* name;
    RectangularSector query;
    int body, handle;
  } rows[] = {{"OverBothGivesSmallerIndex", {125, 125, 1, 1}, 0, -1},
              {"SecondObjectAndFirstHandle", {155, 155, 1, 1}, 1, 0},
              {"TouchesLeftEdgeOnly", {90, 110, 10, 10}, -1, -1},
              {"OneUnitInsideLeftEdge", {91, 110, 10, 10}, 0, -1},
              {"HandleBesideObject", {175, 175, 2, 2}, -1, 1},
              {"TouchesHandleEdgeOnly", {180, 175, 5, 5}, -1, -1}};
  for (const auto& row : rows) {
    EXPECT_EQ(level.platformIntersecting(row.query), row.body) << row.name;
    EXPECT_EQ(level.resizeIntersecting(row.query), row.handle) << row.name;
  }
}

TEST(LevelSpawnPoint, FirstSpawnPointInListOrderWinsOrTheOrigin) {
  Level level;
  level.addObject(std::make_unique<GameObject>(5, 5, 10, 10, GameObject::GOAL_AREA));
  EXPECT_EQ(level.getSpawnPoint(), Point2D(0, 0));
  level.addObject(std::make_unique<GameObject>(40, 380, 20, 20, GameObject::SPAWN_POINT));
  level.addObject(std::make_unique<GameObject>(300, 100, 20, 20, GameObject::SPAWN_POINT));
  EXPECT_EQ(level.getSpawnPoint(), Point2D(40, 380));
}

} // namespace
