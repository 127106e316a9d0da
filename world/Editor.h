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

// Edit mode's tools on the level being edited: selection by the mouse (a
// click, or a box dragged over empty space), the drag that moves or
// resizes one object on the grid, the clipboard, the keys that change the
// selection, new objects, duplicates, undo and redo, the zoom by the wheel,
// the visible grid and the position readout. Every change goes into the
// document's history as one step.
class Editor {
public:
  // The add-object menu's items, in the order of its rows.
  enum Tool : int { TOOL_PLATFORM = 0, TOOL_MONSTER = 1, TOOL_SPAWN_POINT = 2, TOOL_GOAL_AREA = 3 };

  // Nothing is owned; all must outlive the editor. keys answers whether
  // Shift is held, bindings which way to scroll.
  Editor(LevelDocument* document, Camera* camera, const KeyState* keys, const KeyBinding* bindings);

  // Edit mode begins with nothing selected, and ends with the drag in
  // progress recorded and the zoom back at 1 around the pointer, so that
  // play starts at the level point under it.
  void begin();
  void end();
  bool isActive() const { return active; }

  // One frame: scrolls the view and carries the drag in progress.
  void updateEdit(int ms);
  // The left button selects, drags and resizes, or drags a selection box
  // from empty space; the right one adds a platform at the pointer; the
  // wheel zooms.
  void mouseButtonDown(Uint8 button);
  void mouseButtonUp(Uint8 button);
  // Cut (x), delete (Backspace), copy (c), paste (v), nudges (arrows),
  // platform kinds (1, 2, 3) and the grid (g).
  void keyDown(SDLKey key);
  // The add-object menu's items, in the order of Tool.
  static std::vector<std::string> toolNames() {
    return {"Platform", "Monster", "Spawn Point", "Goal Area"};
  }
  // With Ctrl: select all (a) and duplicate (d). False for other keys.
  bool ctrlKey(SDLKey key);
  // The chosen item of the add-object menu, at the pointer.
  void addTool(int tool);
  // Undo, or redo; false when there was nothing to step.
  bool stepHistory(bool redo);
  // Records the drag in progress, if it moved anything, as one step; the
  // drag goes on from there.
  void commitDrag();

  // In window coordinates, under the level: the grid, when shown.
  void drawGrid() const;
  // In window coordinates: the selection box being dragged, the marker at
  // the pointer and the readout line at the bottom.
  void draw() const;

private:
  enum DragMode : int { DRAG_NONE = 0, DRAG_MOVE = 1, DRAG_RESIZE = 2, DRAG_BOX = 3 };

  void cut(bool keep);
  void paste();
  // Copies of the selection 10 pixels right of and below it, selected, at
  // the end of the list.
  void duplicate();
  // Ends a selection box at the pointer.
  void closeBox();
  // The action on every selected object; none only ends the drag's step.
  void edit(std::optional<GameObject::EditAction> action);
  void add(std::unique_ptr<GameObject> object, bool select);
  // Grabs object i of the level with the anchor at corner.
  void grab(int i, const Point2D& corner, int mode);
  void select(bool shift);
  void carryDrag();
  // The pointer's place, the zoom and the selection's size.
  void drawReadout() const;

  LevelDocument* document;
  Camera* camera;
  const KeyState* keys;
  const KeyBinding* bindings;
  bool active = false;
  std::optional<Level::ObjectList> clipboard;
  int dragMode = DRAG_NONE;
  // A move or resize: the pointer's offset from the grabbed corner. A
  // selection box: the level position where it began.
  Point2D dragAnchor;
  int dragIndex = 0;
  // The level's revision at the mouse-down: a drag ends when the list
  // changes under the held button.
  std::uint64_t dragRevision = 0;
  // The grabbed object as it was when the drag began or was last recorded.
  std::unique_ptr<GameObject> dragBefore;
  bool gridShown = false;
  // The readout's count of selected objects, counted again after anything
  // that may have changed the selection or the list (a whole level's walk,
  // too slow for every frame).
  mutable std::size_t selectedCount = 0;
  mutable bool countStale = true;
  mutable std::uint64_t countRevision = 0;
  // The readout's text, kept so that its memory is reused.
  mutable std::string readout;
};
