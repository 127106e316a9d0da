// The editor's clipboard: a copy lies relative to the first selected
// object's corner cut to whole pixels.

#include "objects/Level.h"
#include "objects/LevelText.h"

#include <gtest/gtest.h>

namespace {

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
