#include "world/World.h"

#include "common/ResourceFiles.h"
#include "gfx/Menu.h"
#include "gfx/NamePrompt.h"
#include "objects/GameObject.h"
#include "objects/Level.h"
#include "objects/LevelText.h"
#include "objects/Platform.h"
#include "world/EditHistory.h"

namespace {

const char* const EXTENSION = ".data";
// Edits reach the recovery file this long after the change that made them
// at the latest; edits made meanwhile go with them.
constexpr int AUTOSAVE_DELAY_MS = 5000;

std::string levelPath(const std::string& name) {
  return "Levels/" + name;
}

// The name a level shows in the caption and the prompts.
std::string title(const std::string& file) {
  const std::string extension = EXTENSION;
  return file.ends_with(extension) ? file.substr(0, file.size() - extension.size()) : file;
}

// A floor, a spawn point standing on it (after it, so that the character
// lands on the floor) and a goal at its far end.
Level::ObjectList newLevelObjects() {
  Level::ObjectList objects;
  objects.push_back(std::make_unique<Platform>(0, 400, 640, 20, Platform::PLAIN));
  objects.push_back(std::make_unique<GameObject>(100, 380, 20, 20, GameObject::SPAWN_POINT));
  objects.push_back(std::make_unique<GameObject>(500, 300, 100, 100, GameObject::GOAL_AREA));
  return objects;
}

} // namespace

bool World::levelFileExists(const std::string& file) const {
  return resourceFileExists(root, levelPath(file));
}

void World::removeLevelFile(const std::string& file) const {
  removeResourceFile(root, levelPath(file));
}

std::string World::recoveryName() const {
  const std::size_t slash = levelName.rfind('/');
  const std::size_t cut = slash == std::string::npos ? 0 : slash + 1;
  // Hidden, so that the level menu never lists it.
  return levelName.substr(0, cut) + "." + levelName.substr(cut) + ".recovery";
}

bool World::openLevel(const std::string& name) {
  levelName = name;
  const bool loaded = level->loadLevel(root, name);
  history->reset();
  recoveryWritten = false;
  autosaveIn = -1;
  updateCaption();
  if (levelFileExists(recoveryName())) {
    offerRecovery();
  }
  return loaded;
}

void World::restoreRecovery() {
  std::string text;
  if (!readResourceFile(root, levelPath(recoveryName()), text)) {
    message("Cannot read the recovery file");
    return;
  }
  ParsedLevel recovered = parseLevelText(text);
  const std::size_t skipped = recovered.skippedLines;
  level->setObjects(std::move(recovered.objects));
  history->reset();
  // The file on disk is the old level: these edits are unsaved until =.
  history->markUnsaved();
  updateCaption();
  resetLevel();
  message(skipped == 0 ? "Restored unsaved changes"
                       : "Restored; " + std::to_string(skipped) + " damaged lines left out");
}

void World::discardRecovery() {
  removeLevelFile(recoveryName());
  message("Discarded unsaved changes");
}

void World::save() {
  commitDrag();
  if (level->saveLevel(root, levelName)) {
    history->markSaved();
    removeLevelFile(recoveryName());
    recoveryWritten = false;
    autosaveIn = -1;
    updateCaption();
    message("Saved as " + levelName + "!");
  } else {
    message("Save FAILED!");
  }
}

bool World::writeRecovery() {
  if (!history->isModified()) {
    if (recoveryWritten) {
      removeLevelFile(recoveryName());
      recoveryWritten = false;
    }
    return true;
  }
  // Not synced: the file only has to outlive this process, and an autosave
  // must not hold up the frame it happens in.
  if (!replaceResourceFile(root, levelPath(recoveryName()), levelText(level->getObjects()),
                           false)) {
    message("Autosave FAILED!");
    return false;
  }
  recoveryWritten = true;
  return true;
}

void World::prepareQuit() {
  commitDrag();
  writeRecovery();
}

void World::changed() {
  updateCaption();
  if (autosaveIn < 0) {
    autosaveIn = AUTOSAVE_DELAY_MS;
  }
}

void World::updateAutosave(int ms) {
  if (autosaveIn < 0) {
    return;
  }
  autosaveIn -= ms;
  if (autosaveIn <= 0) {
    autosaveIn = -1;
    writeRecovery();
  }
}

void World::updateCaption() {
  caption = "Clamber - " + title(levelName);
  if (history->isModified()) {
    caption += " *";
  }
}

void World::openPrompt(PromptPurpose purpose) {
  promptPurpose = purpose;
  if (purpose == SAVE_AS) {
    prompt = std::make_unique<NamePrompt>("Save as:", title(levelName));
  } else {
    prompt = std::make_unique<NamePrompt>("New level name:", "");
  }
}

bool World::promptConfirmed(const std::string& name) {
  if (name.empty()) {
    message("Type a name");
    return false;
  }
  if (levelFileExists(name + EXTENSION)) {
    message(name + " already exists");
    return false;
  }
  if (promptPurpose == SAVE_AS) {
    saveAs(name);
  } else {
    createLevel(name);
  }
  return true;
}

void World::createLevel(const std::string& name) {
  commitDrag();
  if (!writeRecovery()) {
    return;
  }
  Level::ObjectList objects = newLevelObjects();
  const std::string file = name + EXTENSION;
  if (!replaceResourceFile(root, levelPath(file), levelText(objects))) {
    message("Cannot create " + name);
    return;
  }
  level->setObjects(std::move(objects));
  levelName = file;
  history->reset();
  recoveryWritten = false;
  autosaveIn = -1;
  updateCaption();
  if (!editMode) {
    enableEditMode(true);
  }
  offset.set(0, 0);
  resetLevel();
  message("Created " + name);
}

void World::saveAs(const std::string& name) {
  commitDrag();
  const std::string file = name + EXTENSION;
  if (!level->saveLevel(root, file)) {
    message("Save FAILED!");
    return;
  }
  // The edits now live in the new file.
  removeLevelFile(recoveryName());
  levelName = file;
  removeLevelFile(recoveryName());
  history->markSaved();
  recoveryWritten = false;
  autosaveIn = -1;
  updateCaption();
  message("Saved as " + file + "!");
}
