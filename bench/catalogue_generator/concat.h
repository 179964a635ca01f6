#pragma once

#include <string>
#include <string_view>

namespace quarvel::bench {

// Joins pieces into one string. Used instead of chains of operator+ on temporaries, which GCC 12
// at -O3 wrongly reports as overlapping copies (-Wrestrict).
template <typename... Pieces>
std::string Concat(const Pieces&... pieces) {
  std::string out;
  out.reserve((std::string_view(pieces).size() + ...));
  (out.append(std::string_view(pieces)), ...);
  return out;
}

}  // namespace quarvel::bench
