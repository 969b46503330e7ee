#include "gauge_arithmetic.h"

#include <bit>
#include <cstdlib>

namespace veltra {
namespace {

// The bar widths are defined by the x87 extended format: a 64-bit mantissa,
// rounding to nearest (ties to even) after every operation. A long double of
// another size (113 bits on arm64 Linux, 53 elsewhere) gives other widths, so
// the two roundings are carried out in integers instead.
#ifndef __SIZEOF_INT128__
#error "the gauge arithmetic needs a 128-bit integer type"
#endif
__extension__ typedef unsigned __int128 Wide;

constexpr int kMantissaBits = 64;

// A non-negative value mantissa × 2^exponent.
struct Extended {
    std::uint64_t mantissa = 0;
    int exponent = 0;
};

// The exact product a × b × 2^exponent, rounded to a 64-bit mantissa.
Extended RoundedProduct(std::uint64_t a, std::uint64_t b, int exponent) {
    Wide product = Wide{a} * b;
    const int bits = product >> 64 != 0
                         ? 128 - std::countl_zero(static_cast<std::uint64_t>(product >> 64))
                         : 64 - std::countl_zero(static_cast<std::uint64_t>(product));
    if (bits <= kMantissaBits) {
        return {static_cast<std::uint64_t>(product), exponent};
    }
    const int shift = bits - kMantissaBits;
    const Wide rest = product & ((Wide{1} << shift) - 1);
    const Wide half = Wide{1} << (shift - 1);
    product >>= shift;
    exponent += shift;
    if (rest > half || (rest == half && (product & 1) != 0)) {
        ++product;
        if (product >> kMantissaBits != 0) {
            product >>= 1;
            ++exponent;
        }
    }
    return {static_cast<std::uint64_t>(product), exponent};
}

// 0.01 as the extended format holds it: 2^70 / 100 rounded to the nearest
// integer, 11805916207174113034.24, a little below one hundredth.
constexpr Extended kHundredth{11805916207174113034u, -70};

std::uint64_t Magnitude(std::int32_t value) {
    return static_cast<std::uint64_t>(std::abs(static_cast<std::int64_t>(value)));
}

}  // namespace

std::int64_t PercentOf(std::int64_t part, std::int64_t whole) {
    if (whole == 0) {
        return 0;
    }
    // In extended precision part × 100 is exact, and a quotient that is not a
    // whole number lies at least 1/whole from one, more than its rounding
    // error, so truncating it gives the exact integer quotient.
    return part * 100 / whole;
}

std::int64_t ShareOf(std::int32_t percent, std::int32_t size) {
    // The factor is rounded on its own before it meets the size; folding the
    // two into percent × size / 100 would change the results.
    const Extended factor =
        RoundedProduct(Magnitude(percent), kHundredth.mantissa, kHundredth.exponent);
    const Extended share = RoundedProduct(Magnitude(size), factor.mantissa, factor.exponent);
    // Truncation toward zero; the magnitude stays below 2^56.
    const std::int64_t whole = share.exponent >= 0
                                   ? static_cast<std::int64_t>(share.mantissa << share.exponent)
                               : share.exponent > -kMantissaBits
                                   ? static_cast<std::int64_t>(share.mantissa >> -share.exponent)
                                   : 0;
    return (percent < 0) != (size < 0) ? -whole : whole;
}

}  // namespace veltra
