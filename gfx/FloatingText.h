#pragma once

#include <string>

class Point2D;

// A line of text that fades from white to black over its duration and is
// then dropped by its owner.
class FloatingText {
public:
  FloatingText(int x, int y, std::string text, int duration, bool fixed);

  // Ages the text; false once its time is up (remaining below 0).
  bool update(int ms);
  // offset is the camera; used only when the text is not fixed to the
  // window. Call with the camera transformation undone. Grey in proportion
  // to the time left; a text made with no positive duration shows black.
  // Sets the colour and the raster position, nothing else.
  void draw(const Point2D& offset) const;

  const std::string& getText() const { return text; }

private:
  int x;
  int y;
  int duration;
  int remaining;
  std::string text;
  bool fixed;
};
