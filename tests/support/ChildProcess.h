// SPDX-License-Identifier: GPL-2.0-or-later
// Runs the project's programs from tests: once to completion with captured output, or in the
// background until a ready line appears on its standard error. Waits have deadlines; nothing
// sleeps. POSIX only, no Qt.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

struct ProcessResult
{
    int exitCode = -1; // -1 when the process did not end by itself before the deadline
    std::string out;
    std::string err;
};

// Runs argv[0] with the arguments, empty standard input, and collects its output until it ends.
// A process still running at the deadline is killed.
ProcessResult RunProcess(const std::vector<std::string>& argv,
                         std::chrono::milliseconds deadline = std::chrono::seconds(20));

// A program running in the background, killed when the object ends if it still runs.
class BackgroundProcess
{
public:
    explicit BackgroundProcess(const std::vector<std::string>& argv);
    ~BackgroundProcess();
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    // Reads standard error until a line that starts with prefix; returns that line, or nothing
    // if the process ended or the deadline passed first.
    std::optional<std::string>
    WaitForLine(std::string_view prefix,
                std::chrono::milliseconds deadline = std::chrono::seconds(10));

    // Sends SIGTERM and waits for the end; returns the exit code (128 + signal when killed by
    // one), or -1 if it had to be killed after the deadline.
    int Stop(std::chrono::milliseconds deadline = std::chrono::seconds(10));

    // Waits for the process to end by itself; -1 if it did not before the deadline.
    int Wait(std::chrono::milliseconds deadline);

    // What the process has written to standard error so far (read by WaitForLine and Wait).
    const std::string& ErrorText() const { return errorText; }

private:
    pid_t pid = -1;
    int errorPipe = -1;
    std::string errorText;
    std::size_t lineStart = 0;
};
