#include "dialog/dialog.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "conversion/conversion.hpp"
#include "number_formats/amount_text.hpp"

namespace euro_umrechner {
namespace {

constexpr std::string_view titleText =
    "Umrechnung von verschiedenen Waehrungen in Euro und umgekehrt von Kesmirand\n";
constexpr std::string_view blankLine = " \n";
constexpr std::string_view continueOption = "1 - Mit Trellovan fortfahren\n";
constexpr std::string_view endOption = "2 - Trellovan lieber beenden \n";
constexpr std::string_view menuPrompt = "Ihre Wahl?\n";
constexpr std::string_view amountPrompt =
    "Bitte geben Sie ihren Betrag ein (statt Komma einen Punkt benutzen).\n";

// The offer is the pair of option lines; it comes at the start and after
// every result.
constexpr std::array openingLines{titleText, blankLine, blankLine, continueOption, endOption};
constexpr std::array amountPromptLines{blankLine, blankLine, amountPrompt};
constexpr std::array offerAfterResultLines{blankLine, blankLine, continueOption, endOption};
constexpr std::array offerLines{continueOption, endOption};
constexpr auto menuLines = [] {
    std::array<std::string_view, conversionTable.size() + 4> lines{blankLine, blankLine};
    std::transform(conversionTable.begin(), conversionTable.end(), lines.begin() + 2,
                   [](const ConversionEntry& entry) { return entry.menuText; });
    lines[lines.size() - 2] = blankLine;
    lines[lines.size() - 1] = menuPrompt;
    return lines;
}();

template <const auto& lines>
constexpr auto joinLines() {
    constexpr std::size_t size = [] {
        std::size_t total = 0;
        for (const std::string_view line : lines) {
            total += line.size();
        }
        return total;
    }();
    std::array<char, size> joined{};
    auto out = joined.begin();
    for (const std::string_view line : lines) {
        out = std::copy(line.begin(), line.end(), out);
    }
    return joined;
}

// Texts that always go out together are written as one block.
constexpr auto openingBlock = joinLines<openingLines>();
constexpr auto menuBlock = joinLines<menuLines>();
constexpr auto amountPromptBlock = joinLines<amountPromptLines>();
constexpr auto offerAfterResultBlock = joinLines<offerAfterResultLines>();
constexpr auto offerBlock = joinLines<offerLines>();

template <std::size_t size>
std::string_view textOf(const std::array<char, size>& block) {
    return {block.data(), size};
}

template <std::size_t size>
void writeText(OutputBuffer& output, const std::array<char, size>& block) {
    writeText(output, textOf(block));
}

// Reads with `read` until it yields a number, discarding each line that does
// not and writing `prompt` again; when the input ends first, the status of
// what it returns is not Number.
template <typename Read>
auto readUntilNumber(InputReader& input, OutputBuffer& output, std::string_view prompt, Read read) {
    auto answer = read(input);
    while (answer.status == ReadStatus::NoNumber && discardLine(input)) {
        writeText(output, prompt);
        answer = read(input);
    }
    return answer;
}

// The answer to the offer, or 0, which ends the dialog like any answer but 1,
// when there is none.
std::int32_t continueAnswerOf(IntegerRead answer) {
    return answer.status == ReadStatus::Number ? answer.value : 0;
}

// Writes the blank line before the result line, then the result line: the
// number and, when a conversion took place, its unit, which ends the line.
void writeResult(OutputBuffer& output, float result, const ConversionEntry* entry) {
    AmountText number;
    writeText(output, " \nUmgerechnet: ");
    writeText(output, formatAmount(result, number));
    if (entry != nullptr) {
        writeText(output, entry->unitText);
    }
}

}  // namespace

void runDialogOn(InputReader& input, OutputBuffer& output) {
    std::int32_t continueAnswer = 0;
    std::int32_t conversionChoice = 0;
    float amount = 0.0F;
    // Carried over from cycle to cycle: a choice that names no conversion shows the last result again.
    float result = 0.0F;

    writeText(output, openingBlock);
    // At the first offer an answer that is no number ends the dialog, as any
    // answer but 1 does; later offers ask again.
    continueAnswer = continueAnswerOf(readInteger(input));
    while (continueAnswer == 1 && !outputFailed(output)) {
        writeText(output, menuBlock);
        const IntegerRead conversionChoiceRead = readUntilNumber(input, output, menuPrompt, readInteger);
        if (conversionChoiceRead.status != ReadStatus::Number) {
            return;
        }
        conversionChoice = conversionChoiceRead.value;
        writeText(output, amountPromptBlock);
        const AmountRead amountRead = readUntilNumber(input, output, amountPrompt, readAmount);
        if (amountRead.status != ReadStatus::Number) {
            return;
        }
        amount = amountRead.value;
        const ConversionEntry* entry = findConversion(conversionChoice);
        if (entry != nullptr) {
            result = convertAmount(*entry, amount);
        }
        writeResult(output, result, entry);
        writeText(output, offerAfterResultBlock);
        continueAnswer = continueAnswerOf(readUntilNumber(input, output, textOf(offerBlock), readInteger));
    }
}

bool runDialogBetween(InputSource source, OutputSink sink, InputReader& input, OutputBuffer& output) {
    openOutputBuffer(output, sink);
    openInputReader(input, source, &output);
    runDialogOn(input, output);
    return flushOutput(output);
}

}  // namespace euro_umrechner
