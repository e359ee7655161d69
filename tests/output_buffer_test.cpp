#include "dialog/output_buffer.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "tests/memory_streams.hpp"

using namespace euro_umrechner;

TEST(output_buffer_test, a_text_longer_than_the_buffer_passes_in_order_until_a_write_fails) {
    const std::string longText(outputBufferSize + 1, 'x');
    for (const int failAt : {4, 3, 2}) {
        RecordingSink sink{failAt, 0, {}};
        const auto output = makeOutput(&sink);
        for (const std::string_view text :
             {std::string_view("a"), std::string_view(longText), std::string_view("cd")}) {
            writeText(*output, text);
        }
        EXPECT_EQ(flushOutput(*output), failAt == 4);
        EXPECT_EQ(sink.calls, std::min(failAt, 3));
        EXPECT_TRUE(sink.written == "a" + (failAt > 2 ? longText : "") + (failAt > 3 ? "cd" : "")) << failAt;
    }
    RecordingSink sink;  // a text that just fills the buffer waits there, but not after another text
    const auto output = makeOutput(&sink);
    writeText(*output, std::string_view(longText).substr(1));
    EXPECT_EQ(sink.calls, 0);
    writeText(*output, std::string_view(longText).substr(1));
    EXPECT_EQ(sink.calls, 2);
}
