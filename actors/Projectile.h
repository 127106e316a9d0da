#pragma once

#include "actors/Point2D.h"
#include "actors/RectangularSector.h"

// A shot: flies straight at a constant velocity, no gravity, until its
// lifetime runs out. It hits as a point but is drawn as a 4 x 4 square.
class Projectile {
public:
  Projectile() = default;
  Projectile(double x, double y, double vx, double vy, int lifetime);

  // Moves the shot (on its last frame too) and counts down its lifetime;
  // false once lifetime has fallen to 0 or below.
  bool update(int dt);
  void draw() const;
  // Whether the drawn square can reach view, the window's part of the level.
  bool isInView(const RectangularSector& view) const;

  double getX() const { return position.x; }
  double getY() const { return position.y; }
  void setX(double v) { position.x = v; }
  void setY(double v) { position.y = v; }
  void incX(double d) { setX(getX() + d); }
  void incY(double d) { setY(getY() + d); }

private:
  Point2D position;
  Point2D velocity;
  int lifetime = 0;
};
