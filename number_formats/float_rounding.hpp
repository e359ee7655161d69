// Rounding exact binary values to nearest, ties to even, with integers only,
// so that the result does not depend on how a compiler evaluates floats.
#pragma once

#include <cstdint>

namespace euro_umrechner {

// The 1 or 0 that rounding to nearest, ties to even, adds to `kept`: `dropped`
// are the bits dropped below it, `half` their midpoint, and `sticky` says that
// a non-zero bit lies below all of them. One comparison, which compilers make
// without a branch that random low bits would mispredict.
constexpr std::uint64_t roundingIncrement(std::uint64_t kept, std::uint64_t dropped, std::uint64_t half,
                                          bool sticky) {
    // A tie goes up when the last kept bit is odd or the sticky bit is set.
    const std::uint64_t tieGoesUp = (kept | (sticky ? 1U : 0U)) & 1U;
    return dropped > half - tieGoesUp ? 1U : 0U;  // half is at least 1
}

// The float nearest to `significand` * 2^`exponent`, negated when `negative`,
// ties to even, with subnormal results and overflow to infinity. `sticky`
// says that the exact value lies a little above that, by less than 2^`exponent`.
// A zero significand gives a zero; `exponent` is any int32.
float roundToFloat(bool negative, std::uint64_t significand, std::int32_t exponent, bool sticky);

}  // namespace euro_umrechner
