// The process around the dialog, and the only user of its calls to the system.
#include "console/process.hpp"

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "console/standard_streams.hpp"
#include "dialog/dialog.hpp"

namespace euro_umrechner {
namespace {

// Why a call failed, for the errno values that a person can act on; null for
// any other. Its own words, not strerror's: the same ASCII bytes everywhere, in any locale.
const char* causeOf(int error) {
    switch (error) {
        case EBADF:  // standard input or output closed, or not open that way
            return "kein gueltiger Datenstrom";
        case ENOSPC:
            return "kein Platz mehr auf dem Geraet";
#ifdef EDQUOT
        case EDQUOT:
            return "Kontingent an Plattenplatz ueberschritten";
#endif
        case EFBIG:
            return "Datei zu gross";
        case EPIPE:
            return "die Pipe hat keinen Leser mehr";
        case EACCES:
        case EPERM:
            return "keine Berechtigung";
        case EISDIR:
            return "ist ein Verzeichnis";
        case EIO:
            return "Ein-/Ausgabefehler";
        default:
            return nullptr;
    }
}

// Says on standard error, in one line, what failed and why: `error` is the
// errno of the failure, and named by its number where it has no German text.
void reportError(const char* failure, int error) {
    const char* const cause = causeOf(error);
    if (cause != nullptr) {
        (void)std::fprintf(stderr, "euro-umrechner: %s: %s\n", failure, cause);
    } else {
        (void)std::fprintf(stderr, "euro-umrechner: %s: Fehlernummer %d\n", failure, error);
    }
}

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
    const bool written = runDialogBetween(InputSource{readStandardInput, nullptr},
                                          OutputSink{writeOutputBlock, nullptr}, input, output);
    returnUnreadInput(unreadCount(input));
    // Closing may bring to light a write error that the last write hid.
    if (written) {
        (void)closeStandardOutput();
    }
}

int exitStatus() {
    const StreamFailures failures = standardStreamFailures();
    if (failures.writeError != 0) {
        reportError("Fehler beim Schreiben auf die Standardausgabe", failures.writeError);
    }
    if (failures.readError != 0) {
        reportError("Fehler beim Lesen der Standardeingabe", failures.readError);
    }
    return failures.writeError != 0 || failures.readError != 0 ? EXIT_FAILURE : EXIT_SUCCESS;
}

}  // namespace euro_umrechner
