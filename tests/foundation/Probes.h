#pragma once

#include "support/GLWindow.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <vector>

// Pixel bounds, inclusive.
struct Box {
  int left, top, right, bottom;
  bool operator==(const Box&) const = default;
};

inline void PrintTo(const Box& b, std::ostream* out) {
  *out << "left " << b.left << ", top " << b.top << ", right " << b.right << ", bottom "
       << b.bottom;
}

// A block of the back buffer read at once, addressed in window pixels
// (y down), for probes that look for where something was drawn.
class PixelBlock {
public:
  PixelBlock(int left, int top, int width, int height);

  // Bounds of the pixels that differ from the background; none when the
  // block is all background.
  std::optional<Box> drawn(Rgb background) const;
  // True when every pixel of the block has one of the colours.
  bool onlyColours(std::initializer_list<Rgb> colours) const;

private:
  int left, top, width, height;
  std::vector<Rgb> pixels; // bottom row first, as OpenGL reads them
};

// One vertex as OpenGL's feedback mode reports it: window position with
// y down, and the texture coordinate.
struct FedVertex {
  float x, y, s, t;
};

// The vertices that emit() sends, captured as points.
std::vector<FedVertex> captureVertices(const std::function<void()>& emit);
