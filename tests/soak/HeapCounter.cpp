#include "HeapCounter.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

// Mesa's worker threads may reach operator new while the game thread runs:
// relaxed atomics are enough, the counts are only read between frames.
std::atomic<std::uint64_t> allocations{0};
std::atomic<std::int64_t> liveBlocks{0};
std::atomic<std::int64_t> liveBytes{0};

constexpr std::size_t PLAIN = alignof(std::max_align_t);

// Each block carries its requested size and the room in front of it, so
// that live bytes count what the program asked for, not what malloc's bins
// happened to hand out (which varies with other threads' use of the heap).
struct Header {
  std::size_t size;
  std::size_t front;
};

void* allocate(std::size_t size, std::size_t alignment) {
  const std::size_t front = std::max(alignment, std::max(PLAIN, sizeof(Header)));
  void* base = nullptr;
  if (posix_memalign(&base, front, front + size) != 0 || base == nullptr) {
    throw std::bad_alloc();
  }
  auto* p = static_cast<unsigned char*>(base) + front;
  *reinterpret_cast<Header*>(p - sizeof(Header)) = Header{size, front};
  allocations.fetch_add(1, std::memory_order_relaxed);
  liveBlocks.fetch_add(1, std::memory_order_relaxed);
  liveBytes.fetch_add(static_cast<std::int64_t>(size), std::memory_order_relaxed);
  return p;
}

void* allocateNoThrow(std::size_t size, std::size_t alignment) noexcept {
  try {
    return allocate(size, alignment);
  } catch (...) {
    return nullptr;
  }
}

void release(void* p) noexcept {
  if (p == nullptr) {
    return;
  }
  auto* block = static_cast<unsigned char*>(p);
  const Header header = *reinterpret_cast<Header*>(block - sizeof(Header));
  liveBlocks.fetch_sub(1, std::memory_order_relaxed);
  liveBytes.fetch_sub(static_cast<std::int64_t>(header.size), std::memory_order_relaxed);
  std::free(block - header.front);
}

} // namespace

HeapCounts heapCounts() {
  HeapCounts counts;
  counts.allocations = allocations.load(std::memory_order_relaxed);
  counts.liveBlocks = liveBlocks.load(std::memory_order_relaxed);
  counts.liveBytes = liveBytes.load(std::memory_order_relaxed);
  return counts;
}

// Every replaceable form, single and array alike.
#define COUNTED_NEW(ALLOCATION, NOEXCEPT, ...)                                                     \
  void* operator new(__VA_ARGS__) NOEXCEPT {                                                       \
    return ALLOCATION;                                                                             \
  }                                                                                                \
  void* operator new[](__VA_ARGS__) NOEXCEPT {                                                     \
    return ALLOCATION;                                                                             \
  }
#define COUNTED_DELETE(...)                                                                        \
  void operator delete(void* p __VA_OPT__(, ) __VA_ARGS__) noexcept {                              \
    release(p);                                                                                    \
  }                                                                                                \
  void operator delete[](void* p __VA_OPT__(, ) __VA_ARGS__) noexcept {                            \
    release(p);                                                                                    \
  }

COUNTED_NEW(allocate(size, PLAIN), , std::size_t size)
COUNTED_NEW(allocateNoThrow(size, PLAIN), noexcept, std::size_t size, const std::nothrow_t&)
COUNTED_NEW(allocate(size, static_cast<std::size_t>(al)), , std::size_t size, std::align_val_t al)
COUNTED_NEW(allocateNoThrow(size, static_cast<std::size_t>(al)), noexcept, std::size_t size,
            std::align_val_t al, const std::nothrow_t&)
COUNTED_DELETE()
COUNTED_DELETE(std::size_t)
COUNTED_DELETE(const std::nothrow_t&)
COUNTED_DELETE(std::align_val_t)
COUNTED_DELETE(std::size_t, std::align_val_t)
COUNTED_DELETE(std::align_val_t, const std::nothrow_t&)
