// Reads the dialog's answers, number by number, from a stream of characters.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dialog/output_buffer.hpp"

namespace euro_umrechner {

// Reads up to `capacity` bytes into `buffer`: the count read, 0 at the end of
// the input, negative on a read error.
using ReadFunction = std::ptrdiff_t (*)(void* context, char* buffer, std::size_t capacity);

struct InputSource {
    ReadFunction read;
    void* context;
};

// A thousand piped answers and more per read; a person's arrive a line at a time.
inline constexpr std::size_t inputBufferSize = std::size_t{16} * 1024;

struct InputReader {
    InputSource source;
    OutputBuffer* flushBeforeWaiting;  // output that must be seen before the reader waits
    bool readingStopped;               // the source ended or failed, or the prompts could not be shown
    std::size_t next;                  // first unread byte of buffer
    std::size_t end;                   // one past the last filled byte of buffer
    char buffer[inputBufferSize];
};

// Prepares `reader` to read from `source`; when `flushBeforeWaiting` is not
// null it is flushed before every wait for more input, and a failed flush
// stops the reading as if the input had ended.
void openInputReader(InputReader& reader, InputSource source, OutputBuffer* flushBeforeWaiting);

enum class ReadStatus {
    Number,    // a number was read
    NoNumber,  // the next characters form no number; none of them was consumed
    Ended,     // the input ended (or failed) before anything but white space
};

struct IntegerRead {
    ReadStatus status;
    std::int32_t value;
};

struct AmountRead {
    ReadStatus status;
    float value;
};

// Skips white space, then reads an optional sign and decimal digits; a value
// outside the int32 range saturates to the nearer limit.
IntegerRead readInteger(InputReader& reader);

// Skips white space, then reads the longest prefix of the form
// [sign] (digits [. [digits]] | . digits) [(e|E) [sign] digits]
// and rounds it to the nearest float, as strtof does.
AmountRead readAmount(InputReader& reader);

// Consumes everything up to and including the next line feed; false when the
// input ended first.
bool discardLine(InputReader& reader);

// The bytes read ahead from the source that no read has consumed yet.
std::size_t unreadCount(const InputReader& reader);

}  // namespace euro_umrechner
