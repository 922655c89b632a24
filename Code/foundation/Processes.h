#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Processes of this machine, as the operating system reports them. The matching
// Processes_<platform>.cpp is chosen by the build.

// True while a process of the group (a child started as a group of its own,
// and the children it started) is left.
bool ProcessGroupExists(long Group);

// Starts a program in the background without waiting for it or its result.
void LaunchDetached(const std::vector<std::string>& Arguments);

// Hands unused heap memory back to the system.
void TrimHeap();

// True when Path names an existing file that may be executed.
bool IsExecutableFile(const std::string& Path);
