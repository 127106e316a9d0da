#pragma once

#include "objects/Level.h"
#include "world/EditHistory.h"
#include "world/LevelStore.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The level being played and edited, as a document: its objects, the file
// they belong to, their edit history and whether they differ from the file,
// the caption that says so, and the recovery file that keeps unsaved edits
// a few seconds after they are made. Every file goes through the store.
// Reports outcomes by its results; the messages are the caller's.
class LevelDocument {
public:
  // Edits reach the recovery file this long after the change that made
  // them at the latest; edits made meanwhile go with them.
  static constexpr int AUTOSAVE_DELAY_MS = 5000;
  // How long a refused quit waits for the second that drops the edits.
  static constexpr int QUIT_CONFIRM_MS = 3000;

  explicit LevelDocument(LevelStore store);

  Level& getLevel() { return level; }
  const Level& getLevel() const { return level; }
  const LevelStore& getStore() const { return store; }
  // The file name, ".data" included.
  const std::string& getName() const { return name; }
  // "Clamber - NAME", with " *" while the level has unsaved edits.
  const std::string& getCaption() const { return caption; }
  bool isModified() const { return history.isModified(); }

  // Loads file with no history; false when it cannot be read (the level is
  // then empty, still under that name).
  bool open(const std::string& file);
  // An empty level under file, which is not read: its first save makes it.
  void openEmpty(const std::string& file);
  // Whether a recovery file of the level's is waiting.
  bool hasRecovery() const;
  // Replaces the objects by the recovery file's: the number of damaged
  // lines left out, or nothing when the file cannot be read. The level is
  // then modified until saved, whatever is undone.
  std::optional<std::size_t> restore();
  void discard();

  bool save();
  // Saves under file, which becomes the level's; the old file stays.
  bool saveAs(const std::string& file);
  // Writes a new level (a floor, a spawn point and a goal) to file and makes
  // it the current one; false, with the current one kept, when it cannot be
  // written.
  bool create(const std::string& file);

  // Writes the unsaved edits to the recovery file, or removes a recovery
  // file of this session's once there are none. False when edits could not
  // be written.
  bool writeRecovery();
  // Counts down to the next autosave; false when one was due and failed.
  bool updateAutosave(int ms);
  // The game is about to end: true once the unsaved edits are in the
  // recovery file, or when they cannot be and this is the second request
  // within QUIT_CONFIRM_MS of the first. Edits are never dropped without a
  // warning.
  bool close();

  // A finished edit, as EditHistory::record takes it.
  void record(std::vector<Level::Entry> before, std::vector<std::size_t> after);
  // False when there was nothing to undo or redo.
  bool undo();
  bool redo();

private:
  // Starts afresh on file: no history, nothing modified, no autosave due.
  void rename(const std::string& file);
  void changed();
  void updateCaption();

  LevelStore store;
  Level level;
  EditHistory history;
  std::string name;
  std::string caption;
  // Milliseconds of frames until the next autosave; negative when none is
  // due.
  int autosaveIn = -1;
  // This session wrote the current level's recovery file: once undo brings
  // the level back to its file, that recovery file is out of date.
  bool recoveryWritten = false;
  // Milliseconds left for a second quit to drop edits that cannot be kept.
  int quitWarnedFor = 0;
};
