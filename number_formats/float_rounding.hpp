// Rounding an exact binary value to the nearest float with integers only, so
// that the result does not depend on how a compiler evaluates floats.
#pragma once

#include <cstdint>

namespace euro_umrechner {

// The float nearest to `significand` * 2^`exponent`, negated when `negative`,
// ties to even, with subnormal results and overflow to infinity. `sticky`
// says that the exact value lies a little above that, by less than 2^`exponent`.
// A zero significand gives a zero; `exponent` is any int32.
float roundToFloat(bool negative, std::uint64_t significand, std::int32_t exponent, bool sticky);

}  // namespace euro_umrechner
