#include "dialog/input_reader.hpp"

#include <algorithm>
#include <cstring>
#include <limits>

#include "number_formats/decimal_number.hpp"

namespace euro_umrechner {

void openInputReader(InputReader& reader, InputSource source, OutputBuffer* flushBeforeWaiting) {
    reader.source = source;
    reader.flushBeforeWaiting = flushBeforeWaiting;
    reader.readingStopped = false;
    reader.next = 0;
    reader.end = 0;
}

namespace {

// Refills the buffer until `count` unread bytes are there; false when the
// reading stopped first.
bool fillUntilAvailable(InputReader& reader, std::size_t count) {
    while (reader.end - reader.next < count) {
        if (reader.readingStopped) {
            return false;
        }
        const std::size_t unread = reader.end - reader.next;
        std::memmove(reader.buffer, reader.buffer + reader.next, unread);
        reader.next = 0;
        reader.end = unread;
        if (reader.flushBeforeWaiting != nullptr && !flushOutput(*reader.flushBeforeWaiting)) {
            reader.readingStopped = true;
            return false;
        }
        const std::ptrdiff_t got = reader.source.read(reader.source.context, reader.buffer + reader.end,
                                                      inputBufferSize - reader.end);
        if (got > 0) {
            reader.end += static_cast<std::size_t>(got);
        } else {
            reader.readingStopped = true;  // a failed read is the source's to report
        }
    }
    return true;
}

constexpr int noCharacter = -1;

// The unread byte `offset` places ahead, or noCharacter past the input's end.
int peekAt(InputReader& reader, std::size_t offset) {
    if (reader.end - reader.next <= offset && !fillUntilAvailable(reader, offset + 1)) {
        return noCharacter;
    }
    return static_cast<unsigned char>(reader.buffer[reader.next + offset]);
}

int peek(InputReader& reader) { return peekAt(reader, 0); }

void advance(InputReader& reader, std::size_t count = 1) { reader.next += count; }

bool isDigit(int c) { return c >= '0' && c <= '9'; }

bool isSign(int c) { return c == '+' || c == '-'; }

bool isWhiteSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Skips white space; false when the input ends first.
bool skipWhiteSpace(InputReader& reader) {
    int c = peek(reader);
    while (isWhiteSpace(c)) {
        advance(reader);
        c = peek(reader);
    }
    return c != noCharacter;
}

// Consumes a sign if one is next; true when it was a minus.
bool readSign(InputReader& reader) {
    const int c = peek(reader);
    if (isSign(c)) {
        advance(reader);
    }
    return c == '-';
}

// How many bytes a sign takes at the start of the unread input: 1 or 0.
std::size_t signLength(InputReader& reader) { return isSign(peek(reader)) ? 1 : 0; }

// A number of the common form "[sign] digits [. [digits]]" without exponent,
// scanned straight from the buffer, which spares the general reader's
// bookkeeping for every character.
struct BufferedNumber {
    bool complete;  // of this form, and the buffer holds the byte after it
    bool negative;
    std::uint64_t decimalSignificand;  // all its digits as one integer, when there are at most 19
    std::size_t digitCount;            // before and after the point
    std::size_t fractionCount;         // after the point
    std::size_t length;                // of the token, in bytes
};

// Adds the digits from `at` on to `number`; returns where they end. Past 19
// digits number.decimalSignificand wraps, and the readers go the general way.
const char* scanDigits(const char* at, const char* last, BufferedNumber& number) {
    const char* const first = at;
    for (; at != last && isDigit(static_cast<unsigned char>(*at)); ++at) {
        number.decimalSignificand = number.decimalSignificand * 10 + static_cast<std::uint64_t>(*at - '0');
    }
    number.digitCount += static_cast<std::size_t>(at - first);
    return at;
}

// Scans the number at the start of the unread bytes; with `asAmount` its
// digits may go on after a point, and an exponent makes it incomplete.
BufferedNumber scanBufferedNumber(const InputReader& reader, bool asAmount) {
    const char* const first = reader.buffer + reader.next;
    const char* const last = reader.buffer + reader.end;
    BufferedNumber number{false, false, 0, 0, 0, 0};
    const char* at = first;
    if (at != last && isSign(static_cast<unsigned char>(*at))) {
        number.negative = *at == '-';
        ++at;
    }
    at = scanDigits(at, last, number);
    if (asAmount && number.digitCount > 0 && at != last && *at == '.') {
        const std::size_t integerCount = number.digitCount;
        at = scanDigits(at + 1, last, number);
        number.fractionCount = number.digitCount - integerCount;
    }
    number.complete = number.digitCount > 0 && at != last && !(asAmount && (*at == 'e' || *at == 'E'));
    number.length = static_cast<std::size_t>(at - first);
    return number;
}

}  // namespace

IntegerRead readInteger(InputReader& reader) {
    if (!skipWhiteSpace(reader)) {
        return {ReadStatus::Ended, 0};
    }
    const BufferedNumber buffered = scanBufferedNumber(reader, false);
    if (buffered.complete && buffered.digitCount <= 9) {  // nine digits stay in the int32 range
        advance(reader, buffered.length);
        const auto magnitude = static_cast<std::int32_t>(buffered.decimalSignificand);
        return {ReadStatus::Number, buffered.negative ? -magnitude : magnitude};
    }
    // A sign without digits is left unread with the rest, for whoever reads on.
    if (!isDigit(peekAt(reader, signLength(reader)))) {
        return {ReadStatus::NoNumber, 0};
    }
    const bool negative = readSign(reader);
    // One past INT32_MAX, so that INT32_MIN is still exact.
    constexpr std::int64_t magnitudeLimit = std::int64_t{INT32_MAX} + 1;
    std::int64_t magnitude = 0;
    for (int c = peek(reader); isDigit(c); c = peek(reader)) {
        magnitude = std::min(magnitude * 10 + (c - '0'), magnitudeLimit);
        advance(reader);
    }
    const std::int64_t value = negative ? -magnitude : std::min<std::int64_t>(magnitude, INT32_MAX);
    return {ReadStatus::Number, static_cast<std::int32_t>(value)};
}

namespace {

// Consumes a run of digits into `number` and returns how many there were.
// Before the point every significant digit raises the exponent; after it,
// every zero that comes before the first significant digit lowers it.
std::size_t readDigits(InputReader& reader, DecimalNumber& number, bool afterPoint) {
    std::size_t count = 0;
    std::int64_t exponentShift = 0;  // at most the token's length
    for (int c = peek(reader); isDigit(c); c = peek(reader)) {
        const bool leadingZero = number.digitCount == 0 && c == '0';
        if (afterPoint ? leadingZero : !leadingZero) {
            ++exponentShift;
        }
        appendDigit(number, static_cast<char>(c));
        ++count;
        advance(reader);
    }
    number.decimalExponent =
        addDecimalExponents(number.decimalExponent, afterPoint ? -exponentShift : exponentShift);
    return count;
}

// Reads the digits of an exponent and returns its value, saturated at INT64_MAX.
std::int64_t readExponentValue(InputReader& reader) {
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (int c = peek(reader); isDigit(c); c = peek(reader)) {
        const int digit = c - '0';
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
        advance(reader);
    }
    return value;
}

// Consumes an exponent part if a complete one follows; otherwise leaves the
// "e" and any sign after it unread.
void readExponent(InputReader& reader, DecimalNumber& number) {
    const int marker = peek(reader);
    if (marker != 'e' && marker != 'E') {
        return;
    }
    const int afterMarker = peekAt(reader, 1);
    const bool hasSign = isSign(afterMarker);
    if (!isDigit(hasSign ? peekAt(reader, 2) : afterMarker)) {
        return;
    }
    advance(reader, hasSign ? 2 : 1);
    const std::int64_t explicitExponent = readExponentValue(reader);
    number.decimalExponent = addDecimalExponents(number.decimalExponent,
                                                 afterMarker == '-' ? -explicitExponent : explicitExponent);
}

}  // namespace

AmountRead readAmount(InputReader& reader) {
    if (!skipWhiteSpace(reader)) {
        return {ReadStatus::Ended, 0.0F};
    }
    const BufferedNumber buffered = scanBufferedNumber(reader, true);
    if (buffered.complete && buffered.digitCount <= 19 && buffered.fractionCount <= maxFractionDigits) {
        advance(reader, buffered.length);
        return {ReadStatus::Number, nearestFloatOfFraction(buffered.negative, buffered.decimalSignificand,
                                                           buffered.fractionCount)};
    }
    // A number starts with a digit, or a point and a digit, after any sign;
    // anything else is left unread, the sign included.
    const std::size_t sign = signLength(reader);
    const int first = peekAt(reader, sign);
    if (!isDigit(first) && !(first == '.' && isDigit(peekAt(reader, sign + 1)))) {
        return {ReadStatus::NoNumber, 0.0F};
    }
    DecimalNumber number;
    number.negative = readSign(reader);
    const std::size_t integerCount = readDigits(reader, number, false);
    if (peek(reader) == '.' && (integerCount > 0 || isDigit(peekAt(reader, 1)))) {
        advance(reader);
        (void)readDigits(reader, number, true);
    }
    readExponent(reader, number);
    return {ReadStatus::Number, nearestFloat(number)};
}

bool discardLine(InputReader& reader) {
    while (peek(reader) != noCharacter) {
        const char* start = reader.buffer + reader.next;
        const char* lineFeed = static_cast<const char*>(std::memchr(start, '\n', reader.end - reader.next));
        if (lineFeed != nullptr) {
            reader.next += static_cast<std::size_t>(lineFeed - start) + 1;
            return true;
        }
        reader.next = reader.end;
    }
    return false;
}

std::size_t unreadCount(const InputReader& reader) { return reader.end - reader.next; }

}  // namespace euro_umrechner
