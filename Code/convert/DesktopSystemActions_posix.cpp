#include "DesktopSystemActions.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>
#include <cstdlib>
#include <utility>

bool TDesktopSystemActions::ProcessGroupExists(long Group) {
    return ::ProcessGroupExists(Group);
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

// The desktop's default program for the file's type, as xdg-open would pick it,
// is asked for first: opening a URL reports success even when there is none.
// The question runs as its own process, so the window goes on meanwhile.
void TDesktopSystemActions::OpenDocument(const std::string& Path, const std::string& Fallback) {
    const QString Document = QString::fromLocal8Bit(Path);
    const QString Type =
        QMimeDatabase().mimeTypeForFile(Document, QMimeDatabase::MatchExtension).name();
    auto* Query = new QProcess;
    const auto Open = [Query, Document, Other = QString::fromLocal8Bit(Fallback)](bool Viewer) {
        Query->deleteLater();
        QDesktopServices::openUrl(QUrl::fromLocalFile(Viewer ? Document : Other));
    };
    QObject::connect(Query, &QProcess::finished, [Query, Open](int ExitCode) {
        Open(ExitCode == 0 && !Query->readAllStandardOutput().trimmed().isEmpty());
    });
    QObject::connect(Query, &QProcess::errorOccurred, [Open](QProcess::ProcessError Error) {
        if (Error == QProcess::FailedToStart) // no xdg-mime: no way to tell
            Open(false);
    });
    Query->start("xdg-mime", {"query", "default", Type});
}

void TDesktopSystemActions::StartProgram(const std::string& Path,
                                         const std::vector<std::string>& Arguments) {
    std::vector<std::string> Command{Path};
    Command.insert(Command.end(), Arguments.begin(), Arguments.end());
    LaunchDetached(Command);
}

namespace {

// A call to the freedesktop screen-saver service; it does not wait for the answer.
QDBusPendingCall CallScreenSaver(const QString& Method, const QVariantList& Arguments) {
    QDBusMessage Call = QDBusMessage::createMethodCall("org.freedesktop.ScreenSaver",
                                                       "/org/freedesktop/ScreenSaver",
                                                       "org.freedesktop.ScreenSaver", Method);
    Call.setArguments(Arguments);
    return QDBusConnection::sessionBus().asyncCall(Call);
}

} // namespace

// Without the service, or without a session bus, nothing happens.
void TDesktopSystemActions::KeepScreenAwake(bool Awake) {
    WantAwake = Awake;
    if (!QDBusConnection::sessionBus().isConnected())
        return;
    if (!Awake && ScreenSaverCookie != 0) {
        CallScreenSaver("UnInhibit", {std::exchange(ScreenSaverCookie, 0)});
        return;
    }
    if (!Awake || ScreenSaverCookie != 0 || InhibitAsked)
        return; // the answer to the request on its way decides
    InhibitAsked = true;
    auto* Watcher = new QDBusPendingCallWatcher(
        CallScreenSaver("Inhibit", {QString("Korvalin"), QString("Playing a preview")}));
    QObject::connect(Watcher, &QDBusPendingCallWatcher::finished, [this, Watcher] {
        const QDBusPendingReply<uint32_t> Reply = *Watcher;
        Watcher->deleteLater();
        InhibitAsked = false;
        if (Reply.isError())
            return;
        if (WantAwake)
            ScreenSaverCookie = Reply.value();
        else // the preview stopped before the desktop answered
            CallScreenSaver("UnInhibit", {Reply.value()});
    });
}

void TDesktopSystemActions::Notify(const std::string& Text) {
    if (!QDBusConnection::sessionBus().isConnected())
        return;
    QDBusMessage Call = QDBusMessage::createMethodCall("org.freedesktop.Notifications",
                                                       "/org/freedesktop/Notifications",
                                                       "org.freedesktop.Notifications", "Notify");
    Call.setArguments({QString("Korvalin"), 0u, QString(), QString::fromStdString(Text), QString(),
                       QStringList(), QVariantMap(), -1});
    QDBusConnection::sessionBus().asyncCall(Call); // an error answer is ignored
}
