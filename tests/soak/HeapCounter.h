#pragma once

#include <cstdint>

// Counts of the C++ heap of this test program. Every form of operator new
// and operator delete is replaced here (only in the soak test executable):
// blocks still come from malloc and go back to free, so AddressSanitizer
// still pairs them, and each call is counted on the way through. Sizes are
// what malloc_usable_size reports for the block, the same at allocation and
// at release, so live bytes return exactly to where they were.
struct HeapCounts {
  // operator new calls of any form, over the whole run.
  std::uint64_t allocations = 0;
  // Blocks allocated and not yet released, and their bytes.
  std::int64_t liveBlocks = 0;
  std::int64_t liveBytes = 0;
};

// The counts now; safe from any thread.
HeapCounts heapCounts();
