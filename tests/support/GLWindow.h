#pragma once

#include <cstdint>
#include <initializer_list>
#include <ostream>

// The one real 640 x 480 SDL OpenGL window of a test process, with the
// game's window-pixel projection. Opened on first use, kept until exit.
struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

void PrintTo(const Rgb& colour, std::ostream* out);

class GLWindow {
public:
  // Opens the window (once) and makes sure the projection is the game's.
  static void ensure();
  // Clears the back buffer to the colour and resets the modelview matrix.
  static void clear(float r = 0, float g = 0, float b = 0);
  // The colour of the pixel at window (x, y), y down, read from the back
  // buffer (call before any swap).
  static Rgb pixel(int x, int y);
};

// Pixel values as a test names them: 0..255 per channel.
inline Rgb rgb(int r, int g, int b) {
  return Rgb{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
             static_cast<std::uint8_t>(b)};
}

// A named pixel and the colour it must have.
struct Probe {
  const char* where;
  int x, y;
  Rgb colour;
};

void expectPixels(std::initializer_list<Probe> probes);

// A filled box, bounds inclusive: one pixel inside and one outside each
// edge, on the box's middle lines.
void expectBox(int left, int top, int right, int bottom, Rgb inside, Rgb outside);
