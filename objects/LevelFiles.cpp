#include "objects/Level.h"

#include "common/FunctionsFiles.h"
#include "objects/LevelText.h"

bool Level::loadLevel(const std::string& name) {
  std::string text;
  if (!readResourceFile("Levels/" + name, text)) {
    setObjects({});
    return false;
  }
  setObjects(parseLevelText(text).objects);
  return true;
}

bool Level::saveLevel(const std::string& name) const {
  return replaceResourceFile("Levels/" + name, levelText(objects));
}
