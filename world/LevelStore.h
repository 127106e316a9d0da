#pragma once

#include "common/ResourceRoot.h"
#include "objects/Level.h"

#include <string>
#include <string_view>
#include <vector>

// The one place that knows where levels live: the Levels folder of the
// resource root, the ".data" ending, the recovery files beside the levels,
// the level list at start-up, and the safe write. Everything else names a
// level by its file name ("NAME.data") or its title ("NAME").
class LevelStore {
public:
  static constexpr std::string_view EXTENSION = ".data";

  explicit LevelStore(ResourceRoot root);

  // "NAME" -> "NAME.data".
  static std::string fileOf(const std::string& title);
  // The name a level shows in the caption and the prompts: the file name
  // without its ".data".
  static std::string titleOf(const std::string& file);
  // The hidden file beside file that keeps its unsaved edits; hidden, so
  // that the level list never shows it.
  static std::string recoveryOf(const std::string& file);

  // The first line of the level list file, without the carriage return a
  // Windows editor leaves; empty when there is no such file or line.
  std::string startLevel() const;
  // The titles of the level files, in byte order; hidden files are left out.
  std::vector<std::string> list() const;

  bool exists(const std::string& file) const;
  // The file's bytes; false (after "FAILED" on standard output) when it
  // cannot be read.
  bool read(const std::string& file, std::string& text) const;
  // Replaces the file without ever leaving it half written; durable syncs
  // it first. False, with the old file as it was, on any failure.
  bool write(const std::string& file, std::string_view text, bool durable = true) const;
  void remove(const std::string& file) const;

  // Replaces the level's objects by those of the file; false (and an empty
  // level) when it cannot be read.
  bool loadLevel(const std::string& file, Level& level) const;
  bool saveLevel(const std::string& file, const Level& level) const;

private:
  static std::string pathOf(const std::string& file);

  ResourceRoot root;
};
