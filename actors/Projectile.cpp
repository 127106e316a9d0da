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
  rect(static_cast<int>(getX() - 2), static_cast<int>(getY() - 2), static_cast<int>(getX() + 2),
       static_cast<int>(getY() + 2));
  glEnd();
}
