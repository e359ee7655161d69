// Starts the built program as a child process, its standard streams on pipes
// or files, and talks to it through them.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace euro_umrechner {

// The command that runs a program built for another machine on this one, as
// leading argv entries; none when the program runs natively.
inline constexpr const char* emulator[] = {EURO_UMRECHNER_EMULATOR nullptr};
inline constexpr bool emulated = emulator[0] != nullptr;

// The argv that starts the program, through the emulator if there is one.
std::vector<const char*> programCommand(const std::vector<const char*>& arguments = {});

struct Child {
    pid_t pid;
    int input;   // the child's standard input, for writing
    int output;  // the child's standard output, for reading
    int errors;  // the child's standard error, for reading
};

// Files to put in place of the pipes for standard input or output, and flags
// for the program's ends of the pipes.
struct Redirects {
    const char* inputPath = nullptr;
    int inputFd = -1;  // an open file to read instead, shared with the test
    const char* outputPath = nullptr;
    int pipeFlags = 0;
    void (*instead)() = nullptr;  // runs in the child in place of the program
};

// Starts the program with its standard streams on pipes, except those that
// `redirects` names.
Child startProgram(Redirects redirects = {});

// Reads from `fd` until `wanted` has arrived, or readToEnd until the pipe
// closes, or either until ten seconds pass without a byte.
std::string readUntil(int fd, std::string_view wanted);
std::string readToEnd(int fd);
void writeAll(int fd, std::string_view text);

// Ends the child's input; waitForExit does so if it is still open, waits for
// the child and returns its exit status, or 128 plus the ending signal's
// number, and fills `usage` if given.
void closeInput(Child& child);
int waitForExit(Child& child, rusage* usage = nullptr);

// A temporary file that is removed again at the end of the test.
struct TemporaryFile {
    std::string path;
    TemporaryFile() {
        char name[] = "/tmp/euro-umrechner-test-XXXXXX";
        close(mkstemp(name));
        path = name;
    }
    ~TemporaryFile() { unlink(path.c_str()); }
};

}  // namespace euro_umrechner
