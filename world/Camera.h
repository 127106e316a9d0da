#pragma once

#include "actors/Point2D.h"
#include "actors/RectangularSector.h"

// The view onto the level: where the window's top-left corner is in the
// level, how many window pixels a level pixel covers (the zoom), and the
// pointer. Every conversion between window and level positions is made
// here. Window positions are in window pixels, level positions in level
// pixels: a level position is the window position divided by the zoom and
// shifted by the offset.
class Camera {
public:
  Camera(int width, int height);

  int getWidth() const { return width; }
  int getHeight() const { return height; }
  // The level position of the window's top-left corner.
  const Point2D& getOffset() const { return offset; }
  // A new level is shown from its origin at full size.
  void reset();
  // By window pixels: the same speed on the screen at every zoom.
  void scroll(double dx, double dy);

  // Window pixels per level pixel: 1, or a power of two below it down to
  // MIN_ZOOM. Play only ever sees 1.
  static constexpr double MIN_ZOOM = 1.0 / 16;
  double getZoom() const { return zoom; }
  // Doubles (in) or halves (out) the zoom within its bounds, keeping the
  // level point under the pointer where it is; false at a bound.
  bool zoomStep(bool in);
  // Back to 1 around the pointer, as zoomStep does.
  void resetZoom();
  // A length of the window in level pixels.
  double toLevelLength(double window) const { return window / zoom; }
  // One play frame of following target, the character's centre: a target
  // that left the window is put on the edge it crossed, and one further
  // than the dead zone from the window's centre is glided towards.
  void follow(const Point2D& target, int ms);

  // The frame loop writes the pointer here on every mouse motion.
  void setMouse(double x, double y) { mouse.set(x, y); }
  // The pointer in window pixels; menus keep a pointer to it.
  const Point2D& getMouse() const { return mouse; }
  Point2D toLevel(const Point2D& window) const { return window / zoom + offset; }
  // The window position at which the drawing shows a level position.
  Point2D toWindow(const Point2D& level) const;
  Point2D mouseInLevel() const { return toLevel(mouse); }
  // A probe of size x size window pixels centred on the pointer, in level
  // pixels; an odd size leaves the extra pixel right of and below it.
  RectangularSector getMouseSector(int size) const;
  // The part of the level the window shows, from the whole-pixel offset
  // the drawing is translated by (before it is scaled by the zoom).
  RectangularSector view() const;

private:
  Point2D offset;
  Point2D mouse;
  double zoom = 1;
  int width;
  int height;
};
