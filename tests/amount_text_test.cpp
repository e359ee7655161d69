#include "dialog/amount_text.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace {

// Counts the floats for which formatAmount differs from printf's "%g", and
// keeps the first of them.
struct Comparison {
    std::uint64_t checked = 0;
    std::uint64_t differing = 0;
    std::string first;

    void checkOne(float value) {
        AmountText text;
        char expected[32];
        const int length = std::snprintf(expected, sizeof expected, "%g", static_cast<double>(value));
        const std::string_view actual = formatAmount(value, text);
        ++checked;
        if (actual != std::string_view(expected, static_cast<std::size_t>(length)) && differing++ == 0) {
            first = std::string(expected) + " shown as " + std::string(actual);
        }
    }
    void check(float value) {
        checkOne(value);
        checkOne(-value);
    }
    // The floats from `from` to `to` units in the last place above `value`,
    // as far as they lie between zero and infinity.
    void checkBand(float value, std::int64_t from, std::int64_t to) {
        const std::int64_t bits = std::bit_cast<std::uint32_t>(value);
        const std::int64_t last = std::min<std::int64_t>(bits + to, 0x7f800000);
        for (std::int64_t magnitude = std::max<std::int64_t>(bits + from, 0); magnitude <= last;
             ++magnitude) {
            check(std::bit_cast<float>(static_cast<std::uint32_t>(magnitude)));
        }
    }
};

double powerOfTen(int exponent) { return std::strtod(("1e" + std::to_string(exponent)).c_str(), nullptr); }

}  // namespace

TEST(amount_text_test, formats_hard_and_random_floats_as_printf_g) {
    Comparison comparison;
    // Where the exponent's digits change, and the subnormal and overflow edges.
    for (int exponent = -45; exponent <= 38; ++exponent) {
        comparison.checkBand(static_cast<float>(powerOfTen(exponent)), -2048, 2048);
    }
    comparison.checkBand(0.0F, 0, 8192);
    comparison.checkBand(std::numeric_limits<float>::min(), -4096, 4096);
    comparison.checkBand(std::numeric_limits<float>::max(), -8192, 1);  // up to infinity
    // A seventh significant digit of 5 at every scale, and the floats on either
    // side; many of them lie exactly halfway between two six-digit numbers.
    for (int exponent = -51; exponent <= 31; ++exponent) {
        for (std::int32_t digits = 1000005; digits < 10000000; digits += 10 * 499) {
            comparison.checkBand(static_cast<float>(digits * powerOfTen(exponent)), -1, 1);
        }
    }
    std::mt19937 random(20021);
    while (comparison.checked < 2'200'000) {
        const auto value = std::bit_cast<float>(static_cast<std::uint32_t>(random()) & 0x7fffffffU);
        if (value <= std::numeric_limits<float>::infinity()) {  // not a NaN
            comparison.check(value);
        }
    }
    EXPECT_EQ(comparison.differing, 0U) << comparison.first;
}
