#include "gauge_arithmetic.h"

#include <cmath>
#include <limits>

namespace veltra {

// Both functions rely on the x87 extended format: its 64-bit mantissa holds
// part × 100 exactly and gives 0.01 the rounding the bar widths are built on.
static_assert(std::numeric_limits<long double>::digits >= 64,
              "the gauge arithmetic needs a 64-bit mantissa");

std::int64_t PercentOf(std::int64_t part, std::int64_t whole) {
    if (whole == 0) {
        return 0;
    }
    // With the product exact and below 2^64, a quotient that is not a whole
    // number lies at least 1/whole from one, more than its rounding error, so
    // truncation gives the exact integer quotient.
    const long double product = static_cast<long double>(part) * 100.0L;
    return static_cast<std::int64_t>(std::trunc(product / static_cast<long double>(whole)));
}

std::int64_t ShareOf(std::int32_t percent, std::int32_t size) {
    // The factor is rounded on its own before it meets the size; folding the
    // two into percent × size / 100 would change the results.
    const long double factor = static_cast<long double>(percent) * 0.01L;
    return static_cast<std::int64_t>(std::trunc(static_cast<long double>(size) * factor));
}

}  // namespace veltra
