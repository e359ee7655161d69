#include "dialog/decimal_number.hpp"

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cstdlib>
#include <limits>

std::int64_t addExponents(std::int64_t a, std::int64_t b) {
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max();
    if (b > 0 && a > limit - b) {
        return limit;
    }
    if (b < 0 && a < -limit - b) {
        return -limit;
    }
    return a + b;
}

void appendDigit(DecimalNumber& number, char digit) {
    if (number.digitCount == 0 && digit == '0') {
        return;  // a leading zero is not significant
    }
    if (number.digitCount < keptSignificantDigits) {
        number.digits[number.digitCount++] = digit;
    } else if (digit != '0') {
        number.droppedNonZero = true;
    }
}

// Writes "0.<digits>[1]e<exponent>" and a NUL into `text`; the appended 1
// stands for the dropped non-zero digits, so the text lies strictly between
// the same two decision points as the full number.
static void writeReducedText(const DecimalNumber& number, char* text, char* textEnd) {
    char* out = text;
    *out++ = '0';
    *out++ = '.';
    out = std::copy(number.digits, number.digits + number.digitCount, out);
    if (number.droppedNonZero) {
        *out++ = '1';
    }
    *out++ = 'e';
    // Beyond this a float is long past its overflow or underflow.
    const std::int64_t exponent = std::clamp<std::int64_t>(number.exponent, -1000, 1000);
    *std::to_chars(out, textEnd - 1, exponent).ptr = '\0';
}

// The short path below relies on float operations being rounded to float.
static_assert(FLT_EVAL_METHOD == 0, "float arithmetic must be done in float precision");

// Powers of ten that a float holds exactly: 5^10 still fits its 24-bit significand.
constexpr std::array<float, 11> exactPowersOfTen{1e0F, 1e1F, 1e2F, 1e3F, 1e4F, 1e5F,
                                                 1e6F, 1e7F, 1e8F, 1e9F, 1e10F};

// The nearest float to a number of at most seven significant digits whose
// point is at most ten places from the end of its digits: an exact integer
// below 2^24 and an exact power of ten, so one float multiplication or
// division rounds once, and correctly. False for other numbers.
static bool nearestFloatOfShortNumber(const DecimalNumber& number, float& magnitude) {
    const std::int64_t power = number.exponent - static_cast<std::int64_t>(number.digitCount);
    if (number.digitCount > 7 || number.droppedNonZero || power < -10 || power > 10) {
        return false;
    }
    std::int32_t digits = 0;
    for (std::size_t i = 0; i < number.digitCount; ++i) {
        digits = digits * 10 + (number.digits[i] - '0');
    }
    const float scale = exactPowersOfTen[static_cast<std::size_t>(power < 0 ? -power : power)];
    magnitude = power < 0 ? static_cast<float>(digits) / scale : static_cast<float>(digits) * scale;
    return true;
}

float nearestFloat(const DecimalNumber& number) {
    // Beyond the limit a float has long overflowed or underflowed.
    DecimalNumber held = number;
    held.exponent = std::clamp(number.exponent, -exponentLimit, exponentLimit);
    float magnitude = 0.0F;
    if (number.digitCount > 0 && !nearestFloatOfShortNumber(held, magnitude)) {
        // strtof in the C locale, which this program never leaves, rounds
        // exactly and needs nothing but the C library.
        char text[keptSignificantDigits + 16];
        writeReducedText(held, text, text + sizeof text);
        magnitude = std::strtof(text, nullptr);
    }
    return number.negative ? -magnitude : magnitude;
}
