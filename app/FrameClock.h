#pragma once

#include <cstdint>

// The frame loop's timing rule: the first pass hands 0 ms to the world,
// later passes the time between the starts of two passes, never clamped.
class FrameClock {
public:
  // now is the millisecond clock at the start of a pass; returns the
  // elapsed milliseconds to hand to the world.
  int tick(std::uint32_t now);

private:
  int previous = -1;
  int elapsed = 0;
};
