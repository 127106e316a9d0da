#include "actors/Projectile.h"

#include "common/Functions.h"

#include <GL/gl.h>

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
