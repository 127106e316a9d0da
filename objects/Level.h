#pragma once

#include "actors/Point2D.h"
#include "objects/GameObject.h"

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

// The ordered objects of the level being played or edited. List order is
// drawing order and the search order of every query: the earliest match
// wins.
class Level {
public:
  Level() = default;
  Level(const Level&) = delete;
  Level& operator=(const Level&) = delete;

  void refresh();
  void update(int elapsedMs);
  void draw(bool editView) const;
  // Forwards the key to every selected object, in list order.
  void keyDown(const SDL_Event& e);
  void deselectAll();
  // The selected objects themselves (not clones), in list order.
  std::vector<GameObject*> getSelected() const;
  void addObject(std::unique_ptr<GameObject> o);
  // Clones of the selection, placed relative to the first selected object
  // (its position truncated to whole pixels). With cut, the selected
  // objects leave the level. Empty when nothing is selected.
  std::vector<std::unique_ptr<GameObject>> copy(bool cut);
  // Index of the first object whose resize handle intersects r, or -1.
  int resizeIntersecting(const RectangularSector& r) const;
  // Index of the first object whose rectangle intersects r, or -1.
  int platformIntersecting(const RectangularSector& r) const;
  // Top-left corner of the first spawn point, or (0, 0) without one.
  Point2D getSpawnPoint() const;

  // name is a file name inside Levels/, extension included. False (and an
  // empty level) when the file cannot be read.
  bool loadLevel(const std::string& name);
  // Replaces Levels/name atomically; false, with the old file untouched,
  // when the level cannot be written completely.
  bool saveLevel(const std::string& name) const;

  std::vector<std::unique_ptr<GameObject>> objects;
};
