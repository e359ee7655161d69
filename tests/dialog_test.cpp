#include "dialog/dialog.hpp"

#include <gtest/gtest.h>

#include <string>

#include "tests/dialog_texts.h"
#include "tests/memory_streams.hpp"

namespace euro_umrechner {
namespace {

// The blank line and the result line (`result` ends with its unit, or nothing).
std::string resultLine(const std::string& result) { return blankLine + (resultHead + result); }

// One cycle's output after the menu prompt: the amount prompt, the result
// line and the offer.
std::string cycle(const std::string& result) {
    return menuBlock + amountPromptBlock + resultLine(result) + offerAfterResultBlock;
}

TEST(dialog_test, transcripts) {
    const struct {
        const char* answers;
        std::string expected;
    } cases[] = {
        // Any answer but 1 to the offer ends the program without another word.
        {"2\n", openingBlock},
        {"4294967297\n", openingBlock},
        {"x\n", openingBlock},
        {"", openingBlock},
        {"\n\n\n", openingBlock},
        {"1\n1\n100\n99\n", openingBlock + cycle("51.1292 Euro\n")},
        // At a later offer, an answer that is no number costs its
        // line and brings the options again; the end of the input still ends at once.
        {"1\n1\n100\nabc 2\n1\n", openingBlock + cycle("51.1292 Euro\n") + offerBlock + menuBlock},
        {"1\n1\n100\n-\n+x\n2\n", openingBlock + cycle("51.1292 Euro\n") + offerBlock + offerBlock},
        {"1\n1\n100\nja", openingBlock + cycle("51.1292 Euro\n")},
        {"1\n1\n100\nja\n", openingBlock + cycle("51.1292 Euro\n") + offerBlock},
        // Result lines: the number as the conversion's own tests expect it, then the unit.
        {"1\n12\n100\n2\n", openingBlock + cycle("195.583 DM\n")},
        {"1\n13\n1\n2\n", openingBlock + cycle("40.3399 Belgische/Luxemburgische Franken\n")},
        {"1\n12\n1e39\n2\n", openingBlock + cycle("inf DM\n")},
        // An exact tie at the sixth digit goes to even, and -0 keeps its sign,
        // as printf shows them.
        {"1\n22\n3.5\n2\n", openingBlock + cycle("1192.62 Drachmen\n")},
        {"1\n12\n-0\n2\n", openingBlock + cycle("-0 DM\n")},
        // No entry: the last result, or 0 before any, and no unit.
        {"1\n1\n100\n1\n23\n5\n2\n", openingBlock + cycle("51.1292 Euro\n") + cycle("51.1292")},
        {"1\n0\n5\n2\n", openingBlock + cycle("0")},
        {"1\n4294967297\n5\n2\n", openingBlock + cycle("0")},
        {"1\n-2147483649\n5\n2\n", openingBlock + cycle("0")},
        // How answers are taken from the stream.
        {"1 12 100 2\n", openingBlock + cycle("195.583 DM\n")},
        {"1\n01\n100\n2\n", openingBlock + cycle("51.1292 Euro\n")},
        {"1\n+3\n100\n2\n", openingBlock + cycle("15.2449 Euro\n")},
        {"1\n3.5\n2\n", openingBlock + cycle("0.0762245 Euro\n")},
        {"\n\n1\n\n\n12\n\n100\n\n2\n", openingBlock + cycle("195.583 DM\n")},
        {"1\r\n12\r\n100\r\n2\r\n", openingBlock + cycle("195.583 DM\n")},
        {"1\n12\n1e+x\n", openingBlock + cycle("1.95583 DM\n") + offerBlock},
        // A decimal comma: the digits before it count, the rest is no answer.
        {"1\n12\n2,5\n1\n12\n100\n2\n",
         openingBlock + cycle("3.91166 DM\n") + offerBlock + cycle("195.583 DM\n")},
        // Answers that form no number: the line goes, the prompt comes again.
        {"1\nabc\n12\n100\n2\n", openingBlock + menuBlock + menuPrompt + amountPromptBlock +
                                     resultLine("195.583 DM\n") + offerAfterResultBlock},
        {"1\n- 12\n12\n100\n2\n", openingBlock + menuBlock + menuPrompt + amountPromptBlock +
                                      resultLine("195.583 DM\n") + offerAfterResultBlock},
        // The bytes just outside white space, and the highest byte, start no number.
        {"1\n\x08"
         "12\n\x0e"
         "12\n\xff\n12\n100\n2\n",
         openingBlock + menuBlock + menuPrompt + menuPrompt + menuPrompt + amountPromptBlock +
             resultLine("195.583 DM\n") + offerAfterResultBlock},
        {"1\n12\nzwei\n,5\ninf 4\n100\n2\n", openingBlock + menuBlock + amountPromptBlock + amountPrompt +
                                                 amountPrompt + amountPrompt + resultLine("195.583 DM\n") +
                                                 offerAfterResultBlock},
        // The end of the input at each read ends the program at once.
        {"1\n", openingBlock + menuBlock},
        {"1\n12\n", openingBlock + menuBlock + amountPromptBlock},
        {"1\n12\nabc", openingBlock + menuBlock + amountPromptBlock},
        {"1\nabc", openingBlock + menuBlock},
        {"1\n12\n100\n", openingBlock + cycle("195.583 DM\n")},
        {"1\n12\n-", openingBlock + menuBlock + amountPromptBlock},
    };
    for (const auto& c : cases) {
        for (const std::size_t chunkSize : {wholeInput, std::size_t{1}}) {
            SCOPED_TRACE("answers " + testing::PrintToString(std::string(c.answers)) + ", chunk " +
                         std::to_string(chunkSize));
            EXPECT_EQ(runTranscript(c.answers, chunkSize), c.expected);
        }
    }
}

TEST(dialog_test, a_line_of_binary_junk_costs_one_prompt) {
    // High bytes and NUL bytes: nothing that starts a number or ends a line.
    std::string junk(300000, '\0');
    for (std::size_t i = 0; i < junk.size(); i += 2) {
        junk[i] = static_cast<char>(0x80 + (i * 7919) % 0x80);
    }
    const std::string output = runTranscript("1\n" + junk + "\n12\n" + junk + "\n100\n2\n");
    EXPECT_EQ(output, openingBlock + menuBlock + menuPrompt + amountPromptBlock + amountPrompt +
                          resultLine("195.583 DM\n") + offerAfterResultBlock);
}

TEST(dialog_test, a_failed_write_ends_the_dialog_at_the_next_offer) {
    std::string answers = "1\n";
    for (int i = 0; i < 200; ++i) {
        answers += "12\n100\n1\n";
    }
    MemorySource source{answers, wholeInput};
    const auto reader = makeReader(source);  // which writes nothing before it waits
    RecordingSink sink{1, 0, {}};
    const auto output = makeOutput(&sink);
    runDialogOn(*reader, *output);
    EXPECT_FALSE(flushOutput(*output));
    EXPECT_EQ(sink.calls, 1);
    // The write that fails is the first one, made when the buffer is full; the
    // dialog goes on to the end of that cycle and reads the answer to its offer.
    const std::size_t cycles = (outputBufferSize - openingBlock.size()) / cycle("195.583 DM\n").size() + 1;
    EXPECT_EQ(unreadText(*reader, source), answers.substr(1 + cycles * 9));
}

}  // namespace
}  // namespace euro_umrechner
