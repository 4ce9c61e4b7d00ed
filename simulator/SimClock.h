#pragma once
// Time inside the simulator: microseconds on whatever clock drives it (a
// virtual one in tests, the monotonic clock in rq7-sim).

#include <chrono>
#include <cstdint>
#include <vector>

namespace rq7::sim {

using Micros = std::chrono::microseconds;
using Bytes = std::vector<std::uint8_t>;

} // namespace rq7::sim
