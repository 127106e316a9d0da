#include "world/LevelStore.h"

#include "common/PlayerFolder.h"
#include "common/ResourceFiles.h"
#include "objects/LevelText.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

// The player's settings, hidden so that no install ever takes a
// developer's along from a build tree.
const char* const SETTINGS = ".settings";
const char* const SOUND_ON = "sound on\n";
const char* const SOUND_OFF = "sound off\n";

} // namespace

LevelStore::LevelStore(ResourceRoot root) : shipped(root), player(std::move(root)) {}

LevelStore::LevelStore(ResourceRoot shipped, ResourceRoot player)
    : shipped(std::move(shipped)), player(std::move(player)) {}

const ResourceRoot& LevelStore::holderOf(const std::string& file) const {
  return hasPlayerFolder() && resourceFileExists(player, pathOf(file)) ? player : shipped;
}

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
  const std::string listFile = "loadlevel.txt";
  const std::vector<std::string> lines = readFile(holderOf(listFile), pathOf(listFile));
  if (lines.empty()) {
    return exists(UNTITLED) ? UNTITLED : std::string();
  }
  std::string first = lines.front();
  if (first.ends_with('\r')) {
    first.pop_back();
  }
  return first;
}

std::vector<std::string> LevelStore::list() const {
  std::vector<std::string> names;
  for (const ResourceRoot* root : {&shipped, &player}) {
    if (root == &player && (!hasPlayerFolder() || player.getPath() == shipped.getPath())) {
      break;
    }
    std::error_code error;
    fs::directory_iterator entry(root->createPath("/" + pathOf("")), error);
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
    // A shipped folder that cannot be listed lists nothing; the player's
    // folder does not exist before the first write.
    if (error && root == &shipped) {
      names.clear();
    }
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

bool LevelStore::exists(const std::string& file) const {
  return resourceFileExists(holderOf(file), pathOf(file));
}

bool LevelStore::read(const std::string& file, std::string& text) const {
  return readResourceFile(holderOf(file), pathOf(file), text);
}

bool LevelStore::write(const std::string& file, std::string_view text, bool durable) const {
  return writeToPlayer(pathOf(file), text, durable);
}

bool LevelStore::isSoundOn() const {
  std::string text;
  // Only an existing file is read: a missing one is no failure to report.
  return !hasPlayerFolder() || !resourceFileExists(player, SETTINGS) ||
         !readResourceFile(player, SETTINGS, text) || text != SOUND_OFF;
}

bool LevelStore::saveSoundOn(bool on) const {
  return writeToPlayer(SETTINGS, on ? SOUND_ON : SOUND_OFF, true);
}

bool LevelStore::writeToPlayer(const std::string& relative, std::string_view text,
                               bool durable) const {
  const std::size_t slash = relative.rfind('/');
  const std::string file = relative.substr(slash + 1);
  if (!hasPlayerFolder()) {
    std::printf("Cannot write %s: no folder for the player's files (neither XDG_DATA_HOME nor "
                "HOME is set)\n",
                file.c_str());
    std::fflush(stdout);
    return false;
  }
  const std::string folder =
      player.getPath() + (slash == std::string::npos ? "" : "/" + relative.substr(0, slash));
  if (makePlayerFolders(folder) && replaceResourceFile(player, relative, text, durable)) {
    return true;
  }
  std::printf("Cannot write %s in %s: %s\n", file.c_str(), folder.c_str(), std::strerror(errno));
  std::fflush(stdout);
  return false;
}

void LevelStore::remove(const std::string& file) const {
  if (hasPlayerFolder()) {
    removeResourceFile(player, pathOf(file));
  }
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
