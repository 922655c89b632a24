#include "DesktopSystemActions.h"

#include <QDesktopServices>
#include <QUrl>
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

void TDesktopSystemActions::OpenWebAddress(const std::string& Address) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(Address)));
}

void TDesktopSystemActions::TrimWorkingSet() {
    TrimHeap();
}
