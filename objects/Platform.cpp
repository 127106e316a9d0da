#include "objects/Platform.h"

#include <GL/gl.h>

#include <charconv>

Platform::Platform() : Platform(0, 0, 0, 0, CLIMBABLE) {}

Platform::Platform(const Platform* other)
    : GameObject(*other, PLATFORM), platformType(other->platformType) {}

Platform::Platform(double x, double y, double w, double h, PlatformType p)
    : GameObject(x, y, w, h, PLATFORM), platformType(p) {}

void Platform::drawShape(bool) const {
  switch (platformType) {
  case CLIMBABLE:
    glColor3f(1.0f, 1.0f, 1.0f);
    break;
  case JUMPABLE:
    glColor3f(1.0f, 0.5f, 0.5f);
    break;
  case PLAIN:
    glColor3f(0.5f, 0.5f, 0.5f);
    break;
  default:
    // Only a hand-edited level file holds other kinds: make them stand out.
    glColor3f(1.0f, 0.0f, 0.0f);
    break;
  }
  glBegin(GL_POLYGON);
  glVertecies();
  glEnd();
}

void Platform::edit(EditAction action) {
  switch (action) {
  case EditAction::CLIMBABLE:
    platformType = CLIMBABLE;
    break;
  case EditAction::JUMPABLE:
    platformType = JUMPABLE;
    break;
  case EditAction::PLAIN:
    platformType = PLAIN;
    break;
  default:
    GameObject::edit(action);
    break;
  }
}

void Platform::appendSaveString(std::string& out) const {
  appendCommonFields(out);
  char buffer[16];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, static_cast<int>(platformType));
  out.append(buffer, written.ptr);
  out += " \n";
}

std::unique_ptr<GameObject> Platform::clone() const {
  return std::make_unique<Platform>(this);
}

bool Platform::sameAs(const GameObject& other) const {
  return GameObject::sameAs(other) &&
         platformType == static_cast<const Platform&>(other).platformType;
}
