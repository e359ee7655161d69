// The program's only contact with the operating system: raw reads of standard
// input and raw writes to standard output, the same bytes on every platform,
// and the size of the pipe they go into.
#pragma once

#include <cstddef>

namespace euro_umrechner {

// Puts standard input and output in binary mode where the system has text
// modes, so that a line ends in "\n" alone everywhere.
void prepareStandardStreams();

// Reads up to `capacity` bytes of standard input into `buffer`: the count
// read, 0 at the end of the input, negative on a read error. Waits for input
// on a non-blocking descriptor and goes on after an interrupted call. From a
// Windows console, a line that starts with Ctrl+Z ends the input.
std::ptrdiff_t readStandardInput(void* context, char* buffer, std::size_t capacity);

// How many of the `size` bytes of `data`, read from a Windows console, come
// before a line that starts with Ctrl+Z (0x1A), the console's end of the
// input: `size` when no line does. `atLineStart` tells whether `data` starts
// a line.
std::size_t bytesBeforeConsoleEnd(const char* data, std::size_t size, bool atLineStart);

// Writes all `size` bytes of `data` to standard output; false on a write
// error. Waits on a non-blocking descriptor and goes on after an interrupted
// or partial write.
bool writeStandardOutput(void* context, const char* data, std::size_t size);

// Asks for a 1 MiB pipe when standard output is a smaller pipe, so that output
// in bulk wakes its reader far less often; does nothing elsewhere, and nothing
// when the system refuses.
void enlargeOutputPipe();

// Moves standard input's offset back by the `unread` bytes that were read
// ahead but not used, so that whoever reads on finds them; does nothing where
// the input cannot seek.
void returnUnreadInput(std::size_t unread);

// Closes standard output; false when the system reports that written data
// was lost.
bool closeStandardOutput();

// The errno of the first failed read, and of the first failed write or
// close, so far; 0 where none failed.
struct StreamFailures {
    int readError;
    int writeError;
};
StreamFailures standardStreamFailures();

}  // namespace euro_umrechner
