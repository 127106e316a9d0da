#include "world/World.h"

#include "common/ResourceFiles.h"
#include "gfx/Menu.h"
#include "objects/GameObject.h"
#include "objects/Level.h"
#include "objects/Monster.h"
#include "objects/Platform.h"
#include "world/EditHistory.h"

namespace {

// The add-object menu's items; the index of the chosen one picks the object.
enum Tool : int { TOOL_PLATFORM = 0, TOOL_MONSTER = 1, TOOL_SPAWN_POINT = 2, TOOL_GOAL_AREA = 3 };

// Outlives every menu that shows it.
const std::vector<std::string>& toolItems() {
  static const std::vector<std::string> items = {"Platform", "Monster", "Spawn Point", "Goal Area"};
  return items;
}

std::unique_ptr<GameObject> makeTool(int tool, const Point2D& at) {
  switch (tool) {
  case TOOL_PLATFORM:
    return std::make_unique<Platform>(at.x, at.y, 100, 20, Platform::CLIMBABLE);
  case TOOL_MONSTER:
    return std::make_unique<Monster>(at.x, at.y, 20, 20);
  case TOOL_SPAWN_POINT:
    return std::make_unique<GameObject>(at.x, at.y, 20, 20, GameObject::SPAWN_POINT);
  case TOOL_GOAL_AREA:
    return std::make_unique<GameObject>(at.x, at.y, 100, 100, GameObject::GOAL_AREA);
  default:
    return nullptr;
  }
}

enum RecoveryChoice : int { RESTORE = 0, DISCARD = 1 };

const std::vector<std::string>& recoveryItems() {
  static const std::vector<std::string> items = {"Restore", "Discard"};
  return items;
}

} // namespace

void World::showLevelList() {
  // The list keeps its address: a menu pointing at it never dangles, and the
  // old menu is gone by the next statement anyway.
  levelList = getLevelList(root);
  menu = std::make_unique<Menu>(&mouse, &levelList, "Level Select", Menu::LEVEL_LIST);
}

void World::showToolList() {
  menu = std::make_unique<Menu>(&mouse, &toolItems(), "Add Object", Menu::TOOL_LIST);
}

void World::offerRecovery() {
  menu = std::make_unique<Menu>(&mouse, &recoveryItems(), "Unsaved changes found", Menu::RECOVERY);
}

void World::menuClosed() {
  if (!menu) {
    return;
  }
  const Menu::MenuType type = menu->getType();
  const int selected = menu->getSelected();

  if (type == Menu::RECOVERY) {
    menu.reset();
    if (selected == RESTORE) {
      restoreRecovery();
    } else if (selected == DISCARD) {
      discardRecovery();
    }
    return;
  }

  if (type == Menu::LEVEL_LIST) {
    // An empty level folder gives a menu whose selection names no level:
    // the choice is dropped and the current level stays.
    const bool chosen = menu->hasSelection();
    menu.reset();
    if (!chosen) {
      return;
    }
    // Unsaved edits are kept in the recovery file before the level goes;
    // when they cannot be, the level stays.
    commitDrag();
    if (!writeRecovery()) {
      return;
    }
    const std::string name = levelList[static_cast<std::size_t>(selected)];
    if (openLevel(name + ".data")) {
      message("Loaded " + name + "!");
    } else {
      message("Failed to load " + name + "!");
    }
    resetLevel();
    return;
  }

  std::unique_ptr<GameObject> object = makeTool(selected, mouseWorld());
  menu.reset();
  if (!object) {
    return;
  }
  commitDrag();
  level->deselectAll();
  object->setSelected(true);
  level->addObject(std::move(object));
  history->record({}, {level->size() - 1});
  changed();
}
