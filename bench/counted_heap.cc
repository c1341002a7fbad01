#include "bench/counted_heap.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

// Kept out of line, so that the compiler does not pair the header arithmetic
// with the callers' allocations.
#if defined(__GNUC__)
#define VELMORA_NOINLINE __attribute__((noinline))
#else
#define VELMORA_NOINLINE
#endif

namespace {
std::atomic<std::size_t> live_bytes{0};
std::atomic<std::size_t> peak_bytes{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

VELMORA_NOINLINE void* CountedAlloc(std::size_t size) {
  auto* base = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (base == nullptr) return nullptr;
  *reinterpret_cast<std::size_t*>(base) = size;
  const std::size_t now = live_bytes.fetch_add(size) + size;
  std::size_t peak = peak_bytes.load();
  while (now > peak && !peak_bytes.compare_exchange_weak(peak, now)) {
  }
  return base + kHeader;
}

VELMORA_NOINLINE void CountedFree(void* pointer) noexcept {
  if (pointer == nullptr) return;
  unsigned char* base = static_cast<unsigned char*>(pointer) - kHeader;
  live_bytes.fetch_sub(*reinterpret_cast<std::size_t*>(base));
  std::free(base);
}
}  // namespace

void* operator new(std::size_t size) {
  if (void* p = CountedAlloc(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return CountedAlloc(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return CountedAlloc(size);
}
void operator delete(void* p) noexcept {
  CountedFree(p);
}
void operator delete[](void* p) noexcept {
  CountedFree(p);
}
void operator delete(void* p, std::size_t) noexcept {
  CountedFree(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  CountedFree(p);
}

namespace velmora::bench {

std::size_t LiveHeapBytes() {
  return live_bytes.load();
}
std::size_t PeakHeapBytes() {
  return peak_bytes.load();
}
void ResetPeakHeap() {
  peak_bytes.store(live_bytes.load());
}

}  // namespace velmora::bench
