#include "dialog/input_reader.hpp"

#include <cstring>
#include <string_view>

#include "number_formats/decimal_number.hpp"
#include "number_formats/number_scanner.hpp"

namespace euro_umrechner {

void openInputReader(InputReader& reader, InputSource source, OutputBuffer* flushBeforeWaiting) {
    reader.source = source;
    reader.flushBeforeWaiting = flushBeforeWaiting;
    reader.readingStopped = false;
    reader.next = 0;
    reader.end = 0;
}

namespace {

// Refills the buffer until `count` unread bytes are there; false when the
// reading stopped first.
bool fillUntilAvailable(InputReader& reader, std::size_t count) {
    while (reader.end - reader.next < count) {
        if (reader.readingStopped) {
            return false;
        }
        const std::size_t unread = reader.end - reader.next;
        std::memmove(reader.buffer, reader.buffer + reader.next, unread);
        reader.next = 0;
        reader.end = unread;
        if (reader.flushBeforeWaiting != nullptr && !flushOutput(*reader.flushBeforeWaiting)) {
            reader.readingStopped = true;
            return false;
        }
        const std::ptrdiff_t got = reader.source.read(reader.source.context, reader.buffer + reader.end,
                                                      inputBufferSize - reader.end);
        if (got > 0) {
            reader.end += static_cast<std::size_t>(got);
        } else {
            reader.readingStopped = true;  // a failed read is the source's to report
        }
    }
    return true;
}

// Skips white space; false when the input ends first.
bool skipWhiteSpace(InputReader& reader) {
    for (;;) {
        for (; reader.next != reader.end; ++reader.next) {
            const char c = reader.buffer[reader.next];
            if (c != ' ' && (c < '\t' || c > '\r')) {
                return true;
            }
        }
        if (!fillUntilAvailable(reader, 1)) {
            return false;
        }
    }
}

// Scans the number that starts at the first unread byte, refilling the buffer
// while the number may go on past its last byte, and consumes what it takes.
void readNumber(InputReader& reader, NumberForm form, NumberScan& scan) {
    for (;;) {
        const std::string_view unread{reader.buffer + reader.next, reader.end - reader.next};
        reader.next += scanNumber(scan, form, unread, reader.readingStopped);
        if (scanEnded(scan)) {
            return;
        }
        // The bytes the scan left are at most two, and the buffer has room for more.
        (void)fillUntilAvailable(reader, reader.end - reader.next + 1);
    }
}

}  // namespace

IntegerRead readInteger(InputReader& reader) {
    if (!skipWhiteSpace(reader)) {
        return {ReadStatus::Ended, 0};
    }
    NumberScan scan;
    readNumber(reader, NumberForm::Integer, scan);
    if (scan.phase == ScanPhase::NoNumber) {
        return {ReadStatus::NoNumber, 0};
    }
    return {ReadStatus::Number, saturatedInt32(scan.number)};
}

AmountRead readAmount(InputReader& reader) {
    if (!skipWhiteSpace(reader)) {
        return {ReadStatus::Ended, 0.0F};
    }
    NumberScan scan;
    readNumber(reader, NumberForm::Decimal, scan);
    if (scan.phase == ScanPhase::NoNumber) {
        return {ReadStatus::NoNumber, 0.0F};
    }
    return {ReadStatus::Number, nearestFloat(scan.number)};
}

bool discardLine(InputReader& reader) {
    while (reader.next != reader.end || fillUntilAvailable(reader, 1)) {
        const char* start = reader.buffer + reader.next;
        const char* lineFeed = static_cast<const char*>(std::memchr(start, '\n', reader.end - reader.next));
        if (lineFeed != nullptr) {
            reader.next += static_cast<std::size_t>(lineFeed - start) + 1;
            return true;
        }
        reader.next = reader.end;
    }
    return false;
}

std::size_t unreadCount(const InputReader& reader) { return reader.end - reader.next; }

}  // namespace euro_umrechner
