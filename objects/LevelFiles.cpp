#include "objects/Level.h"

#include "common/ResourceFiles.h"
#include "objects/LevelText.h"

bool Level::loadLevel(const ResourceRoot& root, const std::string& name) {
  std::string text;
  if (!readResourceFile(root, "Levels/" + name, text)) {
    setObjects({});
    return false;
  }
  setObjects(parseLevelText(text).objects);
  return true;
}

bool Level::saveLevel(const ResourceRoot& root, const std::string& name) const {
  return replaceResourceFile(root, "Levels/" + name, levelText(objects));
}
