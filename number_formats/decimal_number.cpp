#include "number_formats/decimal_number.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdlib>
#include <limits>

#include "number_formats/float_rounding.hpp"

namespace euro_umrechner {

std::int64_t addDecimalExponents(std::int64_t a, std::int64_t b) {
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max();
    if (b > 0 && a > limit - b) {
        return limit;
    }
    if (b < 0 && a < -limit - b) {
        return -limit;
    }
    return a + b;
}

namespace {

// Beyond this exponent a float is long past its overflow or underflow.
constexpr std::int64_t exponentBeyondAnyFloat = 1000;

// `number`'s exponent, clamped to plus or minus exponentBeyondAnyFloat.
std::int64_t clampedExponent(const DecimalNumber& number) {
    return std::clamp(number.decimalExponent, -exponentBeyondAnyFloat, exponentBeyondAnyFloat);
}

// Writes "0.<digits>[1]e<exponent>" and a NUL into `text`; the appended 1
// stands for the dropped non-zero digits, so the text lies strictly between
// the same two decision points as the full number.
void writeReducedText(const DecimalNumber& number, char* text, char* textEnd) {
    char* out = text;
    *out++ = '0';
    *out++ = '.';
    out = std::copy(number.digits, number.digits + number.digitCount, out);
    if (number.droppedNonZero) {
        *out++ = '1';
    }
    *out++ = 'e';
    *std::to_chars(out, textEnd - 1, clampedExponent(number)).ptr = '\0';
}

// Powers of ten up to 10^10; times seven digits at most, a product stays below 10^17 < 2^57.
constexpr std::array<std::uint64_t, maxFractionDigits + 1> powersOfTen{
    1, 10, 100, 1'000, 10'000, 100'000, 1'000'000, 10'000'000, 100'000'000, 1'000'000'000, 10'000'000'000};

// The nearest float to a number of at most seven significant digits whose
// point is at most ten places from the end of its digits, rounded once from
// exact integers. False for other numbers.
bool nearestFloatOfShortNumber(const DecimalNumber& number, float& magnitude) {
    const std::int64_t power = clampedExponent(number) - static_cast<std::int64_t>(number.digitCount);
    if (number.digitCount > 7 || number.droppedNonZero || power < -10 || power > 10) {
        return false;
    }
    std::uint64_t decimalSignificand = 0;  // not 0: the first kept digit is not 0
    for (std::size_t i = 0; i < number.digitCount; ++i) {
        decimalSignificand = decimalSignificand * 10 + static_cast<std::uint64_t>(number.digits[i] - '0');
    }
    if (power >= 0) {
        const std::uint64_t scale = powersOfTen[static_cast<std::size_t>(power)];
        magnitude = roundToFloat(false, decimalSignificand * scale, 0, false);  // exact: below 10^17 < 2^57
        return true;
    }
    magnitude = nearestFloatOfFraction(false, decimalSignificand, static_cast<std::size_t>(-power));
    return true;
}

}  // namespace

float nearestFloatOfFraction(bool negative, std::uint64_t decimalSignificand, std::size_t fractionCount) {
    // With the significand's top bit at bit 63 the quotient is at least 2^63 / 10^10 > 2^29:
    // more bits than a float keeps plus a round bit; a remainder makes it sticky.
    const int shift = std::countl_zero(decimalSignificand | 1U);
    const std::uint64_t numerator = decimalSignificand << shift;
    const std::uint64_t scale = powersOfTen[fractionCount];
    const std::uint64_t quotient = numerator / scale;
    const bool remainder = numerator % scale != 0;
    return roundToFloat(negative, quotient, -shift, remainder);
}

float nearestFloat(const DecimalNumber& number) {
    float magnitude = 0.0F;
    if (number.digitCount > 0 && !nearestFloatOfShortNumber(number, magnitude)) {
        // strtof in the C locale, which this program never leaves, rounds
        // exactly and needs nothing but the C library. MinGW's misrounds some
        // texts of thousands of digits, but is handed at most 121 significant
        // digits here, a length at which the sweep checks its midpoints under wine.
        char text[keptSignificantDigits + 16];
        writeReducedText(number, text, text + sizeof text);
        magnitude = std::strtof(text, nullptr);
    }
    return number.negative ? -magnitude : magnitude;
}

}  // namespace euro_umrechner
