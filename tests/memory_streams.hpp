// Helpers that run the reader and the dialog over in-memory text.
#pragma once

#include <climits>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "dialog/input_reader.hpp"
#include "dialog/output_buffer.hpp"

namespace euro_umrechner {

// Input held in memory, handed out at most `chunkSize` bytes per read, the way
// a terminal hands out one line at a time.
struct MemorySource {
    std::string_view data;
    std::size_t chunkSize;
    std::size_t position = 0;
};

inline constexpr std::size_t wholeInput = static_cast<std::size_t>(-1);

// Reads from `source`, which must outlive what reads it; makeReader opens a
// reader on it that flushes no output before it waits.
InputSource memoryInput(MemorySource& source);
std::unique_ptr<InputReader> makeReader(MemorySource& source);

// What `reader` has not read yet of `source`.
std::string unreadText(const InputReader& reader, const MemorySource& source);

// A sink that keeps what it is given and fails from its `failAt`-th write on.
struct RecordingSink {
    int failAt = INT_MAX;
    int calls = 0;
    std::string written;
};

// Writes to `sink`, which must outlive what writes to it, or throws the output
// away when `sink` is null; makeOutput opens an output buffer on it.
OutputSink recordingOutput(RecordingSink* sink);
std::unique_ptr<OutputBuffer> makeOutput(RecordingSink* sink);

// Everything the dialog writes when `input` is its whole input.
std::string runTranscript(std::string_view input, std::size_t chunkSize = wholeInput);

}  // namespace euro_umrechner
