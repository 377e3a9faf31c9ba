#pragma once
// The benchmarks' one clock, and their count of the heap.
#include <malloc.h>

#include <chrono>
#include <cstddef>

namespace bench {

// Seconds that `work` takes.
template <class Work>
double Seconds(Work&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Bytes of the C library's heap in use.
inline std::size_t HeapInUse() {
  _HEAPINFO block{};
  std::size_t used = 0;
  while (_heapwalk(&block) == _HEAPOK) {
    if (block._useflag == _USEDENTRY) used += block._size;
  }
  return used;
}

}  // namespace bench
