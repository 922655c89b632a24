#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// What a finished child process left behind.
struct TChildResult {
    int ExitCode = -1;     // 128 + signal number when a signal ended it
    std::string Output;    // standard output and standard error, in the order written
    bool TimedOut = false; // killed at the end of its time limit
};

// Runs Arguments[0] (a path) with standard input a pipe that is never written.
// OnOutput sees every piece of output as it arrives, with the child's pid, and
// may kill it. A child that has not closed its output within TimeLimit is killed.
// Its environment is this process's with the NAME=VALUE entries of Settings.
TChildResult RunChild(const std::vector<std::string>& Arguments,
                      const std::function<void(pid_t, const std::string&)>& OnOutput = {},
                      std::chrono::milliseconds TimeLimit = std::chrono::minutes(10),
                      const std::vector<std::string>& Settings = {});

// True while a process of that pid exists and is not a zombie.
bool IsProcessAlive(pid_t Pid);

// True while a living process's command line holds Text, such as a folder:
// an encoder that a program left behind.
bool ProcessNames(const std::string& Text);

// The pids of the living children of a process.
std::vector<pid_t> ChildrenOf(pid_t Parent);

// True once the process has a handler of its own for the signal.
bool CatchesSignal(pid_t Pid, int Signal);

// Waits up to Timeout for a child of this process to end: its exit code (128 +
// the signal that ended it), or -1, having killed it, when it did not end.
int WaitForExit(pid_t Pid, std::chrono::milliseconds Timeout);
