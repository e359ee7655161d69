#include "dialog/dialog.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "conversion/conversion.hpp"
#include "dialog/amount_text.hpp"
#include "dialog/standard_streams.hpp"

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

constexpr std::string_view writeFailedMessage =
    "euro-umrechner: Fehler beim Schreiben auf die Standardausgabe\n";
constexpr std::string_view readFailedMessage = "euro-umrechner: Fehler beim Lesen der Standardeingabe\n";

}  // namespace

template <std::size_t size>
static void writeText(OutputBuffer& output, const std::array<char, size>& block) {
    writeText(output, std::string_view(block.data(), size));
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
static auto readUntilNumber(InputReader& input, OutputBuffer& output, std::string_view prompt, Read read) {
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
static void writeResult(OutputBuffer& output, Amount result, const ConversionEntry* entry) {
    AmountText number;
    writeText(output, " \nUmgerechnet: ");
    writeText(output, formatAmount(result, number));
    if (entry != nullptr) {
        writeText(output, entry->unitText);
    }
}

void runDialogOn(InputReader& input, OutputBuffer& output) {
    std::int32_t continueAnswer = 0;
    std::int32_t conversionChoice = 0;
    Amount amount = 0.0F;
    Amount result = 0.0F;

    writeText(output, openingBlock);
    while (offerAccepted(input, continueAnswer) && !output.failed) {
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

// Writes a message on standard error, which needs no flushing.
static void reportError(std::string_view message) {
    (void)std::fwrite(message.data(), 1, message.size(), stderr);
}

void runDialog() {
    static OutputBuffer output;
    static InputReader input;
    prepareStandardStreams();
    openOutputBuffer(output, OutputSink{writeStandardOutput, nullptr});
    openInputReader(input, InputSource{readStandardInput, nullptr}, &output);
    runDialogOn(input, output);

    returnUnreadInput(input.end - input.next);
    // Closing may bring to light a write error that the last write hid.
    const bool written = flushOutput(output) && closeStandardOutput();
    const bool read = input.state != InputState::Failed;
    if (!written) {
        reportError(writeFailedMessage);
    }
    if (!read) {
        reportError(readFailedMessage);
    }
    if (!written || !read) {
        std::exit(EXIT_FAILURE);
    }
}
