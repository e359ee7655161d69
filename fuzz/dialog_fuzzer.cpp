// Feeds arbitrary bytes to the dialog and checks what it writes: every line is
// one of the program's own texts or a result line, and there is at most a
// fixed amount of output per byte of input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "conversion/conversion.hpp"
#include "tests/dialog_texts.h"
#include "tests/transcript.hpp"

namespace euro_umrechner {
namespace {

// A text without its line feed.
constexpr std::string_view lineOf(std::string_view text) { return text.substr(0, text.size() - 1); }

constexpr std::string_view fixedLines[] = {lineOf(titleText), lineOf(blankLine),  lineOf(continueOption),
                                           lineOf(endOption), lineOf(menuPrompt), lineOf(amountPrompt)};

// Title, two blank lines and the continue question's options.
constexpr std::size_t openingSize =
    std::string_view(titleText).size() + 2 * std::string_view(blankLine).size() +
    std::string_view(continueOption).size() + std::string_view(endOption).size();
// Every byte of answers brings out at most one cycle's output, about 1.3 KB:
// a lone "1" to the continue question already brings the whole menu.
constexpr std::size_t outputPerInputByte = 1400;

[[noreturn]] void fail(const char* what, std::string_view line) {
    std::fprintf(stderr, "%s: \"%.*s\"\n", what, static_cast<int>(line.size()), line.data());
    std::abort();
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Skips the digits at the front of `text`; true when there was one at least.
bool skipDigits(std::string_view& text) {
    std::size_t count = 0;
    while (count < text.size() && isDigit(text[count])) {
        ++count;
    }
    text.remove_prefix(count);
    return count > 0;
}

// Removes a number as "%g" writes it from the front of `text`; false when
// there is none.
bool skipShownNumber(std::string_view& text) {
    if (text.starts_with('-')) {
        text.remove_prefix(1);
    }
    if (text.starts_with("inf")) {
        text.remove_prefix(3);
        return true;
    }
    if (!skipDigits(text)) {
        return false;
    }
    if (text.starts_with('.')) {
        text.remove_prefix(1);
        if (!skipDigits(text)) {
            return false;
        }
    }
    if (text.starts_with("e+") || text.starts_with("e-")) {
        text.remove_prefix(2);
        return skipDigits(text);
    }
    return true;
}

bool isResultLine(std::string_view line) {
    if (!line.starts_with(resultHead)) {
        return false;
    }
    line.remove_prefix(std::string_view(resultHead).size());
    if (!skipShownNumber(line)) {
        return false;
    }
    if (line == " ") {  // no conversion: the next blank line ends the line
        return true;
    }
    for (const ConversionEntry& entry : conversionTable) {
        if (entry.unitText.substr(0, entry.unitText.size() - 1) == line) {
            return true;
        }
    }
    return false;
}

bool isKnownLine(std::string_view line) {
    for (const std::string_view known : fixedLines) {
        if (line == known) {
            return true;
        }
    }
    for (const ConversionEntry& entry : conversionTable) {
        if (entry.menuText.substr(0, entry.menuText.size() - 1) == line) {
            return true;
        }
    }
    return isResultLine(line);
}

void checkOutput(std::string_view output, std::size_t inputSize) {
    if (output.size() > openingSize + outputPerInputByte * inputSize) {
        fail("too much output", output.substr(0, 80));
    }
    if (!output.starts_with(titleText) || !output.ends_with('\n')) {
        fail("output does not open with the title or end a line", output.substr(0, 80));
    }
    while (!output.empty()) {
        const std::size_t lineEnd = output.find('\n');
        const std::string_view line = output.substr(0, lineEnd);
        if (!isKnownLine(line)) {
            fail("unknown line", line);
        }
        output.remove_prefix(lineEnd + 1);
    }
}

}  // namespace
}  // namespace euro_umrechner

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace euro_umrechner;
    // The first byte picks how much each read hands over, as a terminal or a
    // pipe might; the rest is the input.
    const std::size_t chunkSize = size > 0 && data[0] < 128 ? data[0] % 16 + 1 : wholeInput;
    const std::string_view input =
        size > 0 ? std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1) : std::string_view();
    MemorySource source{input, chunkSize};
    const std::string output = runTranscript(source);
    if (source.position > input.size()) {
        fail("read past the end of the input", input.substr(0, 80));
    }
    checkOutput(output, input.size());
    return 0;
}
