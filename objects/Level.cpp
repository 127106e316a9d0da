#include "objects/Level.h"

#include <cmath>

void Level::refresh() {
  for (const auto& o : objects) {
    o->refresh();
  }
}

void Level::update(int elapsedMs) {
  for (const auto& o : objects) {
    o->update(elapsedMs);
  }
}

void Level::draw(bool editView) const {
  for (const auto& o : objects) {
    o->draw(editView);
  }
}

void Level::keyDown(const SDL_Event& e) {
  for (const auto& o : objects) {
    if (o->isSelected()) {
      o->keyDown(e);
    }
  }
}

void Level::deselectAll() {
  for (const auto& o : objects) {
    o->setSelected(false);
  }
}

std::vector<GameObject*> Level::getSelected() const {
  std::vector<GameObject*> selected;
  for (const auto& o : objects) {
    if (o->isSelected()) {
      selected.push_back(o.get());
    }
  }
  return selected;
}

void Level::addObject(std::unique_ptr<GameObject> o) {
  objects.push_back(std::move(o));
}

std::vector<std::unique_ptr<GameObject>> Level::copy(bool cut) {
  std::vector<std::unique_ptr<GameObject>> clipboard;
  double ox = 0;
  double oy = 0;
  std::size_t i = 0;
  while (i < objects.size()) {
    if (!objects[i]->isSelected()) {
      ++i;
      continue;
    }
    std::unique_ptr<GameObject> c = objects[i]->clone();
    if (clipboard.empty()) {
      // Whole pixels, so that pasting keeps every object's offset from the
      // grid. trunc rather than a cast to int: same value, no overflow.
      ox = std::trunc(c->getX());
      oy = std::trunc(c->getY());
    }
    c->incX(-ox);
    c->incY(-oy);
    clipboard.push_back(std::move(c));
    if (cut) {
      // The next object moves into place i and is examined next.
      objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
  return clipboard;
}

int Level::resizeIntersecting(const RectangularSector& r) const {
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (r.intersects(objects[i]->getResizeBox())) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int Level::platformIntersecting(const RectangularSector& r) const {
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (r.intersects(*objects[i])) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

Point2D Level::getSpawnPoint() const {
  for (const auto& o : objects) {
    if (o->getType() == GameObject::SPAWN_POINT) {
      return Point2D(o->getX(), o->getY());
    }
  }
  return Point2D(0, 0);
}
