#include "world/Camera.h"

#include "common/Units.h"

#include <cmath>

namespace {

// The camera only glides after a target further than this from the centre.
constexpr double DEAD_ZONE = 100.0;

// Window snap of one axis: a target that left the window on this axis is
// put on the edge it crossed. Returns whether the axis snapped.
bool snapAxis(double& offsetComponent, double distance, int extent) {
  // Truncating through the double keeps far-off distances defined; for
  // every int-sized value it is the same test as an int cast.
  const int half = extent / 2;
  if (std::abs(std::trunc(distance)) <= half) {
    return false;
  }
  double shift = distance - half;
  if (distance < 0) {
    shift += extent;
  }
  offsetComponent += shift;
  return true;
}

} // namespace

Camera::Camera(int width, int height) : width(width), height(height) {}

void Camera::reset() {
  offset.set(0, 0);
  zoom = 1;
}

void Camera::scroll(double dx, double dy) {
  offset.incX(dx / zoom);
  offset.incY(dy / zoom);
}

bool Camera::zoomStep(bool in) {
  const double next = in ? zoom * 2 : zoom / 2;
  if (next > 1 || next < MIN_ZOOM) {
    return false;
  }
  // Zooms are powers of two and the pointer whole pixels: the offset stays
  // on whole level pixels if it was.
  offset += mouse / zoom - mouse / next;
  zoom = next;
  return true;
}

void Camera::resetZoom() {
  while (zoomStep(true)) {
  }
}

Point2D Camera::toWindow(const Point2D& level) const {
  const RectangularSector shown = view();
  return Point2D((level.x - shown.getX()) * zoom, (level.y - shown.getY()) * zoom);
}

// The dead zone is measured before the snaps.
void Camera::follow(const Point2D& target, int ms) {
  const Point2D centre = Point2D(width, height) / 2.0;
  Point2D d = target - (offset + centre);
  const double m = d.magnitude();
  if (snapAxis(offset.x, d.x, width)) {
    d.x = 0;
  }
  if (snapAxis(offset.y, d.y, height)) {
    d.y = 0;
  }
  if (m > DEAD_ZONE) {
    offset += d.convertPixelPerSecond(ms);
  }
}

RectangularSector Camera::getMouseSector(int size) const {
  const int half = size / 2;
  const int x = truncateToInt((mouse.x - half) / zoom + offset.x);
  const int y = truncateToInt((mouse.y - half) / zoom + offset.y);
  return RectangularSector(x, y, size / zoom, size / zoom);
}

RectangularSector Camera::view() const {
  return RectangularSector(std::trunc(offset.x), std::trunc(offset.y), width / zoom, height / zoom);
}
