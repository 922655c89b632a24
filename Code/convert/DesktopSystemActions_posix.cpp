#include "DesktopSystemActions.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QUrl>
#include <cstdlib>
#include <utility>

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

// The freedesktop screen-saver service, where the desktop has one; the calls
// do not wait for an answer, and without the service nothing happens.
void TDesktopSystemActions::KeepScreenAwake(bool Awake) {
    if (Awake == WantAwake)
        return;
    WantAwake = Awake;
    QDBusConnection Bus = QDBusConnection::sessionBus();
    if (!Bus.isConnected())
        return;
    QDBusInterface ScreenSaver("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                               "org.freedesktop.ScreenSaver", Bus);
    if (!Awake) {
        if (ScreenSaverCookie != 0)
            ScreenSaver.asyncCall("UnInhibit", std::exchange(ScreenSaverCookie, 0));
        return;
    }
    auto* Watcher = new QDBusPendingCallWatcher(
        ScreenSaver.asyncCall("Inhibit", "Korvalin", "Playing a preview"));
    QObject::connect(Watcher, &QDBusPendingCallWatcher::finished, [this, Watcher] {
        const QDBusPendingReply<uint32_t> Reply = *Watcher;
        Watcher->deleteLater();
        if (Reply.isError())
            return;
        if (WantAwake)
            ScreenSaverCookie = Reply.value();
        else // the preview stopped before the desktop answered
            QDBusInterface("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                           "org.freedesktop.ScreenSaver", QDBusConnection::sessionBus())
                .asyncCall("UnInhibit", Reply.value());
    });
}
