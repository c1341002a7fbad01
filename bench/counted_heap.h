// Heap accounting for the scan benchmarks: linked into a program, it replaces
// operator new and delete, so that every C++ allocation of the process is
// counted (C allocations, such as libcurl's, are not).
#ifndef VELMORA_BENCH_COUNTED_HEAP_H
#define VELMORA_BENCH_COUNTED_HEAP_H

#include <cstddef>

namespace velmora::bench {

// Bytes allocated and not yet freed.
std::size_t LiveHeapBytes();

// The highest LiveHeapBytes since the last ResetPeakHeap (which sets it to
// the bytes live now).
std::size_t PeakHeapBytes();
void ResetPeakHeap();

}  // namespace velmora::bench

#endif
