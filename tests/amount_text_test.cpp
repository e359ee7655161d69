#include "number_formats/amount_text.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace euro_umrechner {
namespace {

TEST(amount_text_test, formats_hard_floats_as_printf_g) {
    std::vector<float> values;
    // The floats `from` to `to` steps above `value`, between zero and infinity.
    const auto addBand = [&values](float value, std::int64_t from, std::int64_t to) {
        const std::int64_t bits = std::bit_cast<std::uint32_t>(value);
        for (std::int64_t magnitude = std::max<std::int64_t>(bits + from, 0);
             magnitude <= std::min<std::int64_t>(bits + to, 0x7f800000); ++magnitude) {
            values.push_back(std::bit_cast<float>(static_cast<std::uint32_t>(magnitude)));
        }
    };
    // Positive ones (the sign is only a leading "-" to both): where the exponent's
    // digits change, the subnormal and overflow edges, and a seventh significant
    // digit of 5 at every scale, often exactly halfway between six-digit numbers.
    for (int exponent = -45; exponent <= 38; ++exponent) {
        addBand(static_cast<float>(std::stod("1e" + std::to_string(exponent))), -2048, 2048);
    }
    addBand(0.0F, 0, 8192);
    addBand(std::numeric_limits<float>::min(), -4096, 4096);
    addBand(std::numeric_limits<float>::max(), -8192, 1);  // up to infinity
    for (int exponent = -51; exponent <= 31; ++exponent) {
        const double scale = std::stod("1e" + std::to_string(exponent));
        for (std::int32_t digits = 1000005; digits < 10000000; digits += 10 * 331) {
            addBand(static_cast<float>(digits * scale), -1, 1);
        }
    }
    std::size_t differing = 0;
    for (const float value : values) {
        AmountText text;
        char expected[32];
        const int length = std::snprintf(expected, sizeof expected, "%g", static_cast<double>(value));
        const std::string_view actual = formatAmount(value, text);
        if (actual != std::string_view(expected, static_cast<std::size_t>(length)) && differing++ == 0) {
            ADD_FAILURE() << expected << " shown as " << actual;
        }
    }
    EXPECT_EQ(differing, 0U) << "of " << values.size();
}

}  // namespace
}  // namespace euro_umrechner
