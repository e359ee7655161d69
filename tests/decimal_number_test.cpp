#include "number_formats/decimal_number.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <utility>

#include "tests/float_bits.hpp"

using namespace euro_umrechner;

// A token's digits move its exponent by one each; a billion and more of them
// must not be lost to a limit, nor may any sum overflow.
TEST(decimal_number_test, exponent_sums_are_exact_far_beyond_a_billion_digits) {
    constexpr std::int64_t max = INT64_MAX;
    constexpr std::int64_t quarter = max / 2 + 1;  // 2^62
    const struct {
        std::int64_t a, b, sum;
    } cases[] = {
        {-1'000'000'004, -1, -1'000'000'005},
        {-1'000'000'005, 1'000'000'000, -5},
        {1'000'000'001, 1, 1'000'000'002},
        {-(quarter - 1), max, max - quarter + 1},
        {max, 1, max},
        {-max, -1, -max},
        {max - 1, max, max},
        {max, -max, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(addDecimalExponents(c.a, c.b), c.sum) << c.a << " + " << c.b;
    }
    // 0.1 times ten to the sum: 1e-6 after a billion zeros and an exponent of a billion.
    DecimalNumber number;
    appendDigit(number, '1');
    for (const auto& [exponent, expected] :
         {std::pair{std::int64_t{-5}, 0x1.0c6f7ap-20F}, {max, HUGE_VALF}, {-max, 0.0F}}) {
        number.decimalExponent = exponent;
        EXPECT_EQ(bitsOf(nearestFloat(number)), bitsOf(expected)) << exponent;
    }
}
