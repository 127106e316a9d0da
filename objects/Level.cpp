#include "objects/Level.h"

#include "objects/Monster.h"

#include <algorithm>
#include <cmath>

namespace {

// How far out of an object its select box reaches, in window pixels: the
// outermost outline and half a line more.
constexpr double SELECT_BOX_REACH = 8;

ObjectGrid::Box boxOf(const RectangularSector& r) {
  const double x1 = r.getLeft();
  const double x2 = r.getRight();
  const double y1 = r.getTop();
  const double y2 = r.getBottom();
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

} // namespace

Level::Level() : grid(&objects) {}

void Level::listChanged() {
  listEdited();
  grid.invalidate();
}

void Level::listEdited() {
  ++revision;
  // Play resets every monster before it runs on a changed list.
  hit.clear();
}

void Level::refresh() {
  for (const auto& o : objects) {
    o->refresh();
  }
}

int Level::update(int elapsedMs) {
  // A monster's update only acts on hit points below 0, and only shots take
  // them: updating the monsters hit since the last frame, in list order,
  // does all that updating every object would.
  std::sort(hit.begin(), hit.end());
  hit.erase(std::unique(hit.begin(), hit.end()), hit.end());
  int left = 0;
  for (const std::uint32_t i : hit) {
    const bool wasActive = objects[i]->isActive();
    objects[i]->update(elapsedMs);
    left += wasActive && !objects[i]->isActive() ? 1 : 0;
  }
  hit.clear();
  return left;
}

bool Level::damage(std::size_t i, int hitPoints) {
  auto* monster = dynamic_cast<Monster*>(objects[i].get());
  if (monster == nullptr) {
    return false;
  }
  monster->incCurrentHp(-hitPoints);
  hit.push_back(static_cast<std::uint32_t>(i));
  return true;
}

void Level::draw(bool editView, const RectangularSector& view, double scale) const {
  // Room for a screenful at once, so that scrolling over the level does
  // not allocate a little more every time more objects come into view.
  constexpr std::size_t SCREENFUL = 4096;
  if (visible.capacity() < std::min(objects.size(), SCREENFUL)) {
    visible.reserve(std::min(objects.size(), SCREENFUL));
  }
  ObjectGrid::Box box = boxOf(view);
  if (scale < 1) {
    // Zoomed out, select boxes keep their size on screen and reach further
    // in level pixels than the grid's footprints allow for.
    const double reach = (HANDLE_SIZE + SELECT_BOX_REACH) / scale;
    box = {box.left - reach, box.top - reach, box.right + reach, box.bottom + reach};
  }
  grid.collect(box, visible);
  drawn = 0;
  for (const std::uint32_t i : visible) {
    const GameObject& object = *objects[i];
    // Whether such a sliver covers a pixel would depend on where the view
    // happens to be: it flickers while scrolling, so it is not drawn.
    if (scale < 1 && std::abs(object.getWidth()) * scale < 1 &&
        std::abs(object.getHeight()) * scale < 1) {
      if (editView && object.isSelected()) {
        object.drawSelectBox(scale);
      }
      continue;
    }
    object.draw(editView, scale);
    ++drawn;
  }
}

void Level::edit(GameObject::EditAction action) {
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (objects[i]->isSelected()) {
      objects[i]->edit(action);
      grid.touched(i);
    }
  }
}

void Level::deselectAll() {
  for (const auto& o : objects) {
    o->setSelected(false);
  }
}

void Level::selectAll() {
  for (const auto& o : objects) {
    o->setSelected(true);
  }
}

std::size_t Level::selectIntersecting(const RectangularSector& r) {
  grid.collect(boxOf(r), visible);
  std::size_t added = 0;
  for (const std::uint32_t i : visible) {
    GameObject& object = *objects[i];
    if (!object.isSelected() && object.intersects(r)) {
      object.setSelected(true);
      ++added;
    }
  }
  return added;
}

std::size_t Level::countSelected() const {
  return static_cast<std::size_t>(
      std::count_if(objects.begin(), objects.end(), [](const auto& o) { return o->isSelected(); }));
}

std::vector<const GameObject*> Level::getSelected() const {
  std::vector<const GameObject*> selected;
  for (const auto& o : objects) {
    if (o->isSelected()) {
      selected.push_back(o.get());
    }
  }
  return selected;
}

void Level::addObject(std::unique_ptr<GameObject> o) {
  objects.push_back(std::move(o));
  ++revision;
  grid.touched(objects.size() - 1);
}

Level::ObjectList Level::copy(bool cut, std::vector<Entry>* removed) {
  ObjectList clipboard;
  double ox = 0;
  double oy = 0;
  for (const auto& o : objects) {
    if (!o->isSelected()) {
      continue;
    }
    std::unique_ptr<GameObject> c = o->clone();
    if (clipboard.empty()) {
      // Whole pixels, so that pasting keeps every object's offset from the
      // grid. trunc rather than a cast to int: same value, no overflow.
      ox = std::trunc(c->getX());
      oy = std::trunc(c->getY());
    }
    c->incX(-ox);
    c->incY(-oy);
    clipboard.push_back(std::move(c));
  }
  if (cut) {
    std::vector<Entry> discarded;
    removeSelected(removed != nullptr ? *removed : discarded);
  }
  return clipboard;
}

void Level::removeSelected(std::vector<Entry>& removed) {
  std::size_t kept = 0;
  std::vector<std::size_t> taken;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (objects[i]->isSelected()) {
      taken.push_back(i);
      removed.push_back(Entry{i, std::move(objects[i])});
    } else {
      objects[kept++] = std::move(objects[i]);
    }
  }
  if (kept != objects.size()) {
    objects.resize(kept);
    listEdited();
    grid.removed(taken);
  }
}

int Level::resizeIntersecting(const RectangularSector& r, double side) const {
  // A handle larger than the grid's footprints allow for is found from the
  // corner it hangs off, which the footprint holds.
  ObjectGrid::Box box = boxOf(r);
  if (side > HANDLE_SIZE) {
    box.left -= side;
    box.top -= side;
  }
  return grid.first(box,
                    [&](std::size_t i) { return r.intersects(objects[i]->getResizeBox(side)); });
}

int Level::platformIntersecting(const RectangularSector& r) const {
  return grid.first(boxOf(r), [&](std::size_t i) { return r.intersects(*objects[i]); });
}

int Level::activeIntersecting(const RectangularSector& r) const {
  return grid.first(
      boxOf(r), [&](std::size_t i) { return objects[i]->isActive() && objects[i]->intersects(r); });
}

int Level::activeContaining(int px, int py) const {
  const double x = px;
  const double y = py;
  return grid.first({x, y, x, y}, [&](std::size_t i) {
    return objects[i]->isActive() && objects[i]->contains(px, py);
  });
}

Point2D Level::getSpawnPoint() const {
  for (const auto& o : objects) {
    if (o->getType() == GameObject::SPAWN_POINT) {
      return Point2D(o->getX(), o->getY());
    }
  }
  return Point2D(0, 0);
}

void Level::moved(std::size_t i) {
  grid.touched(i);
}

void Level::setObjects(ObjectList list) {
  objects = std::move(list);
  listChanged();
}

std::vector<Level::Entry> Level::exchange(const std::vector<std::size_t>& takeOut,
                                          std::vector<Entry> putIn) {
  std::vector<Entry> out;
  out.reserve(takeOut.size());
  // Replacements in place (the usual undo of a move) keep every other index.
  const bool inPlace =
      takeOut.size() == putIn.size() &&
      std::equal(takeOut.begin(), takeOut.end(), putIn.begin(),
                 [](std::size_t i, const Entry& entry) { return i == entry.index; });
  if (inPlace) {
    for (Entry& entry : putIn) {
      out.push_back(Entry{entry.index, std::move(objects[entry.index])});
      objects[entry.index] = std::move(entry.object);
      grid.touched(entry.index);
    }
    listEdited();
    return out;
  }

  // One pass for any number of objects: what stays is compacted, then the
  // new objects are merged in at their places.
  std::size_t kept = 0;
  std::size_t next = 0;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (next < takeOut.size() && takeOut[next] == i) {
      out.push_back(Entry{i, std::move(objects[i])});
      ++next;
    } else {
      objects[kept++] = std::move(objects[i]);
    }
  }
  objects.resize(kept);
  grid.removed(takeOut);
  ObjectList merged;
  merged.reserve(kept + putIn.size());
  std::vector<std::size_t> places;
  places.reserve(putIn.size());
  std::size_t from = 0;
  for (Entry& entry : putIn) {
    while (merged.size() < entry.index && from < objects.size()) {
      merged.push_back(std::move(objects[from++]));
    }
    places.push_back(merged.size());
    merged.push_back(std::move(entry.object));
  }
  while (from < objects.size()) {
    merged.push_back(std::move(objects[from++]));
  }
  objects = std::move(merged);
  listEdited();
  grid.inserted(places);
  return out;
}
