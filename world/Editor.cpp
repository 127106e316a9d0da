#include "world/Editor.h"

#include "common/Draw.h"
#include "common/Units.h"
#include "input/KeyBinding.h"
#include "input/KeyState.h"
#include "objects/GameObject.h"
#include "objects/Monster.h"
#include "objects/Platform.h"
#include "world/Camera.h"
#include "world/LevelDocument.h"

#include <GL/gl.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace {

// Screen pixels per second, whatever the level's size.
constexpr double SCROLL_SPEED = 1000.0;
// The pointer's probe and its red marker, in window pixels.
constexpr int PROBE_SIZE = 10;
// What the right button and the add-object menu put down.
constexpr double NEW_PLATFORM_WIDTH = 100;
constexpr double NEW_PLATFORM_HEIGHT = 20;
constexpr double NEW_SMALL_SIDE = 20;
constexpr double NEW_GOAL_SIDE = 100;

constexpr Uint8 LEFT_BUTTON = 1;
constexpr Uint8 RIGHT_BUTTON = 3;

std::unique_ptr<GameObject> makeTool(int tool, const Point2D& at) {
  switch (tool) {
  case Editor::TOOL_PLATFORM:
    return std::make_unique<Platform>(at.x, at.y, NEW_PLATFORM_WIDTH, NEW_PLATFORM_HEIGHT,
                                      Platform::CLIMBABLE);
  case Editor::TOOL_MONSTER:
    return std::make_unique<Monster>(at.x, at.y, NEW_SMALL_SIDE, NEW_SMALL_SIDE);
  case Editor::TOOL_SPAWN_POINT:
    return std::make_unique<GameObject>(at.x, at.y, NEW_SMALL_SIDE, NEW_SMALL_SIDE,
                                        GameObject::SPAWN_POINT);
  case Editor::TOOL_GOAL_AREA:
    return std::make_unique<GameObject>(at.x, at.y, NEW_GOAL_SIDE, NEW_GOAL_SIDE,
                                        GameObject::GOAL_AREA);
  default:
    return nullptr;
  }
}

// The editing action of a key, if it has one.
std::optional<GameObject::EditAction> actionOf(SDLKey key) {
  using Action = GameObject::EditAction;
  switch (key) {
  case SDLK_UP:
    return Action::NUDGE_UP;
  case SDLK_DOWN:
    return Action::NUDGE_DOWN;
  case SDLK_LEFT:
    return Action::NUDGE_LEFT;
  case SDLK_RIGHT:
    return Action::NUDGE_RIGHT;
  case SDLK_1:
    return Action::CLIMBABLE;
  case SDLK_2:
    return Action::JUMPABLE;
  case SDLK_3:
    return Action::PLAIN;
  default:
    return std::nullopt;
  }
}

} // namespace

Editor::Editor(LevelDocument* document, Camera* camera, const KeyState* keys,
               const KeyBinding* bindings)
    : document(document), camera(camera), keys(keys), bindings(bindings) {}

void Editor::begin() {
  active = true;
  document->getLevel().deselectAll();
}

void Editor::end() {
  commitDrag();
  active = false;
}

void Editor::updateEdit(int ms) {
  const double d = pps(SCROLL_SPEED, ms);
  if (bindings->check("up", false)) {
    camera->scroll(0, -d);
  }
  if (bindings->check("down", false)) {
    camera->scroll(0, d);
  }
  if (bindings->check("left", false)) {
    camera->scroll(-d, 0);
  }
  if (bindings->check("right", false)) {
    camera->scroll(d, 0);
  }
  if (dragMode == DRAG_MOVE || dragMode == DRAG_RESIZE) {
    carryDrag();
  }
}

void Editor::carryDrag() {
  Level& level = document->getLevel();
  // A cut, delete, paste or level load under the held button may have taken
  // the grabbed object away or moved another one into its place: the drag
  // ends rather than carry on with whatever the index names now.
  if (level.getRevision() != dragRevision) {
    dragMode = DRAG_NONE;
    dragBefore.reset();
    return;
  }
  const auto i = static_cast<std::size_t>(dragIndex);
  GameObject& object = level.get(i);
  const Point2D pointer = camera->mouseInLevel() - dragAnchor;
  if (dragMode == DRAG_MOVE) {
    object.setPos(snapToGrid(pointer.x), snapToGrid(pointer.y));
  } else {
    object.setWidth(std::max(snapToGrid(pointer.x) - object.getX(), HANDLE_SIZE));
    object.setHeight(std::max(snapToGrid(pointer.y) - object.getY(), HANDLE_SIZE));
  }
  level.moved(i);
}

void Editor::mouseButtonDown(Uint8 button) {
  if (button == RIGHT_BUTTON) {
    commitDrag();
    const Point2D at = camera->mouseInLevel();
    add(std::make_unique<Platform>(at.x, at.y, NEW_PLATFORM_WIDTH, NEW_PLATFORM_HEIGHT,
                                   Platform::CLIMBABLE),
        false);
  } else if (button == LEFT_BUTTON) {
    // A new grab ends any drag the button-up of which never came.
    commitDrag();
    select(keys->keyDown(SDLK_RSHIFT, SDLK_LSHIFT));
  }
}

void Editor::select(bool shift) {
  Level& level = document->getLevel();
  const RectangularSector probe = camera->getMouseSector(PROBE_SIZE);
  const int body = level.platformIntersecting(probe);
  const int handle = level.resizeIntersecting(probe);
  // "Already selected" means selected before this click: a body grab that
  // starts a new selection does not cost the handle's object its place.
  const bool handleWasSelected =
      handle != -1 && level.get(static_cast<std::size_t>(handle)).isSelected();
  // A plain click on an object that was not selected starts a new
  // selection.
  const auto take = [&](int i, bool wasSelected) {
    if (!shift && !wasSelected) {
      level.deselectAll();
    }
    level.get(static_cast<std::size_t>(i)).setSelected(true);
  };
  if (body != -1) {
    const GameObject& object = level.get(static_cast<std::size_t>(body));
    const bool wasSelected = object.isSelected();
    grab(body, Point2D(object.getX(), object.getY()), DRAG_MOVE);
    take(body, wasSelected);
  }
  // Runs after the body test and overrides its drag: a click touching both
  // an object and a resize handle resizes.
  if (handle != -1) {
    const GameObject& object = level.get(static_cast<std::size_t>(handle));
    grab(handle, Point2D(object.getRight(), object.getBottom()), DRAG_RESIZE);
    take(handle, handleWasSelected);
  }
  if (body == -1 && handle == -1) {
    level.deselectAll();
  }
}

void Editor::grab(int i, const Point2D& corner, int mode) {
  const Level& level = document->getLevel();
  dragAnchor = camera->mouseInLevel() - corner;
  dragIndex = i;
  dragMode = mode;
  dragRevision = level.getRevision();
  dragBefore = level.get(static_cast<std::size_t>(i)).clone();
}

void Editor::mouseButtonUp(Uint8 button) {
  if (button == LEFT_BUTTON && (dragMode == DRAG_MOVE || dragMode == DRAG_RESIZE)) {
    commitDrag();
    dragMode = DRAG_NONE;
    dragBefore.reset();
  }
}

void Editor::commitDrag() {
  const Level& level = document->getLevel();
  if ((dragMode != DRAG_MOVE && dragMode != DRAG_RESIZE) || !dragBefore ||
      level.getRevision() != dragRevision) {
    return;
  }
  const auto i = static_cast<std::size_t>(dragIndex);
  const GameObject& object = level.get(i);
  // A drag that ends where it began changed nothing.
  if (object.sameAs(*dragBefore)) {
    return;
  }
  std::vector<Level::Entry> before;
  before.push_back(Level::Entry{i, std::exchange(dragBefore, object.clone())});
  document->record(std::move(before), {i});
  // Recording exchanged nothing; the drag may carry on with the same index.
  dragRevision = level.getRevision();
}

void Editor::keyDown(SDLKey key) {
  if (key == SDLK_x || key == SDLK_BACKSPACE) {
    cut(key == SDLK_x);
  } else if (key == SDLK_c) {
    clipboard = document->getLevel().copy(false);
  } else if (key == SDLK_v && clipboard) {
    paste();
  }
  edit(actionOf(key));
}

void Editor::cut(bool keep) {
  commitDrag();
  std::vector<Level::Entry> removed;
  Level::ObjectList taken = document->getLevel().copy(true, &removed);
  if (keep) {
    clipboard = std::move(taken);
  }
  if (!removed.empty()) {
    document->record(std::move(removed), {});
  }
}

void Editor::paste() {
  commitDrag();
  Level& level = document->getLevel();
  level.deselectAll();
  const Point2D at = camera->mouseInLevel();
  std::vector<std::size_t> added;
  for (const std::unique_ptr<GameObject>& original : *clipboard) {
    std::unique_ptr<GameObject> object = original->clone();
    object->incX(at.x);
    object->incY(at.y);
    object->setPos(snapToGrid(object->getX()), snapToGrid(object->getY()));
    object->setSelected(true);
    added.push_back(level.size());
    level.addObject(std::move(object));
  }
  if (!added.empty()) {
    document->record({}, std::move(added));
  }
}

void Editor::edit(std::optional<GameObject::EditAction> action) {
  Level& level = document->getLevel();
  std::vector<Level::Entry> before;
  for (std::size_t i = 0; i < level.size(); ++i) {
    if (level.get(i).isSelected()) {
      if (!action) {
        // Any key that reaches a selection closes the drag's step first.
        commitDrag();
        return;
      }
      before.push_back(Level::Entry{i, level.get(i).clone()});
    }
  }
  if (before.empty()) {
    return;
  }
  commitDrag();
  level.edit(*action);
  // Only what the action changed is kept for undo.
  std::vector<Level::Entry> changedBefore;
  std::vector<std::size_t> places;
  for (Level::Entry& entry : before) {
    if (!level.get(entry.index).sameAs(*entry.object)) {
      places.push_back(entry.index);
      changedBefore.push_back(std::move(entry));
    }
  }
  if (!places.empty()) {
    document->record(std::move(changedBefore), std::move(places));
  }
}

void Editor::addTool(int tool) {
  if (std::unique_ptr<GameObject> object = makeTool(tool, camera->mouseInLevel())) {
    add(std::move(object), true);
  }
}

void Editor::add(std::unique_ptr<GameObject> object, bool select) {
  commitDrag();
  Level& level = document->getLevel();
  if (select) {
    level.deselectAll();
    object->setSelected(true);
  }
  level.addObject(std::move(object));
  document->record({}, {level.size() - 1});
}

bool Editor::stepHistory(bool redo) {
  commitDrag();
  dragMode = DRAG_NONE;
  return redo ? document->redo() : document->undo();
}

void Editor::draw() const {
  constexpr int HALF = PROBE_SIZE / 2;
  const Point2D& mouse = camera->getMouse();
  const int left = truncateToInt(mouse.x - HALF);
  const int top = truncateToInt(mouse.y - HALF);
  glColor3d(1, 0, 0);
  fillBox(left, top, left + PROBE_SIZE, top + PROBE_SIZE);
}
