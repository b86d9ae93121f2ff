// SPDX-License-Identifier: GPL-2.0-or-later
// Children started with posix_spawn and pipes; every read of their output has a poll deadline.
#include "ChildProcess.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Pipe
{
    int read = -1;
    int write = -1;
};

Pipe MakePipe()
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe2 failed");
    return {ends[0], ends[1]};
}

pid_t Spawn(const std::vector<std::string>& argv, int outWrite, int errWrite)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outWrite, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errWrite, STDERR_FILENO);
    std::vector<char*> arguments;
    for (const std::string& argument : argv)
        arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    pid_t pid = -1;
    const int status =
        posix_spawn(&pid, arguments[0], &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (status != 0)
        throw std::runtime_error("cannot start " + argv[0]);
    return pid;
}

int DecodeStatus(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

// Reads what is available from the descriptors into the strings until all have ended or the
// deadline passes; ended descriptors are closed and set to -1.
void Drain(std::vector<std::pair<int*, std::string*>> streams, Clock::time_point deadline,
           const std::function<bool()>& done = {})
{
    std::array<char, 4096> buffer;
    while (true) {
        std::vector<pollfd> waiting;
        for (auto& [descriptor, text] : streams)
            if (*descriptor >= 0)
                waiting.push_back({*descriptor, POLLIN, 0});
        if (waiting.empty() || (done && done()))
            return;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return;
        if (poll(waiting.data(), waiting.size(), static_cast<int>(left.count())) < 0 &&
            errno != EINTR)
            return;
        for (const pollfd& ready : waiting) {
            if (ready.revents == 0)
                continue;
            for (auto& [descriptor, text] : streams) {
                if (*descriptor != ready.fd)
                    continue;
                const ssize_t count = read(*descriptor, buffer.data(), buffer.size());
                if (count > 0) {
                    text->append(buffer.data(), static_cast<std::size_t>(count));
                } else if (count == 0 || errno != EINTR) {
                    close(*descriptor);
                    *descriptor = -1;
                }
            }
        }
    }
}

// Waits for the exit on a process descriptor, so that the deadline holds without sleeping.
int WaitForExit(pid_t pid, Clock::time_point deadline)
{
    const int processDescriptor = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (processDescriptor >= 0) {
        pollfd exited{processDescriptor, POLLIN, 0};
        while (true) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            const int ready = poll(&exited, 1, static_cast<int>(std::max<long>(0, left.count())));
            if (ready >= 0 || errno != EINTR)
                break;
        }
        close(processDescriptor);
    } else {
        // Without process descriptors (kernels before 5.3) wait without a deadline.
        int status = 0;
        return waitpid(pid, &status, 0) == pid ? DecodeStatus(status) : -1;
    }
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid)
        return DecodeStatus(status);
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

} // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, std::chrono::milliseconds deadline)
{
    const Clock::time_point end = Clock::now() + deadline;
    Pipe out = MakePipe();
    Pipe err = MakePipe();
    const pid_t pid = Spawn(argv, out.write, err.write);
    close(out.write);
    close(err.write);
    ProcessResult result;
    Drain({{&out.read, &result.out}, {&err.read, &result.err}}, end);
    if (out.read >= 0)
        close(out.read);
    if (err.read >= 0)
        close(err.read);
    result.exitCode = WaitForExit(pid, end);
    return result;
}

BackgroundProcess::BackgroundProcess(const std::vector<std::string>& argv)
{
    Pipe err = MakePipe();
    const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    pid = Spawn(argv, devNull, err.write);
    close(devNull);
    close(err.write);
    errorPipe = err.read;
}

BackgroundProcess::~BackgroundProcess()
{
    if (pid > 0)
        Stop(std::chrono::seconds(5));
    if (errorPipe >= 0)
        close(errorPipe);
}

std::optional<std::string> BackgroundProcess::WaitForLine(std::string_view prefix,
                                                          std::chrono::milliseconds deadline)
{
    const Clock::time_point end = Clock::now() + deadline;
    while (true) {
        const std::size_t newline = errorText.find('\n', lineStart);
        if (newline != std::string::npos) {
            std::string line = errorText.substr(lineStart, newline - lineStart);
            lineStart = newline + 1;
            if (line.starts_with(prefix))
                return line;
            continue;
        }
        if (errorPipe < 0 || Clock::now() >= end)
            return std::nullopt;
        const std::size_t before = errorText.size();
        Drain({{&errorPipe, &errorText}}, end, [&] { return errorText.size() > before; });
    }
}

int BackgroundProcess::Wait(std::chrono::milliseconds deadline)
{
    const Clock::time_point end = Clock::now() + deadline;
    Drain({{&errorPipe, &errorText}}, end);
    const int exitCode = WaitForExit(pid, end);
    pid = -1;
    return exitCode;
}

int BackgroundProcess::Stop(std::chrono::milliseconds deadline)
{
    if (pid <= 0)
        return -1;
    kill(pid, SIGTERM);
    return Wait(deadline);
}
