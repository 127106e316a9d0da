#pragma once

#include <cstdint>
#include <initializer_list>

// The one 640 x 480 SDL OpenGL window of a test process, with the game's
// window-pixel projection: opened on first use, kept until exit.
struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

inline Rgb rgb(int r, int g, int b) {
  return Rgb{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)};
}

class GLWindow {
public:
  static void ensure();
  // Also resets the modelview matrix and unbinds the texture.
  static void clear(float r = 0, float g = 0, float b = 0);
  // Of the back buffer, y down.
  static Rgb pixel(int x, int y);
};

struct Probe {
  const char* where;
  int x, y;
  Rgb colour;
};

void expectPixels(std::initializer_list<Probe> probes);
// A filled box, bounds inclusive: each edge's middle pixel and the one out.
void expectBox(int left, int top, int right, int bottom, Rgb inside, Rgb outside);
