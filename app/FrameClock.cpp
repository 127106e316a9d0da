#include "app/FrameClock.h"

// A start tick of 0 (the clock read in SDL's very first millisecond) counts
// as "no previous pass", like the initial -1: that pass hands on the elapsed
// time it already had. The difference is taken in unsigned arithmetic so that
// the clock's wrap-around yields the true interval instead of overflowing.
int FrameClock::tick(std::uint32_t now) {
  if (previous > 0) {
    elapsed = static_cast<int>(now - static_cast<std::uint32_t>(previous));
  }
  previous = static_cast<int>(now);
  return elapsed;
}
