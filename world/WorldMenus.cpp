#include "world/World.h"

#include "gfx/Menu.h"

namespace {

enum RecoveryChoice : int { RESTORE = 0, DISCARD = 1 };

} // namespace

void World::showLevelList(std::optional<int> fromCurrent) {
  menu = std::make_unique<Menu>(document->getStore().list(), "Level Select", Menu::LEVEL_LIST);
  if (fromCurrent) {
    menu->selectAfter(LevelStore::titleOf(document->getName()), *fromCurrent);
  }
}

void World::showToolList() {
  menu = std::make_unique<Menu>(Editor::toolNames(), "Add Object", Menu::TOOL_LIST);
}

void World::offerRecovery() {
  menu = std::make_unique<Menu>(std::vector<std::string>{"Restore", "Discard"},
                                "Unsaved changes found", Menu::RECOVERY);
}

void World::menuClosed() {
  if (!menu) {
    return;
  }
  // Only the choice is needed from here on; the menu may be replaced by
  // what the choice opens.
  const std::unique_ptr<Menu> closed = std::move(menu);
  const int selected = closed->getSelected();
  events.report(GameEvent::MENU_CHOSEN);
  switch (closed->getType()) {
  case Menu::RECOVERY:
    if (selected == RESTORE) {
      restoreRecovery();
    } else if (selected == DISCARD) {
      document->discard();
      message("Discarded unsaved changes");
    }
    break;
  case Menu::LEVEL_LIST: {
    // An empty level folder gives a menu whose selection names no level:
    // the choice is dropped and the current level stays. Unsaved edits are
    // kept in the recovery file before the level goes; when they cannot
    // be, the level stays too.
    if (!closed->hasSelection() || !keepEdits()) {
      return;
    }
    const std::string& name = closed->getSelectedItem();
    message((openLevel(LevelStore::fileOf(name)) ? "Loaded " : "Failed to load ") + name + "!");
    break;
  }
  default:
    editor->addTool(selected);
    break;
  }
}
