#include "console/standard_streams.hpp"

#include <cerrno>
#include <climits>
#include <cstdint>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#else
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace euro_umrechner {
namespace {

StreamFailures failures{0, 0};

// Keeps `error`, the errno of a failed call, in `first` unless an earlier
// failure is kept there already. A failure that gave no errno counts as an
// input/output error.
void recordFailure(int& first, int error) {
    if (first == 0) {
        first = error != 0 ? error : EIO;
    }
}

}  // namespace

StreamFailures standardStreamFailures() { return failures; }

std::size_t bytesBeforeConsoleEnd(const char* data, std::size_t size, bool atLineStart) {
    constexpr char controlZ = '\x1a';
    for (std::size_t at = 0; at < size; ++at) {
        if (data[at] == controlZ && (at == 0 ? atLineStart : data[at - 1] == '\n')) {
            return at;
        }
    }
    return size;
}

#ifdef _WIN32

namespace {

// The C runtime counts in unsigned int; larger requests are split.
unsigned int chunkOf(std::size_t size) { return size < INT_MAX ? static_cast<unsigned int>(size) : INT_MAX; }

// What the console has given of standard input, when standard input is one.
struct ConsoleInput {
    bool isConsole;
    bool atLineStart;
    bool ended;  // by a line that starts with Ctrl+Z
};
ConsoleInput consoleInput{false, true, false};

}  // namespace

void prepareStandardStreams() {
    DWORD mode = 0;
    consoleInput.isConsole = GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(0)), &mode) != 0;
    (void)_setmode(_fileno(stdin), _O_BINARY);
    (void)_setmode(_fileno(stdout), _O_BINARY);
}

std::ptrdiff_t readStandardInput(void* /*context*/, char* buffer, std::size_t capacity) {
    if (consoleInput.ended) {
        return 0;
    }
    const int got = _read(0, buffer, chunkOf(capacity));
    if (got < 0) {
        recordFailure(failures.readError, errno);
    }
    if (!consoleInput.isConsole || got <= 0) {
        return got;  // a pipe or a file is read as it is
    }
    const std::size_t kept =
        bytesBeforeConsoleEnd(buffer, static_cast<std::size_t>(got), consoleInput.atLineStart);
    consoleInput.ended = kept < static_cast<std::size_t>(got);
    if (kept > 0) {
        consoleInput.atLineStart = buffer[kept - 1] == '\n';
    }
    return static_cast<std::ptrdiff_t>(kept);
}

namespace {

// The errno of a failed _write. Windows tells that a pipe's reader has gone
// by errors that the C runtime turns into EINVAL.
int writeErrno() {
    const DWORD system = GetLastError();
    const bool readerGone =
        system == ERROR_NO_DATA || system == ERROR_BROKEN_PIPE || system == ERROR_PIPE_NOT_CONNECTED;
    return readerGone ? EPIPE : errno;
}

}  // namespace

bool writeStandardOutput(void* /*context*/, const char* data, std::size_t size) {
    while (size > 0) {
        const int written = _write(1, data, chunkOf(size));
        if (written <= 0) {
            recordFailure(failures.writeError, written < 0 ? writeErrno() : 0);
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

void enlargeOutputPipe() {}

void returnUnreadInput(std::size_t unread) {
    if (unread > 0) {
        (void)_lseeki64(0, -static_cast<std::int64_t>(unread), SEEK_CUR);
    }
}

namespace {

int closeOutputDescriptor() { return _close(1); }

}  // namespace

#else

void prepareStandardStreams() {}

namespace {

// Waits until `fd` is ready for `events`; false when waiting itself failed.
bool waitUntilReady(int fd, short events) {
    pollfd ready{fd, events, 0};
    while (poll(&ready, 1, -1) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

// True when a call that failed with errno should simply be made again, after
// waiting for `fd` to be ready for `events` if it is non-blocking.
bool shouldRetry(int fd, short events) {
    if (errno == EINTR) {
        return true;
    }
    // Both names, for systems where they differ.
    // NOLINTNEXTLINE(misc-redundant-expression)
    return (errno == EAGAIN || errno == EWOULDBLOCK) && waitUntilReady(fd, events);
}

}  // namespace

std::ptrdiff_t readStandardInput(void* /*context*/, char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, buffer, capacity);
        if (got >= 0) {
            return got;
        }
        if (!shouldRetry(STDIN_FILENO, POLLIN)) {
            recordFailure(failures.readError, errno);
            return got;
        }
    }
}

bool writeStandardOutput(void* /*context*/, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(STDOUT_FILENO, data, size);
        if (written > 0) {
            data += written;
            size -= static_cast<std::size_t>(written);
        } else if (written == 0 || !shouldRetry(STDOUT_FILENO, POLLOUT)) {
            recordFailure(failures.writeError, written < 0 ? errno : 0);
            return false;
        }
    }
    return true;
}

void enlargeOutputPipe() {
#ifdef F_SETPIPE_SZ
    constexpr int largePipe = 1024 * 1024;  // the most an ordinary user may ask for by default
    const int size = fcntl(STDOUT_FILENO, F_GETPIPE_SZ);
    if (size > 0 && size < largePipe) {
        (void)fcntl(STDOUT_FILENO, F_SETPIPE_SZ, largePipe);
    }
#endif
}

void returnUnreadInput(std::size_t unread) {
    if (unread > 0) {
        (void)lseek(STDIN_FILENO, -static_cast<off_t>(unread), SEEK_CUR);
    }
}

namespace {

int closeOutputDescriptor() { return close(STDOUT_FILENO); }

}  // namespace

#endif

bool closeStandardOutput() {
    if (closeOutputDescriptor() == 0) {
        return true;
    }
    recordFailure(failures.writeError, errno);
    return false;
}

}  // namespace euro_umrechner
