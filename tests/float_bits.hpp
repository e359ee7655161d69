// Floats as their bits and extended numbers as the machine's long double, so
// that tests compare them exactly.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "number_formats/extended_float.hpp"

namespace euro_umrechner {

// Compared by their bits, the floats -0 and 0 differ, and so do NaNs.
inline std::uint32_t bitsOf(float value) { return std::bit_cast<std::uint32_t>(value); }
inline std::int32_t bitsOf(std::int32_t value) { return value; }  // so that integer tables check alike

// The value in the machine's long double; exact where that has a 64-bit significand.
inline long double asLongDouble(ExtendedFloat value) {
    return std::ldexp(static_cast<long double>(value.significand), value.exponent);
}

inline constexpr bool longDoubleIsExtended = std::numeric_limits<long double>::digits == 64;

}  // namespace euro_umrechner
