#pragma once
// The benchmarks' one clock.
#include <chrono>

namespace bench {

// Seconds that `work` takes.
template <class Work>
double Seconds(Work&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace bench
