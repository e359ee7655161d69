// The 22 fixed euro conversions and the arithmetic of one conversion.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "number_formats/extended_float.hpp"

namespace euro_umrechner {

enum class ConversionDirection { ToEuro, FromEuro };

struct ConversionEntry {
    std::int32_t number;
    std::string_view menuText;
    ConversionDirection direction;
    double rate;           // national currency units per euro
    ExtendedFloat factor;  // what convertAmount multiplies by
    std::string_view unitText;
};

// The irrevocably fixed euro conversion rates: units of each currency per euro.
inline constexpr double rateDeutscheMark = 1.95583;
inline constexpr double rateBelgianLuxembourgFranc = 40.3399;
inline constexpr double rateFrenchFranc = 6.55957;
inline constexpr double ratePeseta = 166.386;
inline constexpr double rateIrishPound = 0.787564;
inline constexpr double rateLira = 1936.27;
inline constexpr double rateGuilder = 2.20371;
inline constexpr double rateSchilling = 13.7603;
inline constexpr double rateEscudo = 200.482;
inline constexpr double rateMarkka = 5.94573;
inline constexpr double rateDrachma = 340.75;

// Builds an entry; the factor of a to-euro entry is the reciprocal of the rate,
// rounded once to 64 significand bits at compile time.
constexpr ConversionEntry makeEntry(std::int32_t number, std::string_view menuText,
                                    ConversionDirection direction, double rate, std::string_view unitText) {
    const ExtendedFloat factor =
        direction == ConversionDirection::ToEuro ? reciprocalOf(rate) : extendedOf(rate);
    return {number, menuText, direction, rate, factor, unitText};
}

inline constexpr std::array<ConversionEntry, 22> conversionTable{{
    makeEntry(1, "01 - Umrechnung von DM zu Euro\n", ConversionDirection::ToEuro, rateDeutscheMark,
              " Euro\n"),
    makeEntry(2, "02 - Umrechnung von Belgische/Luxemburgische Franken zu Euro\n",
              ConversionDirection::ToEuro, rateBelgianLuxembourgFranc, " Euro\n"),
    makeEntry(3, "03 - Umrechnung von Franzoesische Franken zu Euro\n", ConversionDirection::ToEuro,
              rateFrenchFranc, " Euro\n"),
    makeEntry(4, "04 - Umrechnung von Peseten zu Euro\n", ConversionDirection::ToEuro, ratePeseta, " Euro\n"),
    makeEntry(5, "05 - Umrechnung von Irische Pfund zu Euro\n", ConversionDirection::ToEuro, rateIrishPound,
              " Euro\n"),
    makeEntry(6, "06 - Umrechnung von Lire zu Euro\n", ConversionDirection::ToEuro, rateLira, " Euro\n"),
    makeEntry(7, "07 - Umrechnung von Gulden zu Euro\n", ConversionDirection::ToEuro, rateGuilder, " Euro\n"),
    makeEntry(8, "08 - Umrechnung von Schilling zu Euro\n", ConversionDirection::ToEuro, rateSchilling,
              " Euro\n"),
    makeEntry(9, "09 - Umrechnung von Escudos zu Euro\n", ConversionDirection::ToEuro, rateEscudo, " Euro\n"),
    makeEntry(10, "10 - Umrechnung von Finnmark zu Euro\n", ConversionDirection::ToEuro, rateMarkka,
              " Euro\n"),
    makeEntry(11, "11 - Umrechnung von Drachmen zu Euro\n", ConversionDirection::ToEuro, rateDrachma,
              " Euro\n"),
    makeEntry(12, "12 - Umrechnung von Euro zu DM\n", ConversionDirection::FromEuro, rateDeutscheMark,
              " DM\n"),
    makeEntry(13, "13 - Umrechnung von Euro zu Belgische/Luxemburgische Franken\n",
              ConversionDirection::FromEuro, rateBelgianLuxembourgFranc,
              " Belgische/Luxemburgische Franken\n"),
    makeEntry(14, "14 - Umrechnung von Euro zu Franzoesische Franken\n", ConversionDirection::FromEuro,
              rateFrenchFranc, " Franzoesische Franken\n"),
    makeEntry(15, "15 - Umrechnung von Euro zu Peseten\n", ConversionDirection::FromEuro, ratePeseta,
              " Peseten\n"),
    makeEntry(16, "16 - Umrechnung von Euro zu Irische Pfund\n", ConversionDirection::FromEuro,
              rateIrishPound, " Irische Pfund\n"),
    makeEntry(17, "17 - Umrechnung von Euro zu Lire\n", ConversionDirection::FromEuro, rateLira, " Lire\n"),
    makeEntry(18, "18 - Umrechnung von Euro zu Gulden \n", ConversionDirection::FromEuro, rateGuilder,
              " Gulden\n"),
    makeEntry(19, "19 - Umrechnung von Euro zu Schilling \n", ConversionDirection::FromEuro, rateSchilling,
              " Schilling\n"),
    makeEntry(20, "20 - Umrechnung von Euro zu Escudos\n", ConversionDirection::FromEuro, rateEscudo,
              " Escudos\n"),
    makeEntry(21, "21 - Umrechnung von Euro zu Finnmark\n", ConversionDirection::FromEuro, rateMarkka,
              " Finnmark\n"),
    makeEntry(22, "22 - Umrechnung von Euro zu Drachmen \n", ConversionDirection::FromEuro, rateDrachma,
              " Drachmen\n"),
}};

// The entry whose number is `conversionChoice`, or nullptr when there is none.
const ConversionEntry* findConversion(std::int32_t conversionChoice);

// `amount` times the entry's factor, rounded to 64 significand bits and then to
// float, ties to even both times: the bits an x87 extended multiplication gives.
float convertAmount(const ConversionEntry& entry, float amount);

// convertAmount's general path, for every amount: the 64-bit product, then the
// float. convertAmount takes a short cut where that gives the same bits.
float convertAnyAmount(const ConversionEntry& entry, float amount);

}  // namespace euro_umrechner
