#include "number_formats/decimal_number.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdlib>
#include <limits>

#include "number_formats/float_rounding.hpp"

namespace euro_umrechner {

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

// Significant digits of a number that 64 bits always hold: 10^19 < 2^64.
constexpr std::int64_t maxSignificandDigits = 19;

// Digits after the point that nearestFloatOfFraction takes at most.
constexpr std::int64_t maxFractionDigits = 10;

constexpr auto powersOfTen = [] {
    std::array<std::uint64_t, maxSignificandDigits> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

// The float nearest to `decimalSignificand` / 10^`fractionCount`, for at most
// maxFractionDigits fraction digits, rounded once from exact integers.
float nearestFloatOfFraction(std::uint64_t decimalSignificand, std::size_t fractionCount) {
    // With the significand's top bit at bit 63 the quotient is at least 2^63 / 10^10 > 2^29:
    // more bits than a float keeps plus a round bit; a remainder makes it sticky.
    const int shift = std::countl_zero(decimalSignificand | 1U);
    const std::uint64_t numerator = decimalSignificand << shift;
    const std::uint64_t scale = powersOfTen[fractionCount];
    const std::uint64_t quotient = numerator / scale;
    const bool remainder = numerator % scale != 0;
    return roundToFloat(false, quotient, -shift, remainder);
}

// The nearest float to a number whose significant digits, and the zeros
// between them and the point, fit in 64 bits, with at most maxFractionDigits
// after the point, rounded once from exact integers. False for other numbers.
bool nearestFloatOfShortNumber(const DecimalNumber& number, float& magnitude) {
    const auto digitCount = static_cast<std::int64_t>(number.digitCount);
    const std::int64_t power = clampedExponent(number) - digitCount;
    if (number.droppedNonZero || power < -maxFractionDigits ||
        digitCount + std::max<std::int64_t>(power, 0) > maxSignificandDigits) {
        return false;
    }
    std::uint64_t decimalSignificand = 0;  // not 0: the first kept digit is not 0
    for (std::size_t i = 0; i < number.digitCount; ++i) {
        decimalSignificand = decimalSignificand * 10 + static_cast<std::uint64_t>(number.digits[i] - '0');
    }
    if (power >= 0) {
        const std::uint64_t scale = powersOfTen[static_cast<std::size_t>(power)];
        magnitude = roundToFloat(false, decimalSignificand * scale, 0, false);  // exact: below 10^19 < 2^64
        return true;
    }
    magnitude = nearestFloatOfFraction(decimalSignificand, static_cast<std::size_t>(-power));
    return true;
}

}  // namespace

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

std::int32_t saturatedInt32(const DecimalNumber& number) {
    // One past INT32_MAX, so that INT32_MIN is still exact.
    constexpr std::int64_t magnitudeLimit = std::int64_t{INT32_MAX} + 1;
    std::int64_t magnitude = 0;
    for (std::size_t i = 0; i < number.digitCount; ++i) {
        magnitude = std::min(magnitude * 10 + (number.digits[i] - '0'), magnitudeLimit);
    }
    return static_cast<std::int32_t>(number.negative ? -magnitude
                                                     : std::min<std::int64_t>(magnitude, INT32_MAX));
}

}  // namespace euro_umrechner
