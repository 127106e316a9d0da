#include "world/World.h"

#include "actors/Character.h"
#include "actors/RectangularSector.h"
#include "common/Units.h"
#include "input/KeyBinding.h"
#include "input/KeyState.h"
#include "objects/GameObject.h"
#include "objects/Level.h"
#include "objects/Platform.h"
#include "world/EditHistory.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>
#include <utility>

namespace {

constexpr double SCROLL_SPEED = 1000.0;
constexpr double MIN_SIZE = 10.0;
constexpr int PROBE_SIZE = 10;
constexpr double NEW_PLATFORM_WIDTH = 100.0;
constexpr double NEW_PLATFORM_HEIGHT = 20.0;
// How far the character is lifted per step when play starts inside objects.
constexpr double LIFT_STEP = 5.0;

constexpr Uint8 LEFT_BUTTON = 1;
constexpr Uint8 RIGHT_BUTTON = 3;

} // namespace

RectangularSector World::getMouseSector(int size) const {
  // An odd size leaves the extra pixel right of and below the pointer.
  const int half = size / 2;
  const int x = truncateToInt(mouse.x - half + offset.x);
  const int y = truncateToInt(mouse.y - half + offset.y);
  return RectangularSector(x, y, size, size);
}

void World::enableEditMode(bool on) {
  if (on) {
    editMode = true;
    level->deselectAll();
    glClearColor(0.2f, 0.2f, 0.2f, 0.0f);
    return;
  }

  commitDrag();
  editMode = false;
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  // Taken before the reset, which does not move the camera but does move
  // the character; play starts where the pointer is.
  const Point2D start = mouseWorld();
  resetLevel();
  character->position = start;
  liftClear();
}

void World::liftClear() {
  // Play starts above whatever the pointer is in, as if lifted LIFT_STEP
  // pixels at a time; the steps past each object are counted at once, so
  // that a very tall object costs one search, not millions.
  const double startY = character->position.y;
  double steps = 0;
  for (int hit = level->platformIntersecting(character->getRectangularSector()); hit != -1;
       hit = level->platformIntersecting(character->getRectangularSector())) {
    // Clear of the object once the box's bottom is on its top edge.
    const double top = level->get(static_cast<std::size_t>(hit)).getTop();
    const double needed = std::ceil((startY + Character::HALF_SIZE - top) / LIFT_STEP);
    if (!std::isfinite(needed)) {
      return;
    }
    steps = std::max(steps + 1, needed);
    character->position.y = startY - LIFT_STEP * steps;
  }
}

void World::updateEdit(int ms) {
  const double d = pps(SCROLL_SPEED, ms);
  if (keyBinding->check("up")) {
    offset.incY(-d);
  }
  if (keyBinding->check("down")) {
    offset.incY(d);
  }
  if (keyBinding->check("left")) {
    offset.incX(-d);
  }
  if (keyBinding->check("right")) {
    offset.incX(d);
  }

  if (dragMode != DRAG_MOVE && dragMode != DRAG_RESIZE) {
    return;
  }
  // A cut, delete, paste or level load under the held button may have taken
  // the grabbed object away or moved another one into its place: the drag
  // ends rather than carry on with whatever the index names now.
  if (level->getRevision() != dragRevision) {
    dragMode = DRAG_NONE;
    dragBefore.reset();
    return;
  }
  GameObject* object = &level->get(static_cast<std::size_t>(dragIndex));

  const Point2D pointer = mouseWorld() - dragAnchor;
  if (dragMode == DRAG_MOVE) {
    object->setPos(snapToGrid(pointer.x), snapToGrid(pointer.y));
    level->moved(static_cast<std::size_t>(dragIndex));
    return;
  }
  object->setWidth(snapToGrid(pointer.x) - object->getX());
  object->setHeight(snapToGrid(pointer.y) - object->getY());
  if (object->getWidth() < MIN_SIZE) {
    object->setWidth(MIN_SIZE);
  }
  if (object->getHeight() < MIN_SIZE) {
    object->setHeight(MIN_SIZE);
  }
  level->moved(static_cast<std::size_t>(dragIndex));
}

void World::mouseButtonDown(const SDL_Event& e) {
  const Uint8 button = e.button.button;
  if (!editMode) {
    if (button == LEFT_BUTTON) {
      fire();
    } else if (button == RIGHT_BUTTON) {
      std::cout << "do stuff" << std::flush;
    }
    return;
  }

  if (button == RIGHT_BUTTON) {
    commitDrag();
    const Point2D at = mouseWorld();
    level->addObject(std::make_unique<Platform>(at.x, at.y, NEW_PLATFORM_WIDTH, NEW_PLATFORM_HEIGHT,
                                                Platform::CLIMBABLE));
    history->record({}, {level->size() - 1});
    changed();
    return;
  }
  if (button != LEFT_BUTTON) {
    return;
  }

  // A new grab ends any drag the button-up of which never came.
  commitDrag();
  const bool shift = keyState->keyDown(SDLK_RSHIFT, SDLK_LSHIFT);
  const RectangularSector probe = getMouseSector(PROBE_SIZE);
  bool hit = false;

  const int body = level->platformIntersecting(probe);
  const int handle = level->resizeIntersecting(probe);
  // "Already selected" means selected before this click: a body grab that
  // starts a new selection does not cost the handle's object its place.
  const bool handleWasSelected =
      handle != -1 && level->get(static_cast<std::size_t>(handle)).isSelected();

  // Grabs object i with the anchor at the given corner; a plain click on an
  // object that was not selected starts a new selection.
  const auto grab = [&](int i, const Point2D& corner, int mode, bool wasSelected) {
    GameObject& object = level->get(static_cast<std::size_t>(i));
    dragAnchor = mouseWorld() - corner;
    dragIndex = i;
    dragMode = mode;
    dragRevision = level->getRevision();
    dragBefore = object.clone();
    if (!shift && !wasSelected) {
      level->deselectAll();
    }
    object.setSelected(true);
    hit = true;
  };

  if (body != -1) {
    const GameObject& object = level->get(static_cast<std::size_t>(body));
    grab(body, Point2D(object.getX(), object.getY()), DRAG_MOVE, object.isSelected());
  }
  // Runs after the body test and overrides its drag: a click touching both
  // an object and a resize handle resizes.
  if (handle != -1) {
    const GameObject& object = level->get(static_cast<std::size_t>(handle));
    grab(handle, Point2D(object.getRight(), object.getBottom()), DRAG_RESIZE, handleWasSelected);
  }
  if (!hit) {
    level->deselectAll();
  }
}

void World::mouseButtonUp(const SDL_Event& e) {
  if (e.button.button == LEFT_BUTTON && (dragMode == DRAG_MOVE || dragMode == DRAG_RESIZE)) {
    commitDrag();
    dragMode = DRAG_NONE;
    dragBefore.reset();
  }
}

void World::commitDrag() {
  if ((dragMode != DRAG_MOVE && dragMode != DRAG_RESIZE) || !dragBefore ||
      level->getRevision() != dragRevision) {
    return;
  }
  const auto i = static_cast<std::size_t>(dragIndex);
  const GameObject& object = level->get(i);
  // A drag that ends where it began changed nothing.
  if (object.sameAs(*dragBefore)) {
    return;
  }
  std::vector<Level::Entry> before;
  before.push_back(Level::Entry{i, std::exchange(dragBefore, object.clone())});
  history->record(std::move(before), {i});
  // Recording exchanged nothing; the drag may carry on with the same index.
  dragRevision = level->getRevision();
  changed();
}

void World::objectKeys(const SDL_Event& e) {
  std::vector<Level::Entry> before;
  for (std::size_t i = 0; i < level->size(); ++i) {
    if (level->get(i).isSelected()) {
      before.push_back(Level::Entry{i, level->get(i).clone()});
    }
  }
  if (before.empty()) {
    return;
  }
  commitDrag();
  level->keyDown(e);
  // Only what the key changed is kept for undo.
  std::vector<Level::Entry> changedBefore;
  std::vector<std::size_t> places;
  for (Level::Entry& entry : before) {
    if (!level->get(entry.index).sameAs(*entry.object)) {
      places.push_back(entry.index);
      changedBefore.push_back(std::move(entry));
    }
  }
  if (!places.empty()) {
    history->record(std::move(changedBefore), std::move(places));
    changed();
  }
}

void World::stepHistory(bool redo) {
  commitDrag();
  dragMode = DRAG_NONE;
  const bool stepped = redo ? history->redo(*level) : history->undo(*level);
  if (stepped) {
    changed();
  }
  message(stepped ? (redo ? "Redo" : "Undo") : (redo ? "Nothing to redo" : "Nothing to undo"));
}
