#include "objects/GameObject.h"

#include "common/Draw.h"
#include "common/NumberText.h"
#include "common/Units.h"

#include <GL/gl.h>

#include <charconv>
#include <cstdint>
#include <typeinfo>

GameObject::GameObject(double x, double y, double w, double h, ObjectType t)
    : RectangularSector(x, y, w, h), type(t) {}

GameObject::GameObject(const RectangularSector& r, ObjectType t)
    : RectangularSector(r.getX(), r.getY(), r.getWidth(), r.getHeight()), type(t) {}

bool GameObject::update(int) {
  return true;
}

void GameObject::draw(bool editView, double scale) const {
  drawShape(editView);
  if (selected && editView) {
    drawSelectBox(scale);
  }
}

void GameObject::drawShape(bool editView) const {
  if (type == SPAWN_POINT && editView) {
    glColor3f(0, 0, 1);
    glBegin(GL_LINE_LOOP);
    glVertecies();
    glEnd();
  } else if (type == GOAL_AREA) {
    glColor3f(0, 1, 0);
    glBegin(GL_LINE_LOOP);
    glVertecies();
    glEnd();
  }
}

void GameObject::edit(EditAction action) {
  switch (action) {
  case EditAction::NUDGE_UP:
    incY(-GRID);
    break;
  case EditAction::NUDGE_DOWN:
    incY(GRID);
    break;
  case EditAction::NUDGE_LEFT:
    incX(-GRID);
    break;
  case EditAction::NUDGE_RIGHT:
    incX(GRID);
    break;
  default:
    break;
  }
}

void GameObject::appendCommonFields(std::string& out) const {
  char buffer[16];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, static_cast<int>(type));
  out.append(buffer, written.ptr);
  for (const double value : {getX(), getY(), getWidth(), getHeight()}) {
    out += ' ';
    appendNumber(out, value / 10.0);
  }
  out += ' ';
}

std::string GameObject::getSaveString() const {
  std::string line;
  appendSaveString(line);
  return line;
}

void GameObject::appendSaveString(std::string& out) const {
  appendCommonFields(out);
  out += '\n';
}

std::unique_ptr<GameObject> GameObject::clone() const {
  return std::make_unique<GameObject>(getX(), getY(), getWidth(), getHeight(), type);
}

void GameObject::refresh() {
  active = true;
}

bool GameObject::sameAs(const GameObject& other) const {
  return typeid(*this) == typeid(other) && type == other.type && pos == other.pos &&
         size == other.size;
}

void GameObject::drawSelectBox(double scale) const {
  // One window pixel in level pixels; at scale 1 the sums are the ones a
  // fixed-size box takes, to the last bit.
  const double unit = 1 / scale;
  glColor3f(0.3f, 0.5f, 1.0f);
  for (int d = 4; d <= 6; ++d) {
    glBegin(GL_LINE_LOOP);
    rect(truncateToInt(getX() - d * unit), truncateToInt(getY() - d * unit),
         truncateToInt(getX() + getWidth() + d * unit - unit),
         truncateToInt(getY() + getHeight() + d * unit - unit));
    glEnd();
  }
  glColor3f(0, 1, 0);
  glBegin(GL_POLYGON);
  getResizeBox(HANDLE_SIZE * unit).glVertecies();
  glEnd();
}
