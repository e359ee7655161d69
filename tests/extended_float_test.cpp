#include "number_formats/extended_float.hpp"

#include <gtest/gtest.h>

#include "conversion/conversion.hpp"
#include "tests/float_bits.hpp"

using namespace euro_umrechner;

TEST(extended_float_test, factor_is_the_rate_or_its_reciprocal_rounded_once) {
    if (!longDoubleIsExtended) {
        GTEST_SKIP() << "the reference division needs a long double with a 64-bit significand";
    }
    for (const ConversionEntry& entry : conversionTable) {
        // volatile keeps the division at run time, in the machine's long double
        volatile long double rate = entry.rate;
        const long double expected = entry.direction == ConversionDirection::ToEuro ? 1.0L / rate : rate;
        EXPECT_EQ(entry.factor.significand >> 63, 1U) << "entry " << entry.number;
        EXPECT_EQ(asLongDouble(entry.factor), expected) << "entry " << entry.number;
    }
}
