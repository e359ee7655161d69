// Runs the built program as a process, through pipes, and the process's own
// code in this process or a forked one, where a signal must be sent to it.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "console/process.hpp"
#include "console/standard_streams.hpp"
#include "tests/child_process.hpp"
#include "tests/dialog_texts.h"
#include "tests/memory_streams.hpp"

namespace euro_umrechner {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool sanitized = true;
#elif defined(__has_feature)
constexpr bool sanitized = __has_feature(address_sanitizer);
#else
constexpr bool sanitized = false;
#endif

// Waits up to ten seconds until the thread whose /proc stat file is `path` is in
// one of `states` (S asleep, Z ended); false when it did not get there.
bool reachesState(const std::string& path, std::string_view states) {
    for (int wait = 0; wait < 10000; ++wait) {
        std::ifstream file(path);
        const std::string stat{std::istreambuf_iterator<char>(file), {}};
        const std::size_t nameEnd = stat.rfind(')');  // the state follows the name
        if (nameEnd != std::string::npos && states.find(stat.at(nameEnd + 2)) != std::string_view::npos) {
            return true;
        }
        usleep(1000);
    }
    return false;
}

std::string statPath(pid_t pid) { return "/proc/" + std::to_string(pid) + "/stat"; }

TEST(process_test, non_blocking_pipes_are_waited_for_and_grown_for_bulk_output) {
    std::string answers;
    for (int i = 0; i < 1500; ++i) {
        answers += "1\n12\n100\n";
    }
    // A new pipe's size, and the 1 MiB that the program asks for in bulk, where granted.
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const int fresh = fcntl(ends[1], F_GETPIPE_SZ);
    const int grown =
        fresh < (1 << 20) && fcntl(ends[1], F_SETPIPE_SZ, 1 << 20) >= (1 << 20) ? 1 << 20 : fresh;
    close(ends[0]);
    close(ends[1]);
    // Far more output than even the grown pipe holds, read only after all
    // answers are in; and answers that stop at a prompt: the input ends while
    // the program waits there, and its pipe keeps its size.
    for (const std::string& input : {answers + "2\n", std::string("1\n12\n")}) {
        Child child = startProgram({.pipeFlags = O_NONBLOCK});
        const std::string opening = readUntil(child.output, openingBlock);
        // Only a program that waits for its input sleeps before it has any.
        const bool waited = reachesState(statPath(child.pid), "SZ");
        EXPECT_TRUE(waited) << "the program tries to read again and again";
        writeAll(child.input, input);
        const bool bulk = input.size() > answers.size();
        if (!bulk) {  // else its 2 ends the program, whose input stays open while it writes
            closeInput(child);
        }
        const std::string output = opening + readToEnd(child.output);
        EXPECT_TRUE(output == runTranscript(input)) << output.size() << " bytes unlike the dialog's";
        EXPECT_EQ(fcntl(child.output, F_GETPIPE_SZ), bulk ? grown : fresh);
        if (!waited || !reachesState(statPath(child.pid), "Z")) {
            kill(child.pid, SIGKILL);
        }
        EXPECT_EQ(readToEnd(child.errors), "");
        EXPECT_EQ(waitForExit(child), 0);
    }
}

std::atomic<int> signalsHandled{0};

void countSignal(int /*signal*/) { ++signalsHandled; }

TEST(process_test, a_signal_does_not_end_a_read_or_the_wait_for_input) {
    // Without SA_RESTART a signal makes a blocked read fail with EINTR, and
    // so the poll that waits on a non-blocking input.
    struct sigaction counter {};
    counter.sa_handler = countSignal;
    struct sigaction previous {};
    ASSERT_EQ(sigaction(SIGUSR1, &counter, &previous), 0);
    const int savedInput = dup(STDIN_FILENO);
    for (const int flags : {0, O_NONBLOCK}) {
        SCOPED_TRACE(flags);
        int answers[2];
        ASSERT_EQ(pipe(answers), 0);
        EXPECT_EQ(fcntl(answers[0], F_SETFL, flags), 0);
        dup2(answers[0], STDIN_FILENO);
        close(answers[0]);
        std::atomic<pid_t> readerId{0};
        char buffer[8];
        std::ptrdiff_t got = 0;
        std::thread reader([&] {
            readerId = gettid();
            got = readStandardInput(nullptr, buffer, sizeof buffer);
        });
        while (readerId == 0) {
            std::this_thread::yield();
        }
        const int handled = signalsHandled;
        const bool waiting = reachesState("/proc/self/task/" + std::to_string(readerId) + "/stat", "S");
        EXPECT_TRUE(waiting) << "the read did not wait";
        if (waiting) {
            pthread_kill(reader.native_handle(), SIGUSR1);
            while (signalsHandled == handled) {
                std::this_thread::yield();
            }
        }
        writeAll(answers[1], "2\n");
        reader.join();
        close(answers[1]);
        EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(std::max<std::ptrdiff_t>(got, 0))), "2\n");
    }
    EXPECT_EQ(standardStreamFailures().readError, 0);
    dup2(savedInput, STDIN_FILENO);
    close(savedInput);
    sigaction(SIGUSR1, &previous, nullptr);
}

// Standard output closed behind the program's back: its close then fails.
void closeStandardOutputNow(int /*signal*/) { close(STDOUT_FILENO); }

TEST(process_test, a_failed_close_of_standard_output_is_reported_with_status_one) {
    Child child = startProgram({.instead = [] {
        struct sigaction closer {};
        closer.sa_handler = closeStandardOutputNow;
        closer.sa_flags = SA_RESTART;
        sigaction(SIGUSR1, &closer, nullptr);
        runDialog();
        _exit(exitStatus());
    }});
    readUntil(child.output, openingBlock);
    // The signal is pending before the answer is sent, and a pending signal is
    // handled at the latest when the read that returns the answer returns: so
    // standard output is closed before the dialog ends and closes it too.
    kill(child.pid, SIGUSR1);
    writeAll(child.input, "2\n");
    EXPECT_EQ(readToEnd(child.errors), writeFailedMessageStart + std::string("kein gueltiger Datenstrom\n"));
    EXPECT_EQ(waitForExit(child), 1);
}

// Lets no file grow beyond `bytes`; the signal SIGXFSZ then ends the program,
// without a core file, or is ignored and the write fails.
template <rlim_t bytes, bool signalEnds = false>
void limitFileSize() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    (void)std::signal(SIGXFSZ, signalEnds ? SIG_DFL : SIG_IGN);
}

// Waits until nobody can read standard output any more.
void awaitNoReader() {
    pollfd output{STDOUT_FILENO, 0, 0};
    poll(&output, 1, -1);
}

TEST(process_test, failures_are_reported_with_their_cause_and_status_one) {
    const TemporaryFile out;
    const std::string writeFailure = writeFailedMessageStart;
    const std::string tooLarge = writeFailure + "Datei zu gross\n";
    const struct {
        Redirects redirects;
        bool closeOutput;  // the test closes the output unread
        std::string message;
        int status = 1;
    } cases[] = {
        {{.outputPath = "/dev/full"}, false, writeFailure + "kein Platz mehr auf dem Geraet\n"},
        // Limits of 0, 1 and 138 bytes, one short of the opening; SIGXFSZ ends the program as it ends cat.
        {{.outputPath = out.path.c_str(), .instead = limitFileSize<0>}, false, tooLarge},
        {{.outputPath = out.path.c_str(), .instead = limitFileSize<1>}, false, tooLarge},
        {{.outputPath = out.path.c_str(), .instead = limitFileSize<138>}, false, tooLarge},
        {{.outputPath = out.path.c_str(), .instead = limitFileSize<138, true>}, false, "", 128 + SIGXFSZ},
        // Opened before exec, /proc/self/mem names a memory that has gone: writes return 0.
        {{.outputPath = "/proc/self/mem"}, false, writeFailure + "Ein-/Ausgabefehler\n"},
        // The first user namespace's map is written already; no number is an oom_score_adj.
        {{.outputPath = "/proc/self/uid_map"}, false, writeFailure + "keine Berechtigung\n"},
        {{.outputPath = "/proc/self/oom_score_adj"}, false, writeFailure + "Fehlernummer 22\n"},
        // SIGPIPE is ignored, by the test and so by the program.
        {{.instead = awaitNoReader}, true, writeFailure + "die Pipe hat keinen Leser mehr\n"},
        {{.inputPath = "/"}, false, readFailedMessageStart + std::string("ist ein Verzeichnis\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Child child = startProgram(c.redirects);
        if (c.closeOutput) {
            close(child.output);
            child.output = -1;
        }
        EXPECT_EQ(readToEnd(child.errors), c.message);
        EXPECT_EQ(waitForExit(child), c.status);
    }
}

TEST(process_test, a_seekable_input_keeps_what_the_dialog_did_not_read) {
    // Left unread: what follows the 2 that ends the dialog, and a sign that
    // starts no number at the first offer.
    for (const auto& [text, used] :
         {std::pair<std::string, off_t>{"1\n12\n100\n2\nfor the next reader\n", 10},
          {"\t+ 2\n", 1},
          {"1 12 100 2\n", 10}}) {
        const TemporaryFile answers;
        std::ofstream(answers.path) << text;
        const int input = open(answers.path.c_str(), O_RDONLY);
        Child child = startProgram({.inputFd = input});
        EXPECT_EQ(waitForExit(child), 0);
        EXPECT_EQ(lseek(input, 0, SEEK_CUR), used) << text;
        close(input);
    }
}

// Writes `head`, `count` copies of `filler` and `tail` to `fd`, a chunk at a time.
void feed(int fd, const std::string& head, char filler, std::size_t count, const std::string& tail) {
    writeAll(fd, head);
    const std::string chunk(1 << 20, filler);
    for (std::size_t left = count; left > 0;) {
        const std::size_t size = std::min(left, chunk.size());
        writeAll(fd, std::string_view(chunk).substr(0, size));
        left -= size;
    }
    writeAll(fd, tail);
}

TEST(process_test, huge_tokens_and_lines_pass_in_little_memory) {
    constexpr std::size_t hundredMegabytes = 100'000'000;
    struct Case {
        std::string head;
        char filler;
        std::string tail;
        std::string result;
    } const cases[] = {
        {"1\n12\n", '7', "\n2\n", "inf DM\n"},
        {"1\n12\n0.", '0', "1\n2\n", "0 DM\n"},
        {"1\n", 'x', "\n12\n100\n2\n", "195.583 DM\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.head);
        const TemporaryFile output;
        Child child = startProgram({.outputPath = output.path.c_str()});
        feed(child.input, c.head, c.filler, hundredMegabytes, c.tail);
        rusage usage{};
        EXPECT_EQ(waitForExit(child, &usage), 0);
        std::ifstream file(output.path);
        const std::string written{std::istreambuf_iterator<char>(file), {}};
        EXPECT_NE(written.find(resultHead + c.result + offerAfterResultBlock), std::string::npos);
        if (!sanitized && !emulated) {
            EXPECT_LT(usage.ru_maxrss, 8 * 1024) << "peak resident memory in KiB";
        }
    }
    if (emulated) {
        GTEST_SKIP() << "output checked; peak memory not: under an emulator it is the emulator's";
    }
}

// What the program writes, as a terminal shows it: every line ends in CR LF.
std::string onScreen(std::string text) {
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) {
        text.replace(at, 1, "\r\n");
    }
    return text;
}

// Each prompt comes before the program waits for its answer; arguments are ignored.
TEST(process_test, driven_at_a_terminal_like_a_person) {
    const std::vector<const char*> argv = programCommand({"--help", "extra"});
    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        execv(argv[0], const_cast<char* const*>(argv.data()));
        _exit(127);
    }
    std::string screen = readUntil(terminal, onScreen(endOption));
    // Each answer is typed and ended with Return; the terminal echoes it.
    for (const auto& [typed, end] : {std::pair{"1\r", onScreen(menuPrompt)},
                                     {"12\r", onScreen(amountPrompt)},
                                     {"100\r", onScreen(endOption)},
                                     {"1\r", onScreen(menuPrompt)},
                                     {"5\r", onScreen(amountPrompt)}}) {
        writeAll(terminal, typed);
        screen += readUntil(terminal, end);
    }
    writeAll(terminal, "\x04");  // Ctrl-D: the end of the input
    screen += readToEnd(terminal);
    int status = 0;
    waitpid(pid, &status, 0);
    close(terminal);

    // The echo of each answer ends its line too.
    EXPECT_EQ(screen, onScreen(openingBlock + "1\n" + menuBlock + "12\n" + amountPromptBlock + "100\n" +
                               blankLine + resultHead + "195.583 DM\n" + offerAfterResultBlock + "1\n" +
                               menuBlock + "5\n" + amountPromptBlock));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace euro_umrechner
