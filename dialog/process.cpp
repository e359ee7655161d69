// The process around the dialog, and the only user of the platform layer.
#include "dialog/process.hpp"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "dialog/dialog.hpp"
#include "platform/standard_streams.hpp"

namespace euro_umrechner {
namespace {

constexpr std::string_view writeFailedMessage =
    "euro-umrechner: Fehler beim Schreiben auf die Standardausgabe\n";
constexpr std::string_view readFailedMessage = "euro-umrechner: Fehler beim Lesen der Standardeingabe\n";

// Writes a message on standard error, which needs no flushing.
void reportError(std::string_view message) { (void)std::fwrite(message.data(), 1, message.size(), stderr); }

// Hands a block to standard output. A block of more than half the buffer
// means output in bulk, answers piped in rather than typed, which a larger
// pipe carries with fewer wake-ups of its reader.
bool writeOutputBlock(void* context, const char* data, std::size_t size) {
    static bool pipeEnlarged = false;
    if (!pipeEnlarged && size > outputBufferSize / 2) {
        enlargeOutputPipe();
        pipeEnlarged = true;
    }
    return writeStandardOutput(context, data, size);
}

}  // namespace

void runDialog() {
    // Static: 144 KiB of buffers belong in no stack frame.
    static OutputBuffer output;
    static InputReader input;
    prepareStandardStreams();
    openOutputBuffer(output, OutputSink{writeOutputBlock, nullptr});
    openInputReader(input, InputSource{readStandardInput, nullptr}, &output);
    runDialogOn(input, output);
    returnUnreadInput(unreadCount(input));
    // Closing may bring to light a write error that the last write hid.
    if (flushOutput(output)) {
        (void)closeStandardOutput();
    }
}

int exitStatus() {
    const StreamFailures failures = standardStreamFailures();
    if (failures.writing) {
        reportError(writeFailedMessage);
    }
    if (failures.reading) {
        reportError(readFailedMessage);
    }
    return failures.writing || failures.reading ? EXIT_FAILURE : EXIT_SUCCESS;
}

}  // namespace euro_umrechner
