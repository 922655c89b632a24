#include "DesktopSystemActions.h"

#include <cstdlib>

std::vector<TProcessEntry> TDesktopSystemActions::ListProcesses() {
    return ::ListProcesses();
}

bool TDesktopSystemActions::TerminateProcess(uint32_t ProcessId) {
    return ::TerminateProcess(ProcessId);
}

void TDesktopSystemActions::PowerOff() {
    LaunchDetached({"systemctl", "poweroff"});
}

void TDesktopSystemActions::OpenFolder(const std::string& Folder) {
    const char* Home = std::getenv("HOME");
    LaunchDetached({"xdg-open", Folder.empty() && Home ? Home : Folder});
}

void TDesktopSystemActions::TrimWorkingSet() {
    TrimHeap();
}
