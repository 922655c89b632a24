#pragma once

#include "Processes.h"

#include <string>
#include <vector>

// Everything the program does to the system outside its own files. The running
// program uses the real one; tests put a fake in its place, so that no test can
// power the machine off or end a process it did not start.
class ISystemActions {
public:
    virtual ~ISystemActions() = default;
    // True while a process of the group that a program of ours started is left.
    virtual bool ProcessGroupExists(long Group) = 0;
    virtual void PowerOff() = 0;
    virtual void OpenFolder(const std::string& Folder) = 0;
    // Opens a web address in the desktop's browser.
    virtual void OpenWebAddress(const std::string& Address) = 0;
    virtual void TrimWorkingSet() = 0;
    // Opens a local document with the desktop's program for its type; where
    // the desktop has none, opens Fallback instead. Returns at once.
    virtual void OpenDocument(const std::string& Path, const std::string& Fallback) = 0;
    // Starts a program with the given arguments without waiting for it.
    virtual void StartProgram(const std::string& Path,
                              const std::vector<std::string>& Arguments) = 0;
    // While Awake, asks the desktop not to start its screen saver.
    virtual void KeepScreenAwake(bool Awake) = 0;
    // Shows a notification on the desktop without waiting for it; nothing
    // happens when the desktop has no notification service.
    virtual void Notify(const std::string& Text) = 0;
};
