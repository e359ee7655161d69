#include "dialog/decimal_number.hpp"

#include <algorithm>
#include <charconv>
#include <cstdlib>

std::int64_t addExponents(std::int64_t a, std::int64_t b) {
    return std::clamp(a + b, -exponentLimit, exponentLimit);
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

float nearestFloat(const DecimalNumber& number) {
    float magnitude = 0.0F;
    if (number.digitCount > 0) {
        // strtof in the C locale, which this program never leaves, rounds
        // exactly and needs nothing but the C library.
        char text[keptSignificantDigits + 16];
        writeReducedText(number, text, text + sizeof text);
        magnitude = std::strtof(text, nullptr);
    }
    return number.negative ? -magnitude : magnitude;
}
