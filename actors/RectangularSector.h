#pragma once

#include "actors/Point2D.h"
#include "common/Units.h"

// An axis-aligned rectangle: top-left corner and size, in pixels. Sizes are
// used as stored (a negative width is not normalised); every edge is computed
// when asked for. Base of every level object.
class RectangularSector {
public:
  RectangularSector();
  RectangularSector(const Point2D& pos, const Point2D& size);
  RectangularSector(double x, double y, double width, double height);

  double getX() const { return pos.x; }
  double getY() const { return pos.y; }
  double getWidth() const { return size.x; }
  double getHeight() const { return size.y; }
  double getLeft() const { return pos.x; }
  double getRight() const { return pos.x + size.x; }
  double getTop() const { return pos.y; }
  double getBottom() const { return pos.y + size.y; }

  void setX(double v) { pos.x = v; }
  void setY(double v) { pos.y = v; }
  void setWidth(double v) { size.x = v; }
  void setHeight(double v) { size.y = v; }
  void incX(double d) { setX(getX() + d); }
  void incY(double d) { setY(getY() + d); }
  void incWidth(double d) { setWidth(getWidth() + d); }
  void incHeight(double d) { setHeight(getHeight() + d); }
  void setPos(double x, double y) { pos.set(x, y); }
  void set(double x, double y, double width, double height);
  // grow(-1, -1, 2, 2) widens the rectangle by one pixel on every side.
  void grow(double dx, double dy, double dWidth, double dHeight);

  // Strict overlap: rectangles that only share an edge or a corner do not
  // intersect. Symmetric.
  bool intersects(const RectangularSector& other) const;
  // Strict point test: a point on the border is outside.
  bool contains(int px, int py) const;
  // The editor's resize handle: a side x side square hanging off the
  // bottom-right corner, outside the rectangle. Zoomed out, the editor
  // makes it larger in level pixels so that it keeps its size on screen.
  RectangularSector getResizeBox(double side = HANDLE_SIZE) const;
  // Emits the corners (left, top, right, bottom truncated toward zero, held
  // at the int range) through rect() into the primitive the caller has
  // begun.
  void glVertecies() const;

  Point2D pos;
  Point2D size;
};
