#include "number_formats/float_rounding.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "tests/float_bits.hpp"

using namespace euro_umrechner;

TEST(float_rounding_test, rounding_to_float_at_ties_the_subnormals_and_overflow) {
    const struct {
        bool negative;
        std::uint64_t significand;
        std::int32_t exponent;
        bool sticky;
        float result;
    } cases[] = {
        {true, 0x8000'0080'0000'0000U, -63, true, -0x1.000002p0F},  // just above the tie 1 + 2^-24
        {false, 1, -150, false, 0.0F},                              // half the smallest subnormal
        {false, 1, -150, true, 0x1p-149F},
        {false, 1, -149, false, 0x1p-149F},          // the smallest subnormal, nothing to drop
        {false, 0xffff'ffffU, -214, true, 0.0F},     // 65 bits to drop
        {false, 0xff'ffff, -150, false, 0x1p-126F},  // a tie that rounds up into the normals
        {false, 0x1ff'ffff, 103, false, HUGE_VALF},  // midway between FLT_MAX and 2^128
        {false, (std::uint64_t{0x1ff'ffff} << 38) - 1, 65, false, 0x1.fffffep127F},
        {true, 0, 5, true, -0.0F},
        {false, 1, std::numeric_limits<std::int32_t>::max(), false, HUGE_VALF},
        {true, ~std::uint64_t{0}, std::numeric_limits<std::int32_t>::min(), true, -0.0F},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bitsOf(roundToFloat(c.negative, c.significand, c.exponent, c.sticky)), bitsOf(c.result))
            << c.significand << " " << c.exponent;
    }
}
