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
#include <cmath>
#include <cstdio>
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
constexpr Uint8 WHEEL_UP = 4;
constexpr Uint8 WHEEL_DOWN = 5;

// The grid's lines: every GRID pixels, stronger every GRID_MAJOR; the fine
// ones only while they stay this many window pixels apart.
constexpr double GRID_MAJOR = 100;
constexpr double GRID_MIN_SPACING = 4;
constexpr Uint8 GRID_GREY = 0x40;
constexpr Uint8 GRID_MAJOR_GREY = 0x60;
// The readout strip along the bottom of the window and its text's baseline
// above the bottom edge.
constexpr int READOUT_HEIGHT = 26;
constexpr int READOUT_BASELINE = 7;
constexpr int READOUT_X = 5;
// Room for the longest readout, taken at once: a frame whose numbers grow
// a digit must not allocate.
constexpr std::size_t READOUT_CHARS = 96;

// The rectangle with corners a and b, whichever way round they are.
RectangularSector between(const Point2D& a, const Point2D& b) {
  return RectangularSector(std::min(a.x, b.x), std::min(a.y, b.y), std::abs(a.x - b.x),
                           std::abs(a.y - b.y));
}

// The lines of the grid at multiples of step that show in the window, as
// the camera places them: rectangles one window pixel wide, whatever the
// zoom.
void gridLines(const Camera& camera, double step) {
  const RectangularSector view = camera.view();
  const auto width = static_cast<float>(camera.getWidth());
  const auto height = static_cast<float>(camera.getHeight());
  const auto quad = [](float left, float top, float right, float bottom) {
    glVertex2f(left, top);
    glVertex2f(right, top);
    glVertex2f(right, bottom);
    glVertex2f(left, bottom);
  };
  glBegin(GL_QUADS);
  for (double x = std::ceil(view.getLeft() / step) * step; x < view.getRight(); x += step) {
    const auto at = static_cast<float>(std::floor(camera.toWindow(Point2D(x, 0)).x));
    quad(at, 0, at + 1, height);
  }
  for (double y = std::ceil(view.getTop() / step) * step; y < view.getBottom(); y += step) {
    const auto at = static_cast<float>(std::floor(camera.toWindow(Point2D(0, y)).y));
    quad(0, at, width, at + 1);
  }
  glEnd();
}

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
    : document(document), camera(camera), keys(keys), bindings(bindings) {
  readout.reserve(READOUT_CHARS);
}

void Editor::begin() {
  active = true;
  document->getLevel().deselectAll();
}

void Editor::end() {
  commitDrag();
  dragMode = DRAG_NONE;
  dragBefore.reset();
  camera->resetZoom();
  active = false;
}

void Editor::updateEdit(int ms) {
  // In window pixels: the camera turns them into more level pixels when
  // zoomed out.
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
  } else if (button == WHEEL_UP || button == WHEEL_DOWN) {
    camera->zoomStep(button == WHEEL_UP);
  }
  countStale = true;
}

void Editor::select(bool shift) {
  Level& level = document->getLevel();
  const RectangularSector probe = camera->getMouseSector(PROBE_SIZE);
  const int body = level.platformIntersecting(probe);
  // The handle keeps its size on screen, as the probe does.
  const int handle = level.resizeIntersecting(probe, camera->toLevelLength(HANDLE_SIZE));
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
  // Empty space starts a selection box; with Shift, what it meets is added
  // to the selection, which stays until then.
  if (body == -1 && handle == -1) {
    if (!shift) {
      level.deselectAll();
    }
    dragMode = DRAG_BOX;
    dragAnchor = camera->mouseInLevel();
    dragBefore.reset();
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
  } else if (button == LEFT_BUTTON && dragMode == DRAG_BOX) {
    closeBox();
  }
  countStale = true;
}

void Editor::closeBox() {
  dragMode = DRAG_NONE;
  Level& level = document->getLevel();
  const Point2D at = camera->mouseInLevel();
  // A click that went nowhere deselects, with Shift too, as it always has.
  if (at == dragAnchor) {
    level.deselectAll();
  } else {
    level.selectIntersecting(between(dragAnchor, at));
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
  } else if (key == SDLK_g) {
    gridShown = !gridShown;
  }
  edit(actionOf(key));
  countStale = true;
}

bool Editor::ctrlKey(SDLKey key) {
  if (key == SDLK_a) {
    commitDrag();
    document->getLevel().selectAll();
  } else if (key == SDLK_d) {
    duplicate();
  } else {
    return false;
  }
  countStale = true;
  return true;
}

void Editor::duplicate() {
  commitDrag();
  Level& level = document->getLevel();
  Level::ObjectList copies;
  for (const GameObject* original : level.getSelected()) {
    copies.push_back(original->clone());
    copies.back()->incX(GRID);
    copies.back()->incY(GRID);
    copies.back()->setSelected(true);
  }
  if (copies.empty()) {
    return;
  }
  level.deselectAll();
  std::vector<std::size_t> added;
  added.reserve(copies.size());
  for (std::unique_ptr<GameObject>& copy : copies) {
    added.push_back(level.size());
    level.addObject(std::move(copy));
  }
  document->record({}, std::move(added));
}

void Editor::cut(bool keep) {
  commitDrag();
  std::vector<Level::Entry> removed;
  if (keep) {
    clipboard = document->getLevel().copy(true, &removed);
  } else {
    document->getLevel().removeSelected(removed);
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
  // Any key closes the drag's step first. (A drag in progress always has
  // its object selected, so this is the same as closing it only for keys
  // that reach a selection, without a walk of the whole level per key.)
  if (!action) {
    commitDrag();
    return;
  }
  Level& level = document->getLevel();
  std::vector<Level::Entry> before;
  for (std::size_t i = 0; i < level.size(); ++i) {
    if (level.get(i).isSelected()) {
      before.push_back(Level::Entry{i, level.get(i).clone()});
    }
  }
  if (before.empty()) {
    return;
  }
  commitDrag();
  // The objects found above, rather than another walk of the whole level.
  for (const Level::Entry& entry : before) {
    level.get(entry.index).edit(*action);
    level.moved(entry.index);
  }
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
  countStale = true;
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
  countStale = true;
  return redo ? document->redo() : document->undo();
}

void Editor::drawGrid() const {
  if (!active || !gridShown) {
    return;
  }
  if (GRID * camera->getZoom() >= GRID_MIN_SPACING) {
    glColor3ub(GRID_GREY, GRID_GREY, GRID_GREY);
    gridLines(*camera, GRID);
  }
  // Over the fine lines, which they fall on.
  glColor3ub(GRID_MAJOR_GREY, GRID_MAJOR_GREY, GRID_MAJOR_GREY);
  gridLines(*camera, GRID_MAJOR);
}

void Editor::draw() const {
  constexpr int HALF = PROBE_SIZE / 2;
  const Point2D& mouse = camera->getMouse();
  if (dragMode == DRAG_BOX) {
    const Point2D from = camera->toWindow(dragAnchor);
    glColor3d(1, 1, 1);
    outlineBox(truncateToInt(std::min(from.x, mouse.x)), truncateToInt(std::min(from.y, mouse.y)),
               truncateToInt(std::max(from.x, mouse.x)), truncateToInt(std::max(from.y, mouse.y)));
  }
  drawReadout();
  const int left = truncateToInt(mouse.x - HALF);
  const int top = truncateToInt(mouse.y - HALF);
  glColor3d(1, 0, 0);
  fillBox(left, top, left + PROBE_SIZE, top + PROBE_SIZE);
}

void Editor::drawReadout() const {
  const Level& level = document->getLevel();
  if (countStale || countRevision != level.getRevision()) {
    selectedCount = level.countSelected();
    countStale = false;
    countRevision = level.getRevision();
  }
  const Point2D at = camera->mouseInLevel();
  const double zoom = camera->getZoom();
  // Whole numbers, without the minus of a negative zero; the zoom as a
  // fraction.
  char text[READOUT_CHARS];
  std::snprintf(text, sizeof text, "x %.0f   y %.0f   zoom %s%.0f   %zu selected",
                snapToGrid(at.x) + 0.0, snapToGrid(at.y) + 0.0, zoom < 1 ? "1/" : "",
                zoom < 1 ? 1 / zoom : zoom, selectedCount);
  readout.assign(text);
  const int width = camera->getWidth();
  const int height = camera->getHeight();
  glColor3d(0.1, 0.1, 0.1);
  fillBox(0, height - READOUT_HEIGHT, width, height);
  glColor3d(0.9, 0.9, 0.9);
  drawText(READOUT_X, height - READOUT_BASELINE, readout);
}
