// The editor's actions and clipboard: nudges move selected objects by 10,
// kinds apply to selected platforms only, and a copy lies relative to the
// first selected object's corner cut to whole pixels.

#include "objects/Level.h"
#include "objects/LevelText.h"
#include "objects/Platform.h"

#include <gtest/gtest.h>

namespace {

TEST(LevelEditing, ActionsNudgeTheSelectionAndSetSelectedPlatformsKinds) {
  Level level;
  level.addObject(std::make_unique<Platform>(100, 200, 50, 20, Platform::PLAIN));
  level.addObject(std::make_unique<Platform>(100, 200, 10, 10, Platform::PLAIN));
  level.get(0).setSelected(true);
  ASSERT_EQ(level.platformIntersecting(RectangularSector(105, 205, 1, 1)), 0);
  using A = GameObject::EditAction;
  const struct {
    A action;
    const char* name;
    const char* selectedLine;
  } rows[] = {{A::NUDGE_UP, "up", "1 10 19 5 2 2 \n"},
              {A::NUDGE_LEFT, "left", "1 9 19 5 2 2 \n"},
              {A::NUDGE_DOWN, "down", "1 9 20 5 2 2 \n"},
              {A::NUDGE_RIGHT, "right", "1 10 20 5 2 2 \n"},
              {A::CLIMBABLE, "climbable", "1 10 20 5 2 0 \n"},
              {A::JUMPABLE, "jumpable", "1 10 20 5 2 1 \n"},
              {A::PLAIN, "plain", "1 10 20 5 2 2 \n"}};
  for (const auto& row : rows) {
    level.edit(row.action);
    EXPECT_EQ(level.get(0).getSaveString(), row.selectedLine) << row.name;
    EXPECT_EQ(level.get(1).getSaveString(), "1 10 20 1 1 2 \n") << row.name;
  }
  for (int i = 0; i < 50; ++i) {
    level.edit(A::NUDGE_RIGHT);
  }
  EXPECT_EQ(level.platformIntersecting(RectangularSector(605, 205, 1, 1)), 0) << "found there";
}

// (123.7, 45.2) and (200, 100) copy to (0.7, 0.2) and (77, 55), written in
// tenths: the anchor is the first selected corner cut to whole pixels.
TEST(LevelEditing, ACopyLiesRelativeToTheFirstSelectedCornerInWholePixels) {
  Level level;
  level.addObject(std::make_unique<GameObject>(50, 50, 10, 10, GameObject::GOAL_AREA));
  level.addObject(std::make_unique<GameObject>(123.7, 45.2, 10, 10, GameObject::GOAL_AREA));
  level.addObject(std::make_unique<GameObject>(200, 100, 10, 10, GameObject::GOAL_AREA));
  level.get(1).setSelected(true);
  level.get(2).setSelected(true);
  EXPECT_EQ(levelText(level.copy(false)), "3 0.07 0.02 1 1 \n3 7.7 5.5 1 1 \n");
}

} // namespace
