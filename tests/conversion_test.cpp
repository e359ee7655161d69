#include "conversion/conversion.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "tests/dialog_texts.h"
#include "tests/float_bits.hpp"

namespace euro_umrechner {
namespace {

// The value as the dialog shows it.
std::string shown(float value) {
    char text[64];
    (void)std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

float convertWith(std::int32_t number, float amount) {
    return convertAmount(*findConversion(number), amount);
}

TEST(conversion_test, table_has_numbers_directions_texts_and_rates_in_order) {
    ASSERT_EQ(conversionTable.size(), 22U);
    for (std::size_t i = 0; i < conversionTable.size(); ++i) {
        const ConversionEntry& entry = conversionTable[i];
        const bool toEuro = i < 11;
        SCOPED_TRACE(entry.menuText);
        EXPECT_EQ(entry.number, static_cast<std::int32_t>(i + 1));
        EXPECT_EQ(entry.direction, toEuro ? ConversionDirection::ToEuro : ConversionDirection::FromEuro);
        EXPECT_EQ(entry.unitText, toEuro ? euroUnitText : currencyUnitTexts[i % 11]);
        EXPECT_EQ(entry.rate, euroRates[i % 11]);
    }
}

// Products that round at 64 bits to a float midpoint and then to even: from
// just below the midpoint, from a tie at 64 bits with an even and with an odd
// last bit, and to a subnormal one; a product below 2^87 whose last kept bit
// comes from its low part, also of a subnormal amount; and products whose
// 64-bit rounding carries into a new bit.
TEST(conversion_test, extended_product_rounds_twice_and_carries) {
    const struct {
        ExtendedFloat factor;
        float amount;
        float result;
    } cases[] = {
        {{0xaaaa'af55'5555'5555U, -63}, 3.0F, 0x1.000008p+2F},           // rounded once: 0x1.000006p+2
        {{0xaaaa'ab55'5555'5556U, -63}, 3.0F, 4.0F},                     // rounded once: 0x1.000002p+2
        {{0xaaaa'acaa'aaaa'aaaaU, -63}, 3.0F, 0x1.000004p+2F},           // rounded once: 0x1.000002p+2
        {{0xaaaa'aeaa'aaaa'aaaaU, -91}, 0x1.8p-100F, 0x1.000008p-127F},  // rounded once: 0x1.000004p-127
        {{0x8000'0055'5555'5556U, -63}, 3.0F, 0x1.800002p+1F},           // a tie without that bit: 0x1.8p+1
        {{0x8000'0055'5555'5556U, 68}, 0x1.8p-130F, 0x1.800002p+1F},     // its significand moved up to bit 23
        {{0x9249'2492'4924'9249U, -63}, 7.0F, 8.0F},
        {{0x9249'2492'4924'9249U, -63}, 0x1.cp-145F, 0x1p-144F},  // subnormal
        // A signalling NaN comes out quieted, with its sign and payload.
        {{1ULL << 63, -63}, std::bit_cast<float>(0xff80'0001U), std::bit_cast<float>(0xffc0'0001U)},
    };
    for (const auto& c : cases) {
        const ConversionEntry entry{0, "", ConversionDirection::FromEuro, 0.0, c.factor, ""};
        EXPECT_EQ(bitsOf(convertAmount(entry, c.amount)), bitsOf(c.result)) << c.amount;
    }
}

TEST(conversion_test, find_conversion_yields_exactly_the_numbered_entries) {
    for (std::int32_t number = 1; number <= 22; ++number) {
        EXPECT_EQ(findConversion(number), &conversionTable[static_cast<std::size_t>(number - 1)]);
    }
    for (const std::int32_t number : {0, -1, 23, 24, 100, std::numeric_limits<std::int32_t>::max(),
                                      std::numeric_limits<std::int32_t>::min()}) {
        EXPECT_EQ(findConversion(number), nullptr) << number;
    }
}

TEST(conversion_test, reference_results) {
    struct Case {
        std::int32_t number;
        float amount;
        const char* nineDigits;
        const char* display;
    };
    const Case cases[] = {
        {12, 100.0F, "195.582993", "195.583"},
        {1, 100.0F, "51.1291885", "51.1292"},
        {1, 12.0F, "6.13550234", "6.1355"},
        {3, 100.0F, "15.2449017", "15.2449"},
        {4, 1000.0F, "6.01012087", "6.01012"},
        {6, 0.1F, "5.16456894e-05", "5.16457e-05"},
        {15, 1.0F, "166.386002", "166.386"},
        {17, 1000.0F, "1936270", "1.93627e+06"},
        {22, 10.0F, "3407.5", "3407.5"},
        {12, -5.0F, "-9.77915001", "-9.77915"},
        // The exact products lie within a hair of a midpoint; the long double
        // product decides them the other way than a double product would.
        {17, 25000.0F, "48406748", "4.84067e+07"},
        {17, 2425.0F, "4695454.5", "4.69545e+06"},
        {15, 30375.0F, "5053974.5", "5.05397e+06"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.number) + " " + c.nineDigits);
        const float result = convertWith(c.number, c.amount);
        EXPECT_EQ(bitsOf(result), bitsOf(std::strtof(c.nineDigits, nullptr)));
        EXPECT_EQ(shown(result), c.display);
    }
}

TEST(conversion_test, round_trip_through_each_currency_shows_the_amount_again) {
    for (std::int32_t number = 1; number <= 11; ++number) {
        EXPECT_EQ(shown(convertWith(number + 11, convertWith(number, 100.0F))), "100") << number;
        EXPECT_EQ(shown(convertWith(number, convertWith(number + 11, 100.0F))), "100") << number;
    }
}

TEST(conversion_test, zero_stays_zero_and_sign_carries_through) {
    for (const ConversionEntry& entry : conversionTable) {
        EXPECT_EQ(bitsOf(convertAmount(entry, 0.0F)), bitsOf(0.0F)) << entry.number;
        EXPECT_EQ(bitsOf(convertAmount(entry, -0.0F)), bitsOf(-0.0F)) << entry.number;
        for (const float amount : {0.01F, 1.0F, 123.45F, 1e30F}) {
            EXPECT_EQ(bitsOf(convertAmount(entry, -amount)), bitsOf(-convertAmount(entry, amount)))
                << entry.number << " " << amount;
        }
    }
}

}  // namespace
}  // namespace euro_umrechner
