#include "actors/Projectile.h"

#include "common/Draw.h"
#include "common/Units.h"

#include <GL/gl.h>

#include <cmath>

Projectile::Projectile(double x, double y, double vx, double vy, int lifetime)
    : position(x, y), velocity(vx, vy), lifetime(lifetime) {}

bool Projectile::update(int dt) {
  lifetime -= dt;
  position += velocity.convertPixelPerSecond(dt);
  return lifetime > 0;
}

void Projectile::draw() const {
  glColor3f(0, 1, 0);
  glBegin(GL_POLYGON);
  rect(truncateToInt(getX() - 2), truncateToInt(getY() - 2), truncateToInt(getX() + 2),
       truncateToInt(getY() + 2));
  glEnd();
}

bool Projectile::isInView(const RectangularSector& view) const {
  // The world is drawn shifted by whole pixels, and the square's corners
  // are truncated: a few pixels of slack keep every visible square.
  constexpr double REACH = 4;
  return position.x + REACH >= view.getLeft() && position.x - REACH <= view.getRight() &&
         position.y + REACH >= view.getTop() && position.y - REACH <= view.getBottom();
}
