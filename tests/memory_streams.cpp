#include "tests/memory_streams.hpp"

#include <algorithm>
#include <cstring>

#include "dialog/dialog.hpp"

namespace euro_umrechner {
namespace {

std::ptrdiff_t readFromMemory(void* context, char* buffer, std::size_t capacity) {
    auto& source = *static_cast<MemorySource*>(context);
    const std::size_t count = std::min({capacity, source.chunkSize, source.data.size() - source.position});
    if (count > 0) {  // an empty view may have no data at all
        std::memcpy(buffer, source.data.data() + source.position, count);
    }
    source.position += count;
    return static_cast<std::ptrdiff_t>(count);
}

bool record(void* context, const char* data, std::size_t size) {
    if (context == nullptr) {
        return true;
    }
    auto& sink = *static_cast<RecordingSink*>(context);
    if (++sink.calls >= sink.failAt) {
        return false;
    }
    sink.written.append(data, size);
    return true;
}

}  // namespace

InputSource memoryInput(MemorySource& source) { return {readFromMemory, &source}; }

OutputSink recordingOutput(RecordingSink* sink) { return {record, sink}; }

std::unique_ptr<InputReader> makeReader(MemorySource& source) {
    // not value-initialised: its buffer needs no zeroing
    std::unique_ptr<InputReader> reader(new InputReader);
    openInputReader(*reader, memoryInput(source), nullptr);
    return reader;
}

std::string unreadText(const InputReader& reader, const MemorySource& source) {
    std::string rest(reader.buffer + reader.next, unreadCount(reader));
    rest += source.data.substr(source.position);
    return rest;
}

std::unique_ptr<OutputBuffer> makeOutput(RecordingSink* sink) {
    std::unique_ptr<OutputBuffer> output(new OutputBuffer);
    openOutputBuffer(*output, recordingOutput(sink));
    return output;
}

std::string runTranscript(std::string_view input, std::size_t chunkSize) {
    MemorySource source{input, chunkSize};
    RecordingSink sink;
    const std::unique_ptr<InputReader> reader(new InputReader);
    const std::unique_ptr<OutputBuffer> output(new OutputBuffer);
    (void)runDialogBetween(memoryInput(source), recordingOutput(&sink), *reader, *output);
    return sink.written;
}

}  // namespace euro_umrechner
