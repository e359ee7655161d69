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

constexpr std::array openingParts{titleText, blankLine, blankLine, continueOption, endOption};
constexpr std::array amountParts{blankLine, blankLine, amountPrompt};
constexpr std::array continueQuestionParts{blankLine, blankLine, continueOption, endOption};
constexpr std::array continueOptionParts{continueOption, endOption};
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
constexpr auto continueQuestionBlock = joinTexts<continueQuestionParts>();
constexpr auto continueOptionsBlock = joinTexts<continueOptionParts>();

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

// The answer to the continue question, or 0, which ends the dialog like any
// answer but 1, when there is none.
std::int32_t continueAnswerOf(IntegerRead answer) {
    return answer.status == ReadStatus::Number ? answer.value : 0;
}

// Writes the blank line before the result line, then the result line: the
// number and, when a conversion took place, its unit, which ends the line.
void writeResult(OutputBuffer& output, Amount result, const ConversionEntry* entry) {
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
    Amount amount = 0.0F;
    Amount result = 0.0F;

    writeText(output, openingBlock);
    // At the first continue question an answer that is no number ends the
    // dialog, as any answer but 1 does; later ones ask again.
    continueAnswer = continueAnswerOf(readInteger(input));
    while (continueAnswer == 1 && !outputFailed(output)) {
        writeText(output, menuBlock);
        const IntegerRead conversionChoiceRead = readUntilNumber(input, output, menuPrompt, readInteger);
        if (conversionChoiceRead.status != ReadStatus::Number) {
            return;
        }
        conversionChoice = conversionChoiceRead.value;
        writeText(output, amountBlock);
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
        writeText(output, continueQuestionBlock);
        continueAnswer =
            continueAnswerOf(readUntilNumber(input, output, textOf(continueOptionsBlock), readInteger));
    }
}

}  // namespace euro_umrechner
