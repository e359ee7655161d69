// The dialog for the web page: the same core as the console program, reading
// the answers the page hands it and writing to the page's log. The
// module imports nothing but these two functions from the page. While no
// answer is there, `page.read` unwinds the stack (binaryen's asyncify) and the
// page rewinds it when the person sends a line, so the dialog itself runs
// unchanged, in one thread, without any wait in the browser.
#include <cstddef>

#include "dialog/dialog.hpp"

extern "C" {

// Copies up to `capacity` bytes of what the person sent into `buffer`; the
// count, at least 1: the page has no end of input, the dialog ends itself.
__attribute__((import_module("page"), import_name("read"))) std::ptrdiff_t pageRead(char* buffer,
                                                                                    std::size_t capacity);

// Appends `size` bytes of output, ASCII text, to the log.
__attribute__((import_module("page"), import_name("write"))) void pageWrite(const char* data,
                                                                            std::size_t size);
}

namespace {

// asyncify keeps the unwound stack here; the dialog's deepest chain of calls
// takes far less.
alignas(16) char unwoundStack[16 * 1024];

// Static: 144 KiB of buffers belong in no stack frame.
euro_umrechner::OutputBuffer output;
euro_umrechner::InputReader input;

std::ptrdiff_t readAnswers(void* /*context*/, char* buffer, std::size_t capacity) {
    return pageRead(buffer, capacity);
}

bool writeLog(void* /*context*/, const char* data, std::size_t size) {
    pageWrite(data, size);
    return true;
}

}  // namespace

extern "C" {

// Where the page keeps the unwound stack, and how much room it has.
__attribute__((export_name("unwound_stack"))) char* unwoundStackStart() { return unwoundStack; }
__attribute__((export_name("unwound_stack_size"))) std::size_t unwoundStackSize() {
    return sizeof unwoundStack;
}

// One run of the dialog, from the title to the end; the page calls it again to
// rewind into a read that waited.
__attribute__((export_name("run"))) void run() {
    using namespace euro_umrechner;
    (void)runDialogBetween(InputSource{readAnswers, nullptr}, OutputSink{writeLog, nullptr}, input, output);
}
}
