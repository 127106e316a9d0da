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

bool Projectile::isInView(const Point2D& offset, int width, int height) const {
  // The world is drawn shifted by whole pixels, and the square's corners
  // are truncated: a few pixels of slack keep every visible square.
  constexpr double REACH = 4;
  const double left = std::trunc(offset.x);
  const double top = std::trunc(offset.y);
  return position.x + REACH >= left && position.x - REACH <= left + width &&
         position.y + REACH >= top && position.y - REACH <= top + height;
}
