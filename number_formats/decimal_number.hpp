// A decimal number of any length, reduced to what decides its nearest float.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

namespace euro_umrechner {

// A float's decision points (the values and the midpoints between neighbours)
// have at most 113 significant decimal digits; keeping more than that and
// remembering whether any dropped digit was non-zero rounds exactly as the
// whole number would.
inline constexpr std::size_t keptSignificantDigits = 120;

// The number 0.d1d2d3... times ten to `decimalExponent`, with its sign.
struct DecimalNumber {
    bool negative = false;
    bool droppedNonZero = false;  // a significant digit beyond the kept ones was not 0
    std::size_t digitCount = 0;   // kept significant digits, the first one not 0
    std::int64_t decimalExponent = 0;
    char digits[keptSignificantDigits];  // the first digitCount of them; left unset, as each number would
                                         // clear them
};

// a + b, saturated at plus or minus INT64_MAX. While a token is read its digits
// move the exponent by at most its length, so for any token shorter than 2^62
// characters the sum with a saturated explicit exponent still lies on the right
// side of every float's range.
inline std::int64_t addDecimalExponents(std::int64_t a, std::int64_t b) {
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max();
    if (b > 0 && a > limit - b) {
        return limit;
    }
    if (b < 0 && a < -limit - b) {
        return -limit;
    }
    return a + b;
}

// Appends a significant digit (the first not 0, or any after it) that comes
// after all digits before it, wherever the point is. Inline: the scanner calls
// it for every digit.
inline void appendDigit(DecimalNumber& number, char digit) {
    if (number.digitCount < keptSignificantDigits) {
        number.digits[number.digitCount++] = digit;
    } else if (digit != '0') {
        number.droppedNonZero = true;
    }
}

// The float nearest to `number` (whose exponent may be anything), ties to even; infinity on overflow, a
// subnormal or zero on underflow, as strtof rounds.
float nearestFloat(const DecimalNumber& number);

// The integer `number`, saturated to the int32 range; `number` has no digits
// after its point, as a scanned integer has.
std::int32_t saturatedInt32(const DecimalNumber& number);

}  // namespace euro_umrechner
