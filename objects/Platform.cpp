#include "objects/Platform.h"

#include <GL/gl.h>

#include <charconv>
#include <cstdint>

Platform::Platform() : Platform(0, 0, 0, 0, CLIMBABLE) {}

Platform::Platform(const Platform* other)
    : GameObject(*other, PLATFORM), platformType(other->platformType) {}

Platform::Platform(double x, double y, double w, double h, PlatformType p)
    : GameObject(x, y, w, h, PLATFORM), platformType(p) {}

void Platform::draw(bool editView) const {
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
  if (isSelected() && editView) {
    drawSelectBox();
  }
}

void Platform::keyDown(const SDL_Event& e) {
  switch (static_cast<std::uint16_t>(e.key.keysym.sym)) {
  case SDLK_1:
    platformType = CLIMBABLE;
    break;
  case SDLK_2:
    platformType = JUMPABLE;
    break;
  case SDLK_3:
    platformType = PLAIN;
    break;
  default:
    break;
  }
  GameObject::keyDown(e);
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
