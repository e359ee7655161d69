// Scans a number's characters into a DecimalNumber, each character once, in as
// many pieces as they arrive in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "number_formats/decimal_number.hpp"

namespace euro_umrechner {

enum class NumberForm {
    Integer,  // [sign] digits
    Decimal,  // [sign] (digits [. [digits]] | . digits) [(e|E) [sign] digits]
};

// Where a scan stands: what the next characters may continue, or how it ended.
enum class ScanPhase {
    Start,           // before the sign
    IntegerDigits,   // the number has begun: a digit, or a point and a digit, follows any sign
    FractionDigits,  // after the point
    Exponent,        // an exponent may follow
    ExponentDigits,  // after the exponent's marker and sign
    Number,          // ended after a number, which is in `number`
    NoNumber,        // ended: the characters form no number
};

// A scan starts as a NumberScan is declared.
struct NumberScan {
    ScanPhase phase = ScanPhase::Start;
    bool exponentNegative = false;
    std::int64_t explicitExponent = 0;  // saturated at INT64_MAX
    DecimalNumber number;
};

// Scans `text` for a number of the given form: the characters that follow those scanned so far, and returns
// how many of them the number takes. Unless `inputEnds` (nothing follows
// `text`), the number may go on past `text`, or text's last characters may be
// a sign, a point or an exponent's start that only the next character decides:
// then the scan has not ended, and the next call takes the characters not
// taken (at most two) together with the ones after them.
std::size_t scanNumber(NumberScan& scan, NumberForm form, std::string_view text, bool inputEnds);

inline bool scanEnded(const NumberScan& scan) {
    return scan.phase == ScanPhase::Number || scan.phase == ScanPhase::NoNumber;
}

}  // namespace euro_umrechner
