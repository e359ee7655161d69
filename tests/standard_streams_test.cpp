#include "console/standard_streams.hpp"

#include <gtest/gtest.h>

#include <string_view>

namespace euro_umrechner {
namespace {

TEST(standard_streams_test, a_console_line_that_starts_with_ctrl_z_ends_the_input) {
    const struct {
        std::string_view read;
        bool atLineStart;
        std::size_t kept;
    } cases[] = {
        {"\x1a\r\n", true, 0},  {"\x1a", true, 0},       {"12\r\n\x1a\r\n2\r\n", true, 4},
        {"\x1a\r\n", false, 3},  // the rest of a line that began in an earlier read
        {"1\x1a\r\n", true, 4}, {"1 \x1a\r\n", true, 5}, {"\r\x1a\n", true, 3},
        {"2\r\n", true, 3},     {"", true, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bytesBeforeConsoleEnd(c.read.data(), c.read.size(), c.atLineStart), c.kept)
            << testing::PrintToString(c.read) << c.atLineStart;
    }
}

}  // namespace
}  // namespace euro_umrechner
