#include "app/FrameClock.h"

// A start tick of 0 (the clock read in SDL's very first millisecond) counts
// as "no previous pass", like the initial -1: that pass hands on the elapsed
// time it already had. The difference is taken in unsigned arithmetic so that
// it cannot overflow; past 2^31 ms (about 24.8 days of SDL uptime) the kept
// tick reads negative and every pass repeats the last elapsed time until the
// clock wraps, as the "previous > 0" rule has it.
int FrameClock::tick(std::uint32_t now) {
  if (previous > 0) {
    elapsed = static_cast<int>(now - static_cast<std::uint32_t>(previous));
  }
  previous = static_cast<int>(now);
  return elapsed;
}
