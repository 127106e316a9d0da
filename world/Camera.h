#pragma once

#include "actors/Point2D.h"
#include "actors/RectangularSector.h"

// The view onto the level: where the window's top-left corner is in the
// level, and the pointer. Every conversion between window and level
// positions is made here. Window positions are in window pixels, level
// positions in level pixels; today one is the other shifted by the offset.
class Camera {
public:
  Camera(int width, int height);

  int getWidth() const { return width; }
  int getHeight() const { return height; }
  // The level position of the window's top-left corner.
  const Point2D& getOffset() const { return offset; }
  void reset() { offset.set(0, 0); }
  void scroll(double dx, double dy);
  // One play frame of following target, the character's centre: a target
  // that left the window is put on the edge it crossed, and one further
  // than the dead zone from the window's centre is glided towards.
  void follow(const Point2D& target, int ms);

  // The frame loop writes the pointer here on every mouse motion.
  void setMouse(double x, double y) { mouse.set(x, y); }
  // The pointer in window pixels; menus keep a pointer to it.
  const Point2D& getMouse() const { return mouse; }
  Point2D toLevel(const Point2D& window) const { return window + offset; }
  Point2D mouseInLevel() const { return toLevel(mouse); }
  // A size x size probe of the level centred on the pointer; an odd size
  // leaves the extra pixel right of and below it.
  RectangularSector getMouseSector(int size) const;
  // The part of the level the window shows, from the whole-pixel offset
  // the drawing is translated by.
  RectangularSector view() const;

private:
  Point2D offset;
  Point2D mouse;
  int width;
  int height;
};
