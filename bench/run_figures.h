// The figures a benchmark reports from its runs: the median, in milliseconds.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {

// The middle sample; of an even count, the upper of the two middle ones.
template <typename T>
T Median(std::vector<T> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

template <typename Rep, typename Period>
double Milliseconds(std::chrono::duration<Rep, Period> duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

}  // namespace bench
