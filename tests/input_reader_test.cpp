#include "dialog/input_reader.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>

#include "number_formats/decimal_number.hpp"
#include "tests/float_bits.hpp"
#include "tests/memory_streams.hpp"

namespace euro_umrechner {
namespace {

constexpr std::int32_t int32Max = INT32_MAX;
constexpr std::int32_t int32Min = INT32_MIN;

// Every case runs with the whole input in one read and with one byte per
// read, so that a look-ahead across a refill is exercised too.
constexpr std::size_t chunkSizes[] = {wholeInput, 1};

template <typename Value>
struct ReadCase {
    const char* input;
    ReadStatus status;
    Value value;
    const char* unread;
};

// Runs `read` once on each case's input, whole and byte by byte, and checks
// the status, the value of a number, and what is left unread.
template <typename Value, std::size_t count, typename Read>
void expectReads(const ReadCase<Value> (&cases)[count], Read read) {
    for (const std::size_t chunkSize : chunkSizes) {
        for (const ReadCase<Value>& c : cases) {
            SCOPED_TRACE(std::string("input \"") + c.input + "\", chunk " + std::to_string(chunkSize));
            MemorySource source{c.input, chunkSize};
            const auto reader = makeReader(source);
            const auto result = read(*reader);
            EXPECT_EQ(result.status, c.status);
            if (c.status == ReadStatus::Number) {
                EXPECT_EQ(bitsOf(result.value), bitsOf(c.value)) << result.value;
            }
            EXPECT_EQ(unreadText(*reader, source), c.unread);
        }
    }
}

TEST(input_reader_test, integer_grammar_saturation_and_leftovers) {
    const ReadCase<std::int32_t> cases[] = {
        {"1", ReadStatus::Number, 1, ""},
        {"01\n", ReadStatus::Number, 1, "\n"},
        {"+3", ReadStatus::Number, 3, ""},
        {"-7 8", ReadStatus::Number, -7, " 8"},
        {" \t\n\v\f\r12", ReadStatus::Number, 12, ""},
        {"3.5", ReadStatus::Number, 3, ".5"},
        {"2,5", ReadStatus::Number, 2, ",5"},
        {"12abc", ReadStatus::Number, 12, "abc"},
        {"2147483647", ReadStatus::Number, int32Max, ""},
        {"2147483648", ReadStatus::Number, int32Max, ""},
        {"4294967297", ReadStatus::Number, int32Max, ""},
        {"99999999999999999999999999999 1", ReadStatus::Number, int32Max, " 1"},
        {"-2147483648", ReadStatus::Number, int32Min, ""},
        {"-2147483649", ReadStatus::Number, int32Min, ""},
        {"-99999999999999999999999999999", ReadStatus::Number, int32Min, ""},
        {"000000000000000000000000000001", ReadStatus::Number, 1, ""},
        // Ten digits in range and out of it, with the byte after them in the buffer.
        {"-2147483647\n", ReadStatus::Number, -2147483647, "\n"},
        {"2147483648\n", ReadStatus::Number, int32Max, "\n"},
        {"-2147483648 ", ReadStatus::Number, int32Min, " "},
        {"12e5 ", ReadStatus::Number, 12, "e5 "},
        {"abc", ReadStatus::NoNumber, 0, "abc"},
        {"-x", ReadStatus::NoNumber, 0, "-x"},
        {"+ 1", ReadStatus::NoNumber, 0, "+ 1"},
        {".5", ReadStatus::NoNumber, 0, ".5"},
        {"-", ReadStatus::NoNumber, 0, "-"},
        {"", ReadStatus::Ended, 0, ""},
        {" \n\n\t ", ReadStatus::Ended, 0, ""},
    };
    expectReads(cases, readInteger);
}

TEST(input_reader_test, integer_read_stops_at_a_nul_byte) {
    const std::string input("7\08", 3);
    MemorySource source{input, wholeInput};
    const auto reader = makeReader(source);
    const IntegerRead read = readInteger(*reader);
    EXPECT_EQ(read.status, ReadStatus::Number);
    EXPECT_EQ(read.value, 7);
    EXPECT_EQ(unreadText(*reader, source), std::string("\08", 2));
    EXPECT_EQ(readInteger(*reader).status, ReadStatus::NoNumber);
}

TEST(input_reader_test, amount_grammar_rounding_and_leftovers) {
    const float infinity = HUGE_VALF;
    const ReadCase<float> cases[] = {
        {"100", ReadStatus::Number, 100.0F, ""},
        {"  -5\n", ReadStatus::Number, -5.0F, "\n"},
        {"+2.25", ReadStatus::Number, 2.25F, ""},
        {"5.", ReadStatus::Number, 5.0F, ""},
        {"5.x", ReadStatus::Number, 5.0F, "x"},
        {".5", ReadStatus::Number, 0.5F, ""},
        {"-.5e1", ReadStatus::Number, -5.0F, ""},
        {"0.1", ReadStatus::Number, 0x1.99999ap-4F, ""},
        {"1e5", ReadStatus::Number, 1e5F, ""},
        {"1E-2x", ReadStatus::Number, 0.01F, "x"},
        {"1e+x", ReadStatus::Number, 1.0F, "e+x"},
        {"1e", ReadStatus::Number, 1.0F, "e"},
        {"1e-", ReadStatus::Number, 1.0F, "e-"},
        {"1.5e", ReadStatus::Number, 1.5F, "e"},
        {"2,5", ReadStatus::Number, 2.0F, ",5"},
        {"0x10", ReadStatus::Number, 0.0F, "x10"},
        {"12 100", ReadStatus::Number, 12.0F, " 100"},
        {"-0", ReadStatus::Number, -0.0F, ""},
        {"0e999999999999999999999", ReadStatus::Number, 0.0F, ""},
        {"3.4028235e38", ReadStatus::Number, FLT_MAX, ""},
        {"3.4028236e38", ReadStatus::Number, infinity, ""},
        {"1e39", ReadStatus::Number, infinity, ""},
        {"-1e99999999999999999999", ReadStatus::Number, -infinity, ""},
        {"1e-45", ReadStatus::Number, 0x1p-149F, ""},
        {"1e-40", ReadStatus::Number, 0x1.16c2p-133F, ""},
        {"1e-46", ReadStatus::Number, 0.0F, ""},
        {"-1e-99999999999999999999", ReadStatus::Number, -0.0F, ""},
        {"1e9223372036854775807", ReadStatus::Number, infinity, ""},
        {"0.1e-9223372036854775809", ReadStatus::Number, 0.0F, ""},
        {"0.00000000000000000000000000000000000000000000000000001e53", ReadStatus::Number, 1.0F, ""},
        {".", ReadStatus::NoNumber, 0.0F, "."},
        {"-.", ReadStatus::NoNumber, 0.0F, "-."},
        {"+", ReadStatus::NoNumber, 0.0F, "+"},
        {"e5", ReadStatus::NoNumber, 0.0F, "e5"},
        {",5", ReadStatus::NoNumber, 0.0F, ",5"},
        {"inf", ReadStatus::NoNumber, 0.0F, "inf"},
        {"nan", ReadStatus::NoNumber, 0.0F, "nan"},
        {"", ReadStatus::Ended, 0.0F, ""},
        {"\n \n", ReadStatus::Ended, 0.0F, ""},
    };
    expectReads(cases, readAmount);
}

// A person's answer is taken as soon as the byte after it arrives.
TEST(input_reader_test, amount_read_waits_for_no_byte_after_the_one_that_ends_it) {
    for (const char* input : {"12\n5", "12e\n5", "1e+\n5", "-\n5", ".\n5"}) {
        MemorySource source{input, 1};
        const auto reader = makeReader(source);
        (void)readAmount(*reader);
        EXPECT_EQ(source.data.substr(source.position), "5") << input;
    }
}

// Reads `input` as an amount, which must take all of it, and checks its value.
void expectWholeAmount(const std::string& input, float expected, std::size_t chunkSize = wholeInput) {
    MemorySource source{input, chunkSize};
    const auto reader = makeReader(source);
    const AmountRead read = readAmount(*reader);
    ASSERT_EQ(read.status, ReadStatus::Number) << input.substr(0, 80);
    EXPECT_EQ(bitsOf(read.value), bitsOf(expected)) << input.substr(0, 80);
    EXPECT_EQ(unreadText(*reader, source), "") << input.substr(0, 80);
}

// Reads `token` as an amount, as the end of the input and followed by a line
// (which the reader then sees at once), and checks value and length against strtof.
void expectSameAsStrtof(const std::string& token) {
    for (const std::string& input : {token, token + "\n"}) {
        char* strtofEnd = nullptr;
        const float expected = std::strtof(input.c_str(), &strtofEnd);
        const auto expectedLength = static_cast<std::size_t>(strtofEnd - input.c_str());
        MemorySource source{input, wholeInput};
        const auto reader = makeReader(source);
        const AmountRead read = readAmount(*reader);
        if (expectedLength == 0) {
            EXPECT_NE(read.status, ReadStatus::Number) << input;
            continue;
        }
        ASSERT_EQ(read.status, ReadStatus::Number) << input;
        EXPECT_EQ(bitsOf(read.value), bitsOf(expected)) << input;
        EXPECT_EQ(input.size() - unreadText(*reader, source).size(), expectedLength) << input;
    }
}

TEST(input_reader_test, amount_matches_strtof_on_random_strings) {
    std::mt19937 random(20261208);
    const std::string alphabet = "0123456789012345678901234567890123456789+-..eE";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<std::size_t> length(1, 40);
    for (int i = 0; i < 100000; ++i) {
        std::string input(length(random), ' ');
        for (char& c : input) {
            c = alphabet[pick(random)];
        }
        expectSameAsStrtof(input);
    }
}

TEST(input_reader_test, amount_matches_strtof_at_the_edges_of_short_numbers) {
    // Significant digits and the zeros up to the point that make at most 19
    // digits, at most ten of them after the point, are rounded from exact
    // integers; one digit or place more goes to strtof. Among them exact ties,
    // and quotients that look like ties until their remainder counts.
    const char* const cases[] = {
        "16777217.0",   "-0.00",         "5.e3",          "33554431.5e0",
        "999999999e10", "9999999999e10", "1e18",          "1e19",
        "1234567e-10",  "1234567e-11",   "12345678e-10",  "8388609e-10",
        "16777217",     "16777217e-7",   "0.0000000001",  "0.00000000001",
        "3.4028235e38", "7e-46",         "1.4e-45",       "0.1234567",
        "0.12345678",   "-999999.9",     "16777216.5",    "1677721.75",
        "3e10",         "3355445e1",     "429e-10",       "0.00033291",
        "118467e-9",    "33291e-8",      "0.12345678901", "999999999.9999999999",
    };
    for (const char* input : cases) {
        expectSameAsStrtof(input);
    }
}

// The exact decimal expansion of `value`, which a double holds exactly for
// every float and every midpoint between two neighbouring floats.
std::string exactDecimal(double value) {
    char text[1200];
    (void)std::snprintf(text, sizeof text, "%.1100f", value);
    std::string decimal = text;
    decimal.erase(decimal.find_last_not_of('0') + 1);  // keeps the point
    return decimal;
}

TEST(input_reader_test, long_tokens_round_correctly_in_one_pass) {
    const float aboveOne = std::nextafter(1.0F, 2.0F);
    const std::string midpoint = exactDecimal((1.0 + static_cast<double>(aboveOne)) / 2);
    const std::string zeros(100000, '0');
    const std::string million(1000000, '0');
    const std::pair<std::string, float> cases[] = {
        {"1" + million, HUGE_VALF},
        {"0." + zeros + "1", 0.0F},
        {"1" + zeros + "e-100000", 1.0F},
        {"0." + zeros + "1e100001", 1.0F},
        {midpoint + zeros + "1", aboveOne},
        {midpoint + zeros, 1.0F},
        {std::string(1000000, '9'), HUGE_VALF},
        {"1" + million + "e-999999", 10.0F},
    };
    for (const auto& [input, expected] : cases) {
        expectWholeAmount(input, expected);
        expectWholeAmount(input, expected, 4093);
    }
}

TEST(input_reader_test, discard_line_consumes_through_the_line_feed) {
    const std::string longLine(200000, 'x');
    struct Case {
        std::string input;
        bool found;
        std::string unread;
    } const cases[] = {
        {"abc\ndef\n", true, "def\n"},
        {"\n5", true, "5"},
        {longLine + "\n7", true, "7"},
        {"abc", false, ""},
        {"", false, ""},
    };
    for (const std::size_t chunkSize : chunkSizes) {
        for (const Case& c : cases) {
            MemorySource source{c.input, chunkSize};
            const auto reader = makeReader(source);
            EXPECT_EQ(discardLine(*reader), c.found);
            EXPECT_EQ(unreadText(*reader, source), c.unread);
        }
    }
}

}  // namespace
}  // namespace euro_umrechner
