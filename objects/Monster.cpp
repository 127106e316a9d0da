#include "objects/Monster.h"

#include <GL/gl.h>

Monster::Monster() : Monster(0, 0, 0, 0) {}

Monster::Monster(double x, double y, double w, double h)
    : GameObject(x, y, w, h, MONSTER), currentHp(100), maxHp(100) {}

bool Monster::update(int) {
  if (currentHp < 0) {
    setActive(false);
  }
  return true;
}

void Monster::drawShape(bool editView) const {
  // A killed monster leaves play but stays editable.
  if (!editView && !isActive()) {
    return;
  }
  glColor3f(1, 1, 0);
  glBegin(GL_LINE_LOOP);
  glVertecies();
  glEnd();
  glBegin(GL_LINES);
  glVertex2d(getLeft(), getTop());
  glVertex2d(getRight(), getBottom());
  glVertex2d(getRight(), getTop());
  glVertex2d(getLeft(), getBottom());
  glEnd();
}

std::unique_ptr<GameObject> Monster::clone() const {
  return std::make_unique<Monster>(getX(), getY(), getWidth(), getHeight());
}

void Monster::refresh() {
  fullHp();
  setActive(true);
}
