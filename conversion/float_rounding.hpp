// Rounding an exact binary value to the nearest float with integers only, so
// that the result does not depend on how a compiler evaluates floats.
#pragma once

#include <cstdint>

// A float's sign bit, and the bits of its positive infinity.
inline constexpr std::uint32_t floatSignBit = 0x8000'0000U;
inline constexpr std::uint32_t floatInfinityBits = 0x7f80'0000U;

// The float nearest to `significand` * 2^`exponent`, negated when `negative`,
// ties to even, with subnormal results and overflow to infinity. `sticky`
// says that the exact value lies a little above that, by less than 2^`exponent`.
// A zero significand gives a zero; `exponent` is any int32.
float roundToFloat(bool negative, std::uint64_t significand, std::int32_t exponent, bool sticky);
