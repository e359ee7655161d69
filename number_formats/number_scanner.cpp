#include "number_formats/number_scanner.hpp"

#include <limits>

namespace euro_umrechner {

namespace {

constexpr int noCharacter = -1;  // past the end of the input
constexpr int notYetRead = -2;   // past the end of the text, where the input goes on

bool isDigit(int c) { return c >= '0' && c <= '9'; }

bool isSign(int c) { return c == '+' || c == '-'; }

// The character at `offset` in `text`, or what lies beyond the text.
int characterAt(std::string_view text, std::size_t offset, bool inputEnds) {
    if (offset < text.size()) {
        return static_cast<unsigned char>(text[offset]);
    }
    return inputEnds ? noCharacter : notYetRead;
}

// Appends the run of digits from `at` on to `number` and returns where it
// ends. Before the point every significant digit raises the exponent; after
// it, every zero that comes before the first significant digit lowers it.
std::size_t scanDigits(std::string_view text, std::size_t at, DecimalNumber& number, bool afterPoint) {
    std::int64_t exponentShift = 0;  // at most the text's length
    for (; at < text.size() && isDigit(static_cast<unsigned char>(text[at])); ++at) {
        const bool leadingZero = number.digitCount == 0 && text[at] == '0';
        if (afterPoint ? leadingZero : !leadingZero) {
            ++exponentShift;
        }
        if (!leadingZero) {
            appendDigit(number, text[at]);
        }
    }
    number.decimalExponent =
        addDecimalExponents(number.decimalExponent, afterPoint ? -exponentShift : exponentShift);
    return at;
}

// Adds the run of exponent digits from `at` on to `value`, saturating at
// INT64_MAX, and returns where it ends.
std::size_t scanExponentDigits(std::string_view text, std::size_t at, std::int64_t& value) {
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max();
    for (; at < text.size() && isDigit(static_cast<unsigned char>(text[at])); ++at) {
        const int digit = text[at] - '0';
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
    }
    return at;
}

void endNumber(NumberScan& scan) {
    scan.number.decimalExponent = addDecimalExponents(
        scan.number.decimalExponent, scan.exponentNegative ? -scan.explicitExponent : scan.explicitExponent);
    scan.phase = ScanPhase::Number;
}

// Where a call of scanNumber stands in its text.
struct Cursor {
    std::string_view text;
    std::size_t at = 0;
    bool inputEnds = false;
};

int next(const Cursor& cursor, std::size_t offset) {
    return characterAt(cursor.text, cursor.at + offset, cursor.inputEnds);
}

// Each phase's step moves the scan on to its next phase and returns true, or
// returns false where the call ends: the scan has ended, or waits for text.

bool scanStart(NumberScan& scan, NumberForm form, Cursor& cursor) {
    // A sign is taken only together with the digit, or the point and the
    // digit, that start the number.
    const std::size_t sign = isSign(next(cursor, 0)) ? 1 : 0;
    const int first = next(cursor, sign);
    const bool point = form == NumberForm::Decimal && first == '.';
    const int afterPoint = point ? next(cursor, sign + 1) : noCharacter;
    if (first == notYetRead || afterPoint == notYetRead) {
        return false;
    }
    if (!isDigit(first) && !isDigit(afterPoint)) {
        scan.phase = ScanPhase::NoNumber;
        return false;
    }
    scan.number.negative = next(cursor, 0) == '-';
    cursor.at += sign;
    scan.phase = ScanPhase::IntegerDigits;
    return true;
}

bool scanIntegerDigits(NumberScan& scan, NumberForm form, Cursor& cursor) {
    cursor.at = scanDigits(cursor.text, cursor.at, scan.number, false);
    if (next(cursor, 0) == notYetRead) {
        return false;
    }
    if (form == NumberForm::Integer) {
        endNumber(scan);
        return false;
    }
    // The number has a digit before the point or after it, so a point is always its own.
    if (next(cursor, 0) == '.') {
        ++cursor.at;
        scan.phase = ScanPhase::FractionDigits;
    } else {
        scan.phase = ScanPhase::Exponent;
    }
    return true;
}

bool scanFractionDigits(NumberScan& scan, Cursor& cursor) {
    cursor.at = scanDigits(cursor.text, cursor.at, scan.number, true);
    if (next(cursor, 0) == notYetRead) {
        return false;
    }
    scan.phase = ScanPhase::Exponent;
    return true;
}

bool scanExponent(NumberScan& scan, Cursor& cursor) {
    // Without a digit after the marker and any sign, the number ends before the marker.
    const int marker = next(cursor, 0);
    const int afterMarker = marker == 'e' || marker == 'E' ? next(cursor, 1) : noCharacter;
    const std::size_t sign = isSign(afterMarker) ? 1 : 0;
    const int digit = afterMarker == noCharacter ? noCharacter : next(cursor, 1 + sign);
    if (marker == notYetRead || digit == notYetRead) {
        return false;
    }
    if (!isDigit(digit)) {
        endNumber(scan);
        return false;
    }
    scan.exponentNegative = afterMarker == '-';
    cursor.at += 1 + sign;
    scan.phase = ScanPhase::ExponentDigits;
    return true;
}

bool scanExponentDigitsToEnd(NumberScan& scan, Cursor& cursor) {
    cursor.at = scanExponentDigits(cursor.text, cursor.at, scan.explicitExponent);
    if (next(cursor, 0) != notYetRead) {
        endNumber(scan);
    }
    return false;
}

bool scanStep(NumberScan& scan, NumberForm form, Cursor& cursor) {
    switch (scan.phase) {
        case ScanPhase::Start:
            return scanStart(scan, form, cursor);
        case ScanPhase::IntegerDigits:
            return scanIntegerDigits(scan, form, cursor);
        case ScanPhase::FractionDigits:
            return scanFractionDigits(scan, cursor);
        case ScanPhase::Exponent:
            return scanExponent(scan, cursor);
        case ScanPhase::ExponentDigits:
            return scanExponentDigitsToEnd(scan, cursor);
        case ScanPhase::Number:
        case ScanPhase::NoNumber:
            return false;
    }
    return false;
}

}  // namespace

std::size_t scanNumber(NumberScan& scan, NumberForm form, std::string_view text, bool inputEnds) {
    Cursor cursor{text, 0, inputEnds};
    while (scanStep(scan, form, cursor)) {
    }
    return cursor.at;
}

}  // namespace euro_umrechner
