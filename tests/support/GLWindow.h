#pragma once

#include <cstdint>
#include <set>

// The test process's one 640 x 480 OpenGL window, opened on first use. clear()
// also resets the modelview and the texture; pixel() reads the back buffer.
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
  static void clear(float r = 0, float g = 0, float b = 0);
  static Rgb pixel(int x, int y);
  // Every colour in the window, as 0xRRGGBB.
  static std::set<std::uint32_t> colours();
};

// A filled box, bounds inclusive: each edge's middle pixel and the one out.
void expectBox(int left, int top, int right, int bottom, Rgb inside, Rgb outside);
