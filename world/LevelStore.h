#pragma once

#include "common/ResourceRoot.h"
#include "objects/Level.h"

#include <string>
#include <string_view>
#include <vector>

// The one place that knows where levels live: the Levels folders of the
// shipped resources and of the player, the ".data" ending, the recovery
// files beside the levels, the level list at start-up, and the safe write.
// Everything else names a level by its file name ("NAME.data") or its title
// ("NAME").
//
// The shipped folder is only read. Everything written goes to the player's
// folder, made on the first write; a level there shadows a shipped level of
// the same name. In a build tree both are one folder.
class LevelStore {
public:
  static constexpr std::string_view EXTENSION = ".data";
  // The level played when no level list names one; saving creates it.
  static constexpr const char* UNTITLED = "untitled.data";

  // The shipped folder serves as the player's too.
  explicit LevelStore(ResourceRoot root);
  // player's path is empty when the player has no folder: every write then
  // fails.
  LevelStore(ResourceRoot shipped, ResourceRoot player);

  // "NAME" -> "NAME.data".
  static std::string fileOf(const std::string& title);
  // The name a level shows in the caption and the prompts: the file name
  // without its ".data".
  static std::string titleOf(const std::string& file);
  // The hidden file beside file that keeps its unsaved edits; hidden, so
  // that the level list never shows it.
  static std::string recoveryOf(const std::string& file);

  // The first line of the level list file (the player's, else the shipped
  // one), without the carriage return a Windows editor leaves. Without one,
  // UNTITLED when such a level was saved earlier (rather than overwritten
  // by the next save of an empty one), else empty.
  std::string startLevel() const;
  // The titles of the level files of both folders, each once, in byte
  // order; hidden files are left out.
  std::vector<std::string> list() const;

  // In either folder.
  bool exists(const std::string& file) const;
  // The player's copy of the file, else the shipped one; false (after
  // "FAILED" on standard output) when neither can be read.
  bool read(const std::string& file, std::string& text) const;
  // Replaces the player's copy without ever leaving it half written;
  // durable syncs it first. False, with the old file as it was and a line
  // on standard output naming the folder and the reason, on any failure.
  bool write(const std::string& file, std::string_view text, bool durable = true) const;
  // Removes the player's copy.
  void remove(const std::string& file) const;

  // The player's choice of sound, in a settings file of the player's
  // folder: on unless switched off.
  bool isSoundOn() const;
  bool saveSoundOn(bool on) const;

  // Replaces the level's objects by those of the file; false (and an empty
  // level) when it cannot be read.
  bool loadLevel(const std::string& file, Level& level) const;
  bool saveLevel(const std::string& file, const Level& level) const;

private:
  static std::string pathOf(const std::string& file);
  // Writes relative (inside the player's folder) safely, or says why not.
  bool writeToPlayer(const std::string& relative, std::string_view text, bool durable) const;
  // The root to read file from: the player's when it has the file.
  const ResourceRoot& holderOf(const std::string& file) const;
  bool hasPlayerFolder() const { return !player.getPath().empty(); }

  ResourceRoot shipped;
  ResourceRoot player;
};
