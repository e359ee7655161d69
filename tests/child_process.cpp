#include "tests/child_process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>

namespace euro_umrechner {

std::vector<const char*> programCommand(const std::vector<const char*>& arguments) {
    std::vector<const char*> argv(std::begin(emulator), std::end(emulator) - 1);
    argv.push_back(EURO_UMRECHNER_PROGRAM);
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    argv.push_back(nullptr);
    return argv;
}

Child startProgram(Redirects redirects) {
    (void)std::signal(SIGPIPE, SIG_IGN);  // a child that has ended must not end the test
    int in[2];
    int out[2];
    int err[2];
    EXPECT_EQ(pipe(in), 0);
    EXPECT_EQ(pipe(out), 0);
    EXPECT_EQ(pipe(err), 0);
    const std::vector<const char*> argv = programCommand();
    // Flags set here apply to the program's ends only: each end of a pipe is a
    // description of its own.
    EXPECT_EQ(fcntl(in[0], F_SETFL, redirects.pipeFlags), 0);
    EXPECT_EQ(fcntl(out[1], F_SETFL, redirects.pipeFlags), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        const int inputFd =
            redirects.inputPath != nullptr ? open(redirects.inputPath, O_RDONLY) : redirects.inputFd;
        dup2(inputFd >= 0 ? inputFd : in[0], STDIN_FILENO);
        dup2(redirects.outputPath != nullptr ? open(redirects.outputPath, O_WRONLY) : out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        for (const int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) {
            close(fd);
        }
        if (redirects.instead != nullptr) {
            redirects.instead();
        }
        execv(argv[0], const_cast<char* const*>(argv.data()));
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    return {pid, in[1], out[0], err[0]};
}

std::string readUntil(int fd, std::string_view wanted) {
    std::string received;
    char buffer[4096];
    pollfd waiting{fd, POLLIN, 0};
    while ((wanted.empty() || received.find(wanted) == std::string::npos) && poll(&waiting, 1, 10000) == 1) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        received.append(buffer, static_cast<std::size_t>(got));
    }
    return received;
}

std::string readToEnd(int fd) { return readUntil(fd, {}); }

void writeAll(int fd, std::string_view text) {
    ASSERT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
}

void closeInput(Child& child) {
    close(child.input);
    child.input = -1;
}

int waitForExit(Child& child, rusage* usage) {
    if (child.input >= 0) {
        closeInput(child);
    }
    int status = 0;
    EXPECT_EQ(wait4(child.pid, &status, 0, usage), child.pid);
    close(child.output);
    close(child.errors);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace euro_umrechner
