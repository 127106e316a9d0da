#include "gfx/FloatingText.h"

#include "actors/Point2D.h"
#include "common/Draw.h"

#include <GL/gl.h>

#include <utility>

FloatingText::FloatingText(int x, int y, std::string text, int duration, bool fixed)
    : x(x), y(y), duration(duration), remaining(duration), text(std::move(text)), fixed(fixed) {}

bool FloatingText::update(int ms) {
  remaining -= ms;
  return remaining >= 0;
}

void FloatingText::draw(const Point2D& offset) const {
  int drawX = x;
  int drawY = y;
  if (!fixed) {
    drawX = static_cast<int>(x - offset.getX());
    drawY = static_cast<int>(y - offset.getY());
  }
  // A text without a positive duration has no time to fade through: it
  // shows as already faded out rather than dividing by zero (or by a
  // negative duration, which would brighten it).
  const float brightness =
      duration > 0 ? static_cast<float>(remaining) / static_cast<float>(duration) : 0.0f;
  glColor3f(brightness, brightness, brightness);
  drawText(drawX, drawY, text);
}
