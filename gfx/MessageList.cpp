#include "gfx/MessageList.h"

#include "actors/Point2D.h"

void MessageList::update(int ms) {
  for (auto it = texts.begin(); it != texts.end();) {
    it = it->update(ms) ? it + 1 : texts.erase(it);
  }
}

void MessageList::draw() const {
  // Fixed to the window: no camera offset applies.
  const Point2D window;
  for (const FloatingText& text : texts) {
    text.draw(window);
  }
}
