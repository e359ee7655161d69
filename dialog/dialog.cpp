#include "dialog/dialog.hpp"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "conversion/conversion.hpp"

namespace {

constexpr std::string_view titleText =
    "Umrechnung von verschiedenen Waehrungen in Euro und umgekehrt von Kesmirand\n";
constexpr std::string_view blankLine = " \n";
constexpr std::string_view continueOption = "1 - Mit Trellovan fortfahren\n";
constexpr std::string_view endOption = "2 - Trellovan lieber beenden \n";
constexpr std::string_view menuPrompt = "Ihre Wahl?\n";
constexpr std::string_view amountPrompt =
    "Bitte geben Sie ihren Betrag ein (statt Komma einen Punkt benutzen).\n";

constexpr std::array openingParts{titleText, blankLine, blankLine, continueOption, endOption};
constexpr std::array amountParts{blankLine, blankLine, amountPrompt};
constexpr std::array offerParts{blankLine, blankLine, continueOption, endOption};
constexpr auto menuParts = [] {
    std::array<std::string_view, conversionTable.size() + 4> parts{blankLine, blankLine};
    std::transform(conversionTable.begin(), conversionTable.end(), parts.begin() + 2,
                   [](const ConversionEntry& entry) { return entry.menuText; });
    parts[parts.size() - 2] = blankLine;
    parts[parts.size() - 1] = menuPrompt;
    return parts;
}();

template <const auto& parts>
constexpr auto joinTexts() {
    constexpr std::size_t size = [] {
        std::size_t total = 0;
        for (const std::string_view part : parts) {
            total += part.size();
        }
        return total;
    }();
    std::array<char, size> joined{};
    auto out = joined.begin();
    for (const std::string_view part : parts) {
        out = std::copy(part.begin(), part.end(), out);
    }
    return joined;
}

// Texts that always go out together are written as one block.
constexpr auto openingBlock = joinTexts<openingParts>();
constexpr auto menuBlock = joinTexts<menuParts>();
constexpr auto amountBlock = joinTexts<amountParts>();
constexpr auto offerBlock = joinTexts<offerParts>();

// As large as a pipe's buffer; larger ones measured slower.
constexpr std::size_t outputBufferSize = std::size_t{64} * 1024;

constexpr std::string_view writeFailedMessage =
    "euro-umrechner: Fehler beim Schreiben auf die Standardausgabe\n";
constexpr std::string_view readFailedMessage = "euro-umrechner: Fehler beim Lesen der Standardeingabe\n";

}  // namespace

// Write errors are not checked at each write: they stay on the stream, where
// the dialog and the final close look for them.
static void writeText(std::FILE* output, std::string_view text) {
    (void)std::fwrite(text.data(), 1, text.size(), output);
}

template <std::size_t size>
static void writeText(std::FILE* output, const std::array<char, size>& block) {
    (void)std::fwrite(block.data(), 1, size, output);
}

// Reads the answer to the offer; true only when it is 1. No number, or the end
// of the input, ends the dialog like any other answer.
static bool offerAccepted(InputReader& input, std::int32_t& continueAnswer) {
    const IntegerRead answer = readInteger(input);
    if (answer.status != ReadStatus::Number) {
        return false;
    }
    continueAnswer = answer.value;
    return continueAnswer == 1;
}

// Reads with `read` until it yields a number, discarding each line that does
// not and writing `prompt` again; Ended when the input ends first.
template <typename Read>
static auto readUntilNumber(InputReader& input, std::FILE* output, std::string_view prompt, Read read) {
    auto answer = read(input);
    while (answer.status == ReadStatus::NoNumber && discardLine(input)) {
        writeText(output, prompt);
        answer = read(input);
    }
    if (answer.status == ReadStatus::NoNumber) {
        answer.status = ReadStatus::Ended;
    }
    return answer;
}

// Writes the blank line before the result line, then the result line: the
// number and, when a conversion took place, its unit, which ends the line.
static void writeResult(std::FILE* output, Amount result, const ConversionEntry* entry) {
    (void)std::fprintf(output, " \nUmgerechnet: %g", static_cast<double>(result));
    if (entry != nullptr) {
        writeText(output, entry->unitText);
    }
}

void runDialogOn(InputReader& input, std::FILE* output) {
    std::int32_t continueAnswer = 0;
    std::int32_t conversionChoice = 0;
    Amount amount = 0.0F;
    Amount result = 0.0F;

    writeText(output, openingBlock);
    while (offerAccepted(input, continueAnswer) && std::ferror(output) == 0) {
        writeText(output, menuBlock);
        const IntegerRead choice = readUntilNumber(input, output, menuPrompt, readInteger);
        if (choice.status != ReadStatus::Number) {
            return;
        }
        conversionChoice = choice.value;
        writeText(output, amountBlock);
        const AmountRead amountAnswer = readUntilNumber(input, output, amountPrompt, readAmount);
        if (amountAnswer.status != ReadStatus::Number) {
            return;
        }
        amount = amountAnswer.value;
        const ConversionEntry* entry = findConversion(conversionChoice);
        if (entry != nullptr) {
            result = convertAmount(*entry, amount);
        }
        writeResult(output, result, entry);
        writeText(output, offerBlock);
    }
}

static std::ptrdiff_t readStandardInput(void* /*context*/, char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, buffer, capacity);
        if (got >= 0 || errno != EINTR) {
            return got;
        }
    }
}

// Flushes and closes standard output; false when any write to it failed,
// including one that only this last flush brings to light.
static bool closeStandardOutput() {
    const bool failedBefore = std::ferror(stdout) != 0;
    const bool closeFailed = std::fclose(stdout) != 0;
    return !failedBefore && !closeFailed;
}

void runDialog() {
    static char outputBuffer[outputBufferSize];
    static InputReader input;
    // Cannot fail: the buffer is given and the mode is valid.
    (void)std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    openInputReader(input, InputSource{readStandardInput, nullptr}, stdout);
    runDialogOn(input, stdout);

    const bool written = closeStandardOutput();
    const bool read = input.state != InputState::Failed;
    if (!written) {
        writeText(stderr, writeFailedMessage);
    }
    if (!read) {
        writeText(stderr, readFailedMessage);
    }
    if (!written || !read) {
        std::exit(EXIT_FAILURE);
    }
}
