#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Processes of this machine, as the operating system reports them. The matching
// Processes_<platform>.cpp is chosen by the build.

struct TProcessEntry {
    uint32_t ProcessId = 0;
    std::string ExeName; // file name of the executable, without its folder
};

// Every process the system lists, in its order.
std::vector<TProcessEntry> ListProcesses();

// Ends the process at once; false when the system refuses.
bool TerminateProcess(uint32_t ProcessId);

// Starts a program in the background without waiting for it or its result.
void LaunchDetached(const std::vector<std::string>& Arguments);

// Hands unused heap memory back to the system.
void TrimHeap();

// True when Path names an existing file that may be executed.
bool IsExecutableFile(const std::string& Path);
