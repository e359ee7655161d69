#include "dialog/output_buffer.hpp"

#include <cstring>

namespace euro_umrechner {

void openOutputBuffer(OutputBuffer& output, OutputSink sink) {
    output.sink = sink;
    output.failed = false;
    output.used = 0;
}

namespace {

// Hands `size` bytes to the sink unless an earlier write already failed.
void writeThrough(OutputBuffer& output, const char* data, std::size_t size) {
    if (!output.failed && size > 0 && !output.sink.write(output.sink.context, data, size)) {
        output.failed = true;
    }
}

}  // namespace

bool flushOutput(OutputBuffer& output) {
    writeThrough(output, output.buffer, output.used);
    output.used = 0;
    return !output.failed;
}

void writeText(OutputBuffer& output, std::string_view text) {
    if (text.empty()) {
        return;  // an empty view may have no data at all
    }
    if (text.size() > outputBufferSize - output.used) {
        (void)flushOutput(output);  // a failure stays in output.failed
        if (text.size() >= outputBufferSize) {
            writeThrough(output, text.data(), text.size());
            return;
        }
    }
    std::memcpy(output.buffer + output.used, text.data(), text.size());
    output.used += text.size();
}

bool outputFailed(const OutputBuffer& output) { return output.failed; }

}  // namespace euro_umrechner
