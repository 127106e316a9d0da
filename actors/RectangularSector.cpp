#include "actors/RectangularSector.h"

#include "common/Draw.h"
#include "common/Units.h"

RectangularSector::RectangularSector() : pos(0, 0), size(0, 0) {}

RectangularSector::RectangularSector(const Point2D& pos, const Point2D& size)
    : pos(pos), size(size) {}

RectangularSector::RectangularSector(double x, double y, double width, double height)
    : pos(x, y), size(width, height) {}

void RectangularSector::set(double x, double y, double width, double height) {
  setX(x);
  setY(y);
  setWidth(width);
  setHeight(height);
}

void RectangularSector::grow(double dx, double dy, double dWidth, double dHeight) {
  incX(dx);
  incY(dy);
  incWidth(dWidth);
  incHeight(dHeight);
}

bool RectangularSector::intersects(const RectangularSector& other) const {
  return !(other.getLeft() >= getRight() || getLeft() >= other.getRight() ||
           other.getTop() >= getBottom() || getTop() >= other.getBottom());
}

bool RectangularSector::contains(int px, int py) const {
  const double x = px;
  const double y = py;
  return x > getX() && getX() + getWidth() > x && y > getY() && getY() + getHeight() > y;
}

RectangularSector RectangularSector::getResizeBox(double side) const {
  return RectangularSector(getX() + getWidth(), getY() + getHeight(), side, side);
}

void RectangularSector::glVertecies() const {
  rect(truncateToInt(getLeft()), truncateToInt(getTop()), truncateToInt(getRight()),
       truncateToInt(getBottom()));
}
