#pragma once

#include "actors/Point2D.h"
#include "common/Units.h"
#include "objects/GameObject.h"
#include "objects/ObjectGrid.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The ordered objects of the level being played or edited. List order is
// drawing order and the search order of every query: the earliest match
// wins, whatever the grid that narrows the searches finds first.
//
// The list changes only through the operations here, so that the grid can
// follow it; an object changed in place through get() must be reported
// with moved().
class Level {
public:
  using ObjectList = std::vector<std::unique_ptr<GameObject>>;
  // An object with its place in the list.
  struct Entry {
    std::size_t index;
    std::unique_ptr<GameObject> object;
  };

  Level();
  Level(const Level&) = delete;
  Level& operator=(const Level&) = delete;

  void refresh();
  // Once per play frame: updates, in list order, the objects whose update
  // has something to do. Only a monster's does, and only after its hit
  // points changed (damage); every other object costs nothing.
  // Returns how many objects left play in it.
  int update(int elapsedMs);
  // A shot of the given damage hits object i: a monster loses the hit
  // points and is updated (and dies, below 0) in the next update. True
  // when object i is a monster.
  bool damage(std::size_t i, int hitPoints);
  // Draws, in list order, the objects whose drawing can reach view (level
  // pixels) shown at scale window pixels per level pixel; the rest are not
  // sent to OpenGL. Zoomed out, an object smaller than a window pixel
  // either way is left out (only its select box shows).
  void draw(bool editView, const RectangularSector& view, double scale = 1) const;
  // How many objects the last drawing drew.
  std::size_t getDrawnCount() const { return drawn; }
  // Edits every selected object, in list order.
  void edit(GameObject::EditAction action);
  void deselectAll();
  void selectAll();
  // Selects every object whose rectangle intersects r; returns how many
  // that were not selected before.
  std::size_t selectIntersecting(const RectangularSector& r);
  std::size_t countSelected() const;
  // The selected objects themselves (not clones), in list order.
  std::vector<const GameObject*> getSelected() const;
  void addObject(std::unique_ptr<GameObject> o);
  // Clones of the selection, placed relative to the first selected object
  // (its position truncated to whole pixels). With cut, the selected
  // objects leave the level, into removed when given. Empty when nothing is
  // selected.
  ObjectList copy(bool cut, std::vector<Entry>* removed = nullptr);
  // The selected objects leave the level, into removed (appended, with the
  // places they had).
  void removeSelected(std::vector<Entry>& removed);

  // The searches: the index of the first object in list order that meets
  // the test, or -1.
  // Whose resize handle, of side level pixels, intersects r.
  int resizeIntersecting(const RectangularSector& r, double side = HANDLE_SIZE) const;
  // Whose rectangle intersects r, active or not.
  int platformIntersecting(const RectangularSector& r) const;
  // Active, and whose rectangle intersects r.
  int activeIntersecting(const RectangularSector& r) const;
  // Active, and whose rectangle contains the point.
  int activeContaining(int px, int py) const;

  // Top-left corner of the first spawn point, or (0, 0) without one.
  Point2D getSpawnPoint() const;

  const ObjectList& getObjects() const { return objects; }
  std::size_t size() const { return objects.size(); }
  GameObject& get(std::size_t i) { return *objects[i]; }
  const GameObject& get(std::size_t i) const { return *objects[i]; }
  // Object i's rectangle was changed in place.
  void moved(std::size_t i);
  void setObjects(ObjectList list);
  // Takes out the objects at the indices takeOut (ascending) and puts in
  // the entries of putIn, each at its index in the resulting list
  // (ascending). Returns what was taken out, with the indices it had.
  std::vector<Entry> exchange(const std::vector<std::size_t>& takeOut, std::vector<Entry> putIn);
  // Changes whenever objects join, leave or change places in the list; a
  // drag holds on to an index only while it stays the same.
  std::uint64_t getRevision() const { return revision; }

private:
  // The list changed as a whole, or only by objects taken out or put in
  // (the grid renumbers what it holds) or replaced in place (the grid
  // files them again).
  void listChanged();
  void listEdited();

  ObjectList objects;
  ObjectGrid grid;
  // Monsters hit since the last update, in the order they were hit.
  std::vector<std::uint32_t> hit;
  std::uint64_t revision = 0;
  // The visible objects of the last drawing; kept to reuse its memory.
  mutable std::vector<std::uint32_t> visible;
  mutable std::size_t drawn = 0;
};
