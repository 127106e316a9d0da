#pragma once

#include "actors/RectangularSector.h"

#include <cstdint>
#include <memory>
#include <string>

// Anything placed in a level: a rectangle with a kind, an active flag that
// play uses and a selected flag that the editor uses. Spawn points and goal
// areas are plain GameObjects told apart by getType().
class GameObject : public RectangularSector {
public:
  enum ObjectType : std::int32_t { PLATFORM = 1, SPAWN_POINT = 2, GOAL_AREA = 3, MONSTER = 4 };
  // What the editor's keys do to a selected object: nudges move it by one
  // grid step, the kinds apply to platforms only.
  enum class EditAction {
    NUDGE_UP,
    NUDGE_DOWN,
    NUDGE_LEFT,
    NUDGE_RIGHT,
    CLIMBABLE,
    JUMPABLE,
    PLAIN
  };

  GameObject(double x, double y, double w, double h, ObjectType t);
  GameObject(const RectangularSector& r, ObjectType t);
  GameObject(const GameObject&) = delete;
  GameObject& operator=(const GameObject&) = delete;
  virtual ~GameObject() = default;

  // Once per play frame. The result is not used by the level.
  virtual bool update(int elapsedMs);
  // editView is true in edit mode. Drawn in level pixels: the object and,
  // selected in edit mode, its select box, drawn for a view that shows
  // scale window pixels per level pixel (below 1 when zoomed out), so that
  // it keeps its size on screen.
  void draw(bool editView, double scale = 1) const;
  // Only selected objects in edit mode are edited.
  virtual void edit(EditAction action);
  // The object's line of a level file, "\n" included.
  std::string getSaveString() const;
  // Appends that line to out, so that a whole level is written into one
  // string without a string per object.
  virtual void appendSaveString(std::string& out) const;
  // A new, unselected and active copy of the same class.
  virtual std::unique_ptr<GameObject> clone() const;
  // Revives the object when a play restarts.
  virtual void refresh();
  // Whether other is the same thing in the same place: class, kind,
  // rectangle and, for platforms, platform type. Flags and hit points are
  // play state, not part of the level, and are not compared.
  virtual bool sameAs(const GameObject& other) const;

  // Three blue outlines around the object and the green resize handle, at
  // the same distances on screen at every scale.
  void drawSelectBox(double scale = 1) const;

  ObjectType getType() const { return type; }
  bool isActive() const { return active; }
  void setActive(bool a) { active = a; }
  bool isSelected() const { return selected; }
  void setSelected(bool s) { selected = s; }

protected:
  // The object itself, without its select box.
  virtual void drawShape(bool editView) const;
  // Appends the five common fields (type, x, y, width, height in tenths),
  // each followed by a space.
  void appendCommonFields(std::string& out) const;

private:
  bool active = true;
  ObjectType type;
  bool selected = false;
};
