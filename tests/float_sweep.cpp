// Checks every float bit pattern on all cores, or with an argument STRIDE the
// patterns 0, STRIDE, 2 * STRIDE, ..., as many amounts in cents up to 100,000
// and the range's edges: the conversion with each entry against its general
// path and, where long double is the x87's, the x87 product; the shortest and
// nine-digit texts, the midpoint to the upper neighbour and a hair either side
// of it, read back; and the display against printf's "%g".
//
// Measured on the two-core development machine: a bit pattern costs about
// 2.1 us of CPU time (2.2 s for the 1,049,345 patterns of a stride of 4,093),
// so the whole sweep takes about 2.5 CPU hours, about 75 minutes on two idle
// cores. The slice takes at most 4 s natively, with the sanitizers and under
// wine, and under qemu 4 to 16 s. Every bit pattern has been checked without
// a difference, in two runs: 0 to 0x827f7fff (every positive float, the
// infinities and NaNs of that sign, the negatives down to -1.9e-37) in 72.6
// minutes of CPU time on two shared cores, and 0x827f0000 to the end in 44
// minutes on two idle ones; and again, after the reader came to scan every
// number with one scanner, in one run of 9,815 s of CPU time (109 minutes on
// two cores shared with other work).
#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <charconv>
#include <chrono>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>
#ifndef __wasi__
#include <mutex>
#include <thread>
#endif

#include "conversion/conversion.hpp"
#include "number_formats/amount_text.hpp"
#include "number_formats/float_layout.hpp"
#include "tests/float_bits.hpp"
#include "tests/memory_streams.hpp"

namespace euro_umrechner {
namespace {

std::atomic<std::uint64_t> differences{0};
#ifdef __wasi__
// wasm32's C++ library has no threads: one thread sweeps, and needs no lock.
struct PrintingLock {
    explicit PrintingLock(int /*unused*/) {}
};
constexpr int printing = 0;
#else
using PrintingLock = std::lock_guard<std::mutex>;
std::mutex printing;
#endif

template <typename... Values>
void report(std::uint32_t bits, const char* format, Values... values) {
    if (differences.fetch_add(1) < 10) {
        const PrintingLock lock(printing);
        (void)std::fprintf(stderr, "amount bits 0x%08" PRIx32 ": ", bits);
        (void)std::fprintf(stderr, format, values...);
    }
}

std::array<long double, conversionTable.size()> factors;

void checkConversions(std::uint32_t bits) {
    const auto amount = std::bit_cast<float>(bits);
    for (std::size_t i = 0; i < conversionTable.size(); ++i) {
        const float result = convertAmount(conversionTable[i], amount);
        const std::uint32_t general = bitsOf(convertAnyAmount(conversionTable[i], amount));
        // The x87 product, where long double is the x87's; else the result itself.
        const std::uint32_t x87 =
            longDoubleIsExtended && !std::isnan(amount)
                ? bitsOf(static_cast<float>(static_cast<long double>(amount) * factors[i]))
                : bitsOf(result);
        if (bitsOf(result) != general || std::isnan(amount) != std::isnan(result) || bitsOf(result) != x87) {
            report(bits,
                   "entry %zu gives 0x%08" PRIx32 ", the general path 0x%08" PRIx32 ", the x87 0x%08" PRIx32
                   "\n",
                   i + 1, bitsOf(result), general, x87);
        }
    }
}

struct TextReader {
    MemorySource source{{}, wholeInput};
    std::unique_ptr<InputReader> reader = makeReader(source);
    std::array<char, 160> text{};
};

// Reads the text from `text` to `end` and a line feed; expects all but the line feed read as `expected`.
void expectRead(TextReader& in, std::uint32_t bits, char* end, std::uint32_t expected) {
    *end++ = '\n';
    in.source = {std::string_view(in.text.data(), static_cast<std::size_t>(end - in.text.data())),
                 wholeInput};
    openInputReader(*in.reader, in.reader->source, nullptr);
    const AmountRead read = readAmount(*in.reader);
    const std::uint32_t actual = read.status == ReadStatus::Number && unreadCount(*in.reader) == 1
                                     ? bitsOf(read.value)
                                     : ~std::uint32_t{0};
    if (actual != expected) {
        report(bits, "\"%.*s\" read as 0x%08" PRIx32 ", not 0x%08" PRIx32 "\n",
               static_cast<int>(end - in.text.data() - 1), in.text.data(), actual, expected);
    }
}

// The midpoint between a float and the one above it, exact in a double and
// so in 120 digits, which to_chars writes exactly; then a hair above and below
// it: a 1 after its digits, or these one less and a 9. Its half gap to the
// floats is more than 2^-26 of it, so a hair from the eleventh digit on is less.
void checkMidpoints(TextReader& in, std::uint32_t bits) {
    const std::uint32_t magnitude = bits & ~FloatLayout::signBit;
    const std::uint32_t sign = bits & FloatLayout::signBit;
    const double below = std::bit_cast<float>(magnitude);
    const double above =
        magnitude + 1 == FloatLayout::infinityBits ? 0x1p128 : std::bit_cast<float>(magnitude + 1);
    char* const text = in.text.data();
    char* const end = std::to_chars(text, text + 150, (sign != 0 ? -0.5 : 0.5) * (below + above),
                                    std::chars_format::scientific, 119)
                          .ptr;
    char* const marker = std::find(text, end, 'e');
    std::array<char, 8> exponent{};
    auto* const exponentEnd = std::copy(marker, end, exponent.begin());
    char* last = marker - 1;
    while (*last == '0' && last > text + (sign != 0 ? 1 : 0) + 10) {
        --last;
    }
    expectRead(in, bits, std::copy(exponent.begin(), exponentEnd, last + 1),
               (magnitude + (magnitude & 1U)) | sign);
    last[1] = '1';
    char* const hairEnd = std::copy(exponent.begin(), exponentEnd, last + 2);
    expectRead(in, bits, hairEnd, (magnitude + 1) | sign);
    last[1] = '9';
    char* digit = last;
    for (; *digit == '0' || *digit == '.'; --digit) {
        *digit = *digit == '0' ? '9' : '.';
    }
    --*digit;
    expectRead(in, bits, hairEnd, magnitude | sign);
}

void checkTexts(TextReader& in, std::uint32_t bits) {
    const auto amount = std::bit_cast<float>(bits);
    if (std::isfinite(amount)) {
        char* const text = in.text.data();
        expectRead(in, bits, std::to_chars(text, text + 64, amount).ptr, bits);
        expectRead(in, bits, std::to_chars(text, text + 64, amount, std::chars_format::scientific, 8).ptr,
                   bits);
        checkMidpoints(in, bits);
    }
    AmountText shown;
    const std::string actual(formatAmount(amount, shown));  // short enough to need no allocation
    std::array<char, 32> expected{};
    (void)std::snprintf(expected.data(), expected.size(), "%g", static_cast<double>(amount));
    if (!std::isnan(amount) && actual != expected.data()) {
        report(bits, "shown as \"%s\", not as \"%s\"\n", actual.c_str(), expected.data());
    }
}

}  // namespace
}  // namespace euro_umrechner

int main(int argc, char** argv) {
    using namespace euro_umrechner;
    const std::uint64_t stride =
        std::max<std::uint64_t>(argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1, 1);
    const std::uint64_t count = ((std::uint64_t{1} << 32) + stride - 1) / stride;
    constexpr std::array<std::uint32_t, 6> edges{0x7f80'0000U, 0xff80'0000U, 0x7f7f'ffffU,
                                                 0x0080'0000U, 0x807f'ffffU, 0x8000'0000U};
    const std::uint64_t itemCount = stride == 1 ? count : 2 * count + edges.size();
    const auto patternOf = [&](std::uint64_t i) {  // the patterns, the cents, the edges
        const std::uint64_t cents = (i - count) * 10'000'000 / count;
        return i < count       ? static_cast<std::uint32_t>(i * stride)
               : i < 2 * count ? bitsOf(static_cast<float>(static_cast<double>(cents) / 100.0))
                               : edges.at(i - 2 * count);
    };
    std::transform(conversionTable.begin(), conversionTable.end(), factors.begin(),
                   [](const ConversionEntry& entry) { return asLongDouble(entry.factor); });
    constexpr std::uint64_t blockSize = 1 << 14;
    const std::uint64_t blockCount = (itemCount + blockSize - 1) / blockSize;
    std::atomic<std::uint64_t> nextBlock{0};
    const auto seconds = [start = std::chrono::steady_clock::now()] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    const auto work = [&] {
        TextReader in;
        for (std::uint64_t block = nextBlock++; block < blockCount; block = nextBlock++) {
            for (std::uint64_t i = block * blockSize; i < std::min(itemCount, (block + 1) * blockSize); ++i) {
                checkConversions(patternOf(i));
                checkTexts(in, patternOf(i));
            }
            if ((block + 1) * 1024 / blockCount != block * 1024 / blockCount) {  // progress, for a long run
                const PrintingLock lock(printing);
                std::printf("block %" PRIu64 " of %" PRIu64 " checked after %.0f s\n", block + 1, blockCount,
                            seconds());
                (void)std::fflush(stdout);
            }
        }
    };
#ifdef __wasi__
    const std::size_t threadCount = 1;
    work();
#else
    std::vector<std::thread> threads(std::max(1U, std::thread::hardware_concurrency()));
    for (std::thread& thread : threads) {
        thread = std::thread(work);
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    const std::size_t threadCount = threads.size();
#endif
    std::printf("%" PRIu64 " amounts checked on %zu threads in %.1f s: %" PRIu64 " differences\n", itemCount,
                threadCount, seconds(), differences.load());
    return differences == 0 ? 0 : 1;
}
