// The 22 fixed euro conversions and the arithmetic of one conversion.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string_view>

using Amount = float;

enum class ConversionDirection { ToEuro, FromEuro };

// A positive number held like an x87 extended-precision one: significand * 2^exponent,
// the significand's top bit set.
struct ExtendedFloat {
    std::uint64_t significand;
    std::int32_t exponent;
};

struct ConversionEntry {
    std::int32_t number;
    std::string_view menuText;
    ConversionDirection direction;
    double rate;           // national currency units per euro
    ExtendedFloat factor;  // what convertAmount multiplies by
    std::string_view unitText;
};

// A positive normal double, exactly: its 53-bit significand moved to the top.
constexpr ExtendedFloat extendedOf(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const std::uint64_t hiddenBit = std::uint64_t{1} << 52;
    const std::uint64_t significand = (bits & (hiddenBit - 1)) | hiddenBit;
    const auto exponent = static_cast<std::int32_t>(bits >> 52) - 1075;
    return {significand << 11, exponent - 11};
}

// 1 / `value` for a positive normal double, rounded to a 64-bit significand,
// ties to even. Long division of a power of two by the 53-bit significand:
// every remainder stays below 2^54, so each step is exact.
constexpr ExtendedFloat reciprocalOf(double value) {
    const ExtendedFloat divisor = extendedOf(value);
    const std::uint64_t significand = divisor.significand >> 11;
    std::uint64_t remainder = std::uint64_t{1} << 52;
    std::int32_t exponent = -52 - 63 - (divisor.exponent + 11);
    if (remainder < significand) {  // so that the first quotient bit is 1
        remainder <<= 1;
        --exponent;
    }
    std::uint64_t quotient = 0;
    for (int bit = 0; bit < 64; ++bit) {
        quotient <<= 1;
        if (remainder >= significand) {
            remainder -= significand;
            quotient |= 1U;
        }
        remainder <<= 1;
    }
    const bool roundBit = remainder >= significand;
    const bool sticky = remainder != 0 && remainder != significand;
    if (!roundBit || (!sticky && (quotient & 1U) == 0)) {
        return {quotient, exponent};
    }
    return quotient == ~std::uint64_t{0} ? ExtendedFloat{std::uint64_t{1} << 63, exponent + 1}
                                         : ExtendedFloat{quotient + 1, exponent};
}

// Builds an entry; the factor of a to-euro entry is the reciprocal of the rate,
// rounded once to 64 significand bits at compile time.
constexpr ConversionEntry makeEntry(std::int32_t number, std::string_view menuText,
                                    ConversionDirection direction, double rate, std::string_view unitText) {
    const ExtendedFloat factor =
        direction == ConversionDirection::ToEuro ? reciprocalOf(rate) : extendedOf(rate);
    return {number, menuText, direction, rate, factor, unitText};
}

inline constexpr std::array<ConversionEntry, 22> conversionTable{{
    makeEntry(1, "01 - Umrechnung von DM zu Euro\n", ConversionDirection::ToEuro, 1.95583, " Euro\n"),
    makeEntry(2, "02 - Umrechnung von Belgische/Luxemburgische Franken zu Euro\n",
              ConversionDirection::ToEuro, 40.3399, " Euro\n"),
    makeEntry(3, "03 - Umrechnung von Franzoesische Franken zu Euro\n", ConversionDirection::ToEuro, 6.55957,
              " Euro\n"),
    makeEntry(4, "04 - Umrechnung von Peseten zu Euro\n", ConversionDirection::ToEuro, 166.386, " Euro\n"),
    makeEntry(5, "05 - Umrechnung von Irische Pfund zu Euro\n", ConversionDirection::ToEuro, 0.787564,
              " Euro\n"),
    makeEntry(6, "06 - Umrechnung von Lire zu Euro\n", ConversionDirection::ToEuro, 1936.27, " Euro\n"),
    makeEntry(7, "07 - Umrechnung von Gulden zu Euro\n", ConversionDirection::ToEuro, 2.20371, " Euro\n"),
    makeEntry(8, "08 - Umrechnung von Schilling zu Euro\n", ConversionDirection::ToEuro, 13.7603, " Euro\n"),
    makeEntry(9, "09 - Umrechnung von Escudos zu Euro\n", ConversionDirection::ToEuro, 200.482, " Euro\n"),
    makeEntry(10, "10 - Umrechnung von Finnmark zu Euro\n", ConversionDirection::ToEuro, 5.94573, " Euro\n"),
    makeEntry(11, "11 - Umrechnung von Drachmen zu Euro\n", ConversionDirection::ToEuro, 340.75, " Euro\n"),
    makeEntry(12, "12 - Umrechnung von Euro zu DM\n", ConversionDirection::FromEuro, 1.95583, " DM\n"),
    makeEntry(13, "13 - Umrechnung von Euro zu Belgische/Luxemburgische Franken\n",
              ConversionDirection::FromEuro, 40.3399, " Belgische/Luxemburgische Franken\n"),
    makeEntry(14, "14 - Umrechnung von Euro zu Franzoesische Franken\n", ConversionDirection::FromEuro,
              6.55957, " Franzoesische Franken\n"),
    makeEntry(15, "15 - Umrechnung von Euro zu Peseten\n", ConversionDirection::FromEuro, 166.386,
              " Peseten\n"),
    makeEntry(16, "16 - Umrechnung von Euro zu Irische Pfund\n", ConversionDirection::FromEuro, 0.787564,
              " Irische Pfund\n"),
    makeEntry(17, "17 - Umrechnung von Euro zu Lire\n", ConversionDirection::FromEuro, 1936.27, " Lire\n"),
    makeEntry(18, "18 - Umrechnung von Euro zu Gulden \n", ConversionDirection::FromEuro, 2.20371,
              " Gulden\n"),
    makeEntry(19, "19 - Umrechnung von Euro zu Schilling \n", ConversionDirection::FromEuro, 13.7603,
              " Schilling\n"),
    makeEntry(20, "20 - Umrechnung von Euro zu Escudos\n", ConversionDirection::FromEuro, 200.482,
              " Escudos\n"),
    makeEntry(21, "21 - Umrechnung von Euro zu Finnmark\n", ConversionDirection::FromEuro, 5.94573,
              " Finnmark\n"),
    makeEntry(22, "22 - Umrechnung von Euro zu Drachmen \n", ConversionDirection::FromEuro, 340.75,
              " Drachmen\n"),
}};

// The entry numbered `choice`, or nullptr when no entry has that number.
const ConversionEntry* findConversion(std::int32_t choice);

// `amount` times the entry's factor, rounded to 64 significand bits and then to
// Amount, ties to even both times: the bits an x87 extended multiplication gives.
Amount convertAmount(const ConversionEntry& entry, Amount amount);
