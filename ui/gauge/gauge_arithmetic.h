#pragma once

#include <cstdint>

namespace veltra {

// Whole-number percentage of part in whole, truncated toward zero; 0 when the
// whole is 0. Takes 64-bit values so that the gauge can pass differences of
// its 32-bit bounds without overflow; exact while |part| is below 2^56, which
// covers every such difference (2147483647 of 1 is 214748364700).
std::int64_t PercentOf(std::int64_t part, std::int64_t whole);

// The pixel count of percent per cent of size: size × (percent × 0.01),
// truncated. The 0.01 is the extended-precision value just below a hundredth,
// so some exact multiples come out one short (5 % of 100 is 4); the bar widths
// are defined by these counts, so they must not be "corrected".
std::int64_t ShareOf(std::int32_t percent, std::int32_t size);

}  // namespace veltra
