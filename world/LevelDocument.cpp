#include "world/LevelDocument.h"

#include "objects/LevelText.h"
#include "objects/Platform.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace {

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

LevelDocument::LevelDocument(LevelStore store) : store(std::move(store)) {}

void LevelDocument::rename(const std::string& file) {
  name = file;
  history.reset();
  recoveryWritten = false;
  autosaveIn = -1;
  updateCaption();
}

bool LevelDocument::open(const std::string& file) {
  const bool loaded = store.loadLevel(file, level);
  rename(file);
  return loaded;
}

void LevelDocument::openEmpty(const std::string& file) {
  rename(file);
}

bool LevelDocument::hasRecovery() const {
  return store.exists(LevelStore::recoveryOf(name));
}

std::optional<std::size_t> LevelDocument::restore() {
  std::string text;
  if (!store.read(LevelStore::recoveryOf(name), text)) {
    return std::nullopt;
  }
  ParsedLevel recovered = parseLevelText(text);
  level.setObjects(std::move(recovered.objects));
  history.reset();
  // The file on disk is the old level: these edits are unsaved until saved.
  history.markUnsaved();
  updateCaption();
  return recovered.skippedLines;
}

void LevelDocument::discard() {
  store.remove(LevelStore::recoveryOf(name));
}

bool LevelDocument::save() {
  if (!store.saveLevel(name, level)) {
    return false;
  }
  history.markSaved();
  store.remove(LevelStore::recoveryOf(name));
  recoveryWritten = false;
  autosaveIn = -1;
  updateCaption();
  return true;
}

bool LevelDocument::saveAs(const std::string& file) {
  if (!store.saveLevel(file, level)) {
    return false;
  }
  // The edits now live in the new file.
  store.remove(LevelStore::recoveryOf(name));
  name = file;
  store.remove(LevelStore::recoveryOf(name));
  history.markSaved();
  recoveryWritten = false;
  autosaveIn = -1;
  updateCaption();
  return true;
}

bool LevelDocument::create(const std::string& file) {
  Level::ObjectList objects = newLevelObjects();
  if (!store.write(file, levelText(objects))) {
    return false;
  }
  level.setObjects(std::move(objects));
  rename(file);
  return true;
}

bool LevelDocument::writeRecovery() {
  if (!history.isModified()) {
    if (recoveryWritten) {
      store.remove(LevelStore::recoveryOf(name));
      recoveryWritten = false;
    }
    return true;
  }
  // Not synced: the file only has to outlive this process, and an autosave
  // must not hold up the frame it happens in.
  if (!store.write(LevelStore::recoveryOf(name), levelText(level.getObjects()), false)) {
    return false;
  }
  recoveryWritten = true;
  return true;
}

bool LevelDocument::close() {
  if (writeRecovery() || quitWarnedFor > 0) {
    return true;
  }
  quitWarnedFor = QUIT_CONFIRM_MS;
  return false;
}

bool LevelDocument::updateAutosave(int ms) {
  quitWarnedFor = std::max(0, quitWarnedFor - ms);
  if (autosaveIn < 0) {
    return true;
  }
  autosaveIn -= ms;
  if (autosaveIn > 0) {
    return true;
  }
  autosaveIn = -1;
  return writeRecovery();
}

void LevelDocument::record(std::vector<Level::Entry> before, std::vector<std::size_t> after) {
  history.record(std::move(before), std::move(after));
  changed();
}

bool LevelDocument::undo() {
  const bool stepped = history.undo(level);
  if (stepped) {
    changed();
  }
  return stepped;
}

bool LevelDocument::redo() {
  const bool stepped = history.redo(level);
  if (stepped) {
    changed();
  }
  return stepped;
}

void LevelDocument::changed() {
  updateCaption();
  if (autosaveIn < 0) {
    autosaveIn = AUTOSAVE_DELAY_MS;
  }
}

void LevelDocument::updateCaption() {
  caption = "Clamber - " + LevelStore::titleOf(name);
  if (history.isModified()) {
    caption += " *";
  }
}
