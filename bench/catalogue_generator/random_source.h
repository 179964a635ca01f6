#pragma once

#include <cstddef>
#include <cstdint>

namespace quarvel::bench {

// A small fixed-algorithm generator (SplitMix64): the same seed gives the same catalogue on every
// machine and compiler, which the standard distributions do not promise.
class RandomSource {
 public:
  explicit RandomSource(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [0, bound); bound > 0.
  std::int64_t Below(std::int64_t bound) {
    return static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(bound));
  }
  // Uniform in [low, high].
  std::int64_t Between(std::int64_t low, std::int64_t high) { return low + Below(high - low + 1); }
  // True with the given chance in percent.
  bool Percent(int chance) { return Below(100) < chance; }
  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<std::int64_t>(N))];
  }

 private:
  std::uint64_t state_;
};

}  // namespace quarvel::bench
