#include "HeapCounter.h"

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

// Mesa's worker threads may reach operator new while the game thread runs:
// relaxed atomics are enough, the counts are only read between frames.
std::atomic<std::uint64_t> allocations{0};
std::atomic<std::uint64_t> releases{0};
std::atomic<std::int64_t> liveBlocks{0};
std::atomic<std::int64_t> liveBytes{0};

void counted(void* p) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  liveBlocks.fetch_add(1, std::memory_order_relaxed);
  liveBytes.fetch_add(static_cast<std::int64_t>(malloc_usable_size(p)), std::memory_order_relaxed);
}

void uncounted(void* p) {
  releases.fetch_add(1, std::memory_order_relaxed);
  liveBlocks.fetch_sub(1, std::memory_order_relaxed);
  liveBytes.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(p)), std::memory_order_relaxed);
}

// One try of malloc or posix_memalign; null when the heap is exhausted.
void* tryAllocate(std::size_t size, std::size_t alignment) {
  // A request for zero bytes still gets a block of its own.
  size = std::max<std::size_t>(size, 1);
  if (alignment <= alignof(std::max_align_t)) {
    return std::malloc(size);
  }
  void* p = nullptr;
  return posix_memalign(&p, std::max(alignment, sizeof(void*)), size) == 0 ? p : nullptr;
}

// The throwing forms: the new-handler gets its chances, then bad_alloc.
void* allocate(std::size_t size, std::size_t alignment) {
  for (;;) {
    if (void* p = tryAllocate(size, alignment)) {
      counted(p);
      return p;
    }
    const std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) {
      throw std::bad_alloc();
    }
    handler();
  }
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
  uncounted(p);
  std::free(p);
}

std::size_t plain() {
  return alignof(std::max_align_t);
}

} // namespace

HeapCounts heapCounts() {
  HeapCounts counts;
  counts.allocations = allocations.load(std::memory_order_relaxed);
  counts.releases = releases.load(std::memory_order_relaxed);
  counts.liveBlocks = liveBlocks.load(std::memory_order_relaxed);
  counts.liveBytes = liveBytes.load(std::memory_order_relaxed);
  return counts;
}

void* operator new(std::size_t size) {
  return allocate(size, plain());
}
void* operator new[](std::size_t size) {
  return allocate(size, plain());
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return allocateNoThrow(size, plain());
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return allocateNoThrow(size, plain());
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return allocateNoThrow(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return allocateNoThrow(size, static_cast<std::size_t>(alignment));
}

void operator delete(void* p) noexcept {
  release(p);
}
void operator delete[](void* p) noexcept {
  release(p);
}
void operator delete(void* p, std::size_t) noexcept {
  release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  release(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
  release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
  release(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
  release(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
  release(p);
}
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept {
  release(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept {
  release(p);
}
