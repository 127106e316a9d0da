#pragma once

#include "actors/Point2D.h"
#include "objects/Level.h"

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Camera;
class GameObject;
class KeyBinding;
class KeyState;
class LevelDocument;

// Edit mode's tools on the level being edited: selection by the mouse, the
// drag that moves or resizes one object on the grid, the clipboard, the
// keys that change the selection, new objects, undo and redo. Every change
// goes into the document's history as one step.
class Editor {
public:
  // The add-object menu's items, in the order of its rows.
  enum Tool : int { TOOL_PLATFORM = 0, TOOL_MONSTER = 1, TOOL_SPAWN_POINT = 2, TOOL_GOAL_AREA = 3 };

  // Nothing is owned; all must outlive the editor. keys answers whether
  // Shift is held, bindings which way to scroll.
  Editor(LevelDocument* document, Camera* camera, const KeyState* keys, const KeyBinding* bindings);

  // Edit mode begins with nothing selected, and ends with the drag in
  // progress recorded.
  void begin();
  void end();
  bool isActive() const { return active; }

  // One frame: scrolls the view and carries the drag in progress.
  void updateEdit(int ms);
  // The left button selects, drags and resizes; the right one adds a
  // platform at the pointer.
  void mouseButtonDown(Uint8 button);
  void mouseButtonUp(Uint8 button);
  // Cut (x), delete (Backspace), copy (c), paste (v), nudges (arrows) and
  // platform kinds (1, 2, 3).
  void keyDown(SDLKey key);
  // The add-object menu's items, in the order of Tool.
  static std::vector<std::string> toolNames() {
    return {"Platform", "Monster", "Spawn Point", "Goal Area"};
  }
  // The chosen item of the add-object menu, at the pointer.
  void addTool(int tool);
  // Undo, or redo; false when there was nothing to step.
  bool stepHistory(bool redo);
  // Records the drag in progress, if it moved anything, as one step; the
  // drag goes on from there.
  void commitDrag();

  // In window coordinates: the marker at the pointer.
  void draw() const;

private:
  enum DragMode : int { DRAG_NONE = 0, DRAG_MOVE = 1, DRAG_RESIZE = 2 };

  void cut(bool keep);
  void paste();
  // The action on every selected object; none only ends the drag's step.
  void edit(std::optional<GameObject::EditAction> action);
  void add(std::unique_ptr<GameObject> object, bool select);
  // Grabs object i of the level with the anchor at corner.
  void grab(int i, const Point2D& corner, int mode);
  void select(bool shift);
  void carryDrag();

  LevelDocument* document;
  Camera* camera;
  const KeyState* keys;
  const KeyBinding* bindings;
  bool active = false;
  std::optional<Level::ObjectList> clipboard;
  int dragMode = DRAG_NONE;
  Point2D dragAnchor;
  int dragIndex = 0;
  // The level's revision at the mouse-down: a drag ends when the list
  // changes under the held button.
  std::uint64_t dragRevision = 0;
  // The grabbed object as it was when the drag began or was last recorded.
  std::unique_ptr<GameObject> dragBefore;
};
