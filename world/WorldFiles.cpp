#include "world/World.h"

#include "gfx/NamePrompt.h"

bool World::openLevel(const std::string& file) {
  const bool loaded = document->open(file);
  if (document->hasRecovery()) {
    offerRecovery();
  }
  play->resetLevel();
  return loaded;
}

void World::restoreRecovery() {
  const std::optional<std::size_t> skipped = document->restore();
  if (!skipped) {
    message("Cannot read the recovery file");
    return;
  }
  play->resetLevel();
  message(*skipped == 0 ? "Restored unsaved changes"
                        : "Restored; " + std::to_string(*skipped) + " damaged lines left out");
}

void World::save(const std::string& file) {
  editor->commitDrag();
  const bool saved = file == document->getName() ? document->save() : document->saveAs(file);
  events.report(saved ? GameEvent::SAVED : GameEvent::SAVE_FAILED);
  message(saved ? "Saved as " + file + "!" : "Save FAILED!");
}

bool World::keepEdits() {
  editor->commitDrag();
  if (!document->writeRecovery()) {
    message("Autosave FAILED!");
    return false;
  }
  return true;
}

bool World::quitRequested() {
  editor->commitDrag();
  if (document->close()) {
    return true;
  }
  message("Edits cannot be kept: quit again to lose them");
  return false;
}

void World::openPrompt(PromptPurpose purpose) {
  const std::string initial = purpose == SAVE_AS ? LevelStore::titleOf(document->getName()) : "";
  prompt = Prompt{
      std::make_unique<NamePrompt>(purpose == SAVE_AS ? "Save as:" : "New level name:", initial),
      purpose};
}

bool World::promptConfirmed(const std::string& name) {
  if (name.empty()) {
    message("Type a name");
    return false;
  }
  const std::string file = LevelStore::fileOf(name);
  if (document->getStore().exists(file)) {
    message(name + " already exists");
    return false;
  }
  if (prompt->purpose == SAVE_AS) {
    save(file);
  } else {
    createLevel(file);
  }
  return true;
}

void World::createLevel(const std::string& file) {
  if (!keepEdits()) {
    return;
  }
  const std::string name = LevelStore::titleOf(file);
  if (!document->create(file)) {
    message("Cannot create " + name);
    return;
  }
  if (!isEditMode()) {
    enableEditMode(true);
  }
  camera.reset();
  play->resetLevel();
  message("Created " + name);
}
