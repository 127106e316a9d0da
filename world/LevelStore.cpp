#include "world/LevelStore.h"

#include "common/ResourceFiles.h"
#include "objects/LevelText.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

LevelStore::LevelStore(ResourceRoot root) : root(std::move(root)) {}

std::string LevelStore::pathOf(const std::string& file) {
  return "Levels/" + file;
}

std::string LevelStore::fileOf(const std::string& title) {
  return title + std::string(EXTENSION);
}

std::string LevelStore::titleOf(const std::string& file) {
  return file.ends_with(EXTENSION) ? file.substr(0, file.size() - EXTENSION.size()) : file;
}

std::string LevelStore::recoveryOf(const std::string& file) {
  const std::size_t slash = file.rfind('/');
  const std::size_t cut = slash == std::string::npos ? 0 : slash + 1;
  return file.substr(0, cut) + "." + file.substr(cut) + ".recovery";
}

std::string LevelStore::startLevel() const {
  const std::vector<std::string> lines = readFile(root, pathOf("loadlevel.txt"));
  if (lines.empty()) {
    return {};
  }
  std::string first = lines.front();
  if (first.ends_with('\r')) {
    first.pop_back();
  }
  return first;
}

std::vector<std::string> LevelStore::list() const {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator entry(root.createPath("/" + pathOf("")), error);
  const fs::directory_iterator end;
  for (; !error && entry != end; entry.increment(error)) {
    std::string name = entry->path().filename().string();
    // Hidden files are not level files: among them the temporaries of a
    // save in progress and the recovery files.
    if (name.empty() || name.front() == '.') {
      continue;
    }
    const std::size_t cut = name.find(EXTENSION);
    if (cut != std::string::npos) {
      name.resize(cut);
      names.push_back(std::move(name));
    }
  }
  if (error) {
    return {};
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool LevelStore::exists(const std::string& file) const {
  return resourceFileExists(root, pathOf(file));
}

bool LevelStore::read(const std::string& file, std::string& text) const {
  return readResourceFile(root, pathOf(file), text);
}

bool LevelStore::write(const std::string& file, std::string_view text, bool durable) const {
  return replaceResourceFile(root, pathOf(file), text, durable);
}

void LevelStore::remove(const std::string& file) const {
  removeResourceFile(root, pathOf(file));
}

bool LevelStore::loadLevel(const std::string& file, Level& level) const {
  std::string text;
  if (!read(file, text)) {
    level.setObjects({});
    return false;
  }
  level.setObjects(parseLevelText(text).objects);
  return true;
}

bool LevelStore::saveLevel(const std::string& file, const Level& level) const {
  return write(file, levelText(level.getObjects()));
}
