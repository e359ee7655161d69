// Feeds arbitrary bytes to the dialog and checks what it writes: every line is
// one of the program's own texts or a result line showing the amount read
// converted, there is at most a fixed amount of output per byte of input, and
// reads of any size give the same output and leave the same input unread.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "conversion/conversion.hpp"
#include "dialog/dialog.hpp"
#include "tests/dialog_texts.h"
#include "tests/memory_streams.hpp"

namespace euro_umrechner {
namespace {

// A text without its line feed.
constexpr std::string_view lineOf(std::string_view text) { return text.substr(0, text.size() - 1); }

constexpr std::string_view fixedLines[] = {lineOf(titleText), lineOf(blankLine),  lineOf(continueOption),
                                           lineOf(endOption), lineOf(menuPrompt), lineOf(amountPrompt)};

// Every byte of answers brings out at most one cycle's output, about 1.3 KB:
// a lone "1" to the offer already brings the whole menu.
constexpr std::size_t outputPerInputByte = 1400;

[[noreturn]] void fail(const char* what, std::string_view line) {
    (void)std::fprintf(stderr, "%s: \"%.*s\"\n", what, static_cast<int>(line.size()), line.data());
    std::abort();
}

// A result line: its number is checked by checkNumbers.
bool isResultLine(std::string_view line) {
    if (!line.starts_with(resultHead) || line.ends_with(" ")) {
        return line.starts_with(resultHead);
    }
    return std::any_of(conversionTable.begin(), conversionTable.end(), [line](const ConversionEntry& entry) {
        return line.ends_with(entry.unitText.substr(0, entry.unitText.size() - 1));
    });
}

bool isKnownLine(std::string_view line) {
    return std::find(std::begin(fixedLines), std::end(fixedLines), line) != std::end(fixedLines) ||
           std::any_of(conversionTable.begin(), conversionTable.end(),
                       [line](const ConversionEntry& entry) { return lineOf(entry.menuText) == line; }) ||
           isResultLine(line);
}

void checkOutput(std::string_view output, std::size_t inputSize) {
    if (output.size() > openingBlock.size() + outputPerInputByte * inputSize) {
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

struct Run {
    RecordingSink output;
    std::string unread;
    std::vector<std::pair<std::size_t, std::size_t>>
        reads;           // at each read: the output so far, the input used
    InputSource source;  // what the reads are passed on to
    const MemorySource* memory;
    const InputReader* reader;
};

std::ptrdiff_t traceRead(void* context, char* buffer, std::size_t capacity) {
    auto& run = *static_cast<Run*>(context);
    run.reads.emplace_back(run.output.written.size(), run.memory->position - unreadCount(*run.reader));
    return run.source.read(run.source.context, buffer, capacity);
}

Run runTraced(std::string_view input, std::size_t chunkSize) {
    MemorySource source{input, chunkSize};
    const std::unique_ptr<InputReader> reader(new InputReader);
    const std::unique_ptr<OutputBuffer> output(new OutputBuffer);
    Run run{{}, {}, {}, memoryInput(source), &source, reader.get()};
    (void)runDialogBetween(InputSource{traceRead, &run}, recordingOutput(&run.output), *reader, *output);
    if (source.position > input.size()) {
        fail("read past the end of the input", input.substr(0, 80));
    }
    run.unread = unreadText(*reader, source);
    return run;
}

// The answer the dialog read while its output stood at `outputSize`, as reads
// of one byte show it: the input used from the first such read to the last.
std::string answerRead(std::string_view input, const Run& run, std::size_t outputSize) {
    std::size_t first = input.size();
    std::size_t last = 0;
    for (const auto& [size, used] : run.reads) {
        if (size == outputSize) {
            first = std::min(first, used);
            last = used;
        }
    }
    return std::string(input.substr(first, last - first));
}

// Each result line shows, as "%g" shows it, the amount read (by strtof)
// converted by the entry chosen (by strtoll), or the last result when the
// choice was no entry's.
void checkNumbers(std::string_view input, const Run& run) {
    const std::string& output = run.output.written;
    const std::string head = blankLine + std::string(resultHead);
    std::string shown = "0";
    for (std::size_t at = output.find(head); at != std::string::npos; at = output.find(head, at + 1)) {
        const std::size_t choiceAt = output.rfind(menuPrompt, at) + std::string_view(menuPrompt).size();
        const long long choice = std::strtoll(answerRead(input, run, choiceAt).c_str(), nullptr, 10);
        const ConversionEntry* entry =
            findConversion(static_cast<std::int32_t>(std::clamp<long long>(choice, INT32_MIN, INT32_MAX)));
        if (entry != nullptr) {
            const float amount = std::strtof(answerRead(input, run, at).c_str(), nullptr);
            std::array<char, 32> text{};
            (void)std::snprintf(text.data(), text.size(), "%g",
                                static_cast<double>(convertAmount(*entry, amount)));
            shown = text.data();
        }
        if (output.compare(at + head.size(), shown.size() + 1, shown + " ") != 0) {
            fail("a result other than the amount converted", std::string_view(output).substr(at + 2, 80));
        }
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
    const Run whole = runTraced(input, wholeInput);
    const Run chunked = runTraced(input, chunkSize);
    const Run bytes = chunkSize == 1 ? chunked : runTraced(input, 1);
    if (chunked.output.written != whole.output.written || chunked.unread != whole.unread ||
        bytes.output.written != whole.output.written || bytes.unread != whole.unread) {
        fail("reads of another size, another dialog", input.substr(0, 80));
    }
    checkOutput(whole.output.written, input.size());
    checkNumbers(input, bytes);
    return 0;
}
