// AutoUpDate.exe: asks the update address beside Korvalin whether a newer
// version exists and tells the user, with a way to its download page.
//
//   AutoUpDate.exe                  the window
//   AutoUpDate.exe --report         the answer on standard output, exit code 1
//                                   when the check failed
//   AutoUpDate.exe --settings FILE  the settings file to use (Korvalin passes
//                                   the one in its user's data folder)
//
// The settings, UpDateSettings.ini beside it unless another file is given,
// section AutoUpdate: UpdateAddress (where the
// version file is), UpdateModalUsr ("true": the user asked, so the answer is
// shown whatever it is), UpdateTodayExeced and LastCheck (a check of its own
// runs once a day).
#include "FileVersion.h"
#include "IniFiles32.h"
#include "ProfileFile.h"
#include "UpdateCheck.h"
#include "ui_UpdateWindow.h"

#include <QApplication>
#include <QDate>
#include <QDesktopServices>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <filesystem>

namespace {

const char* const DefaultAddress = "https://korvalin.example.org/version.txt";
constexpr int TimeoutMs = 10000;            // for the whole answer
constexpr qint64 LargestAnswer = 64 * 1024; // a version file is a few bytes

struct TOutcome {
    bool Checked = false;
    TUpdateVerdict Verdict;
};

TOutcome Failure(const std::string& Reason) {
    return {false, {"The update check failed: " + Reason, {}}};
}

TOutcome OutcomeOf(QNetworkReply& Reply, const std::string& Installed, const std::string& Stopped) {
    if (!Stopped.empty())
        return Failure(Stopped);
    if (Reply.error() != QNetworkReply::NoError)
        return Failure(Reply.errorString().toStdString());
    const auto Offer = ParseVersionFile(Reply.read(LargestAnswer).toStdString());
    if (!Offer)
        return Failure("the update address did not send a version.");
    return {true, UpdateVerdict(Installed, *Offer)};
}

// The settings file belongs to Korvalin: read when it is there, changed only
// when it is a file, never created.
class TSettings {
public:
    explicit TSettings(std::string FileName) : FileName(std::move(FileName)) {}
    bool Exists() const {
        std::error_code Error;
        return std::filesystem::is_regular_file(FileName, Error);
    }
    std::string Read(const std::string& Key, const std::string& Default) const {
        return Exists() ? TIniFile32(FileName).ReadString("AutoUpdate", Key, Default) : Default;
    }
    void Write(const std::string& Key, const std::string& Value) const {
        if (!Exists())
            return;
        try {
            WriteProfileString(FileName, "AutoUpdate", Key, Value);
        } catch (const EProfileWriteError&) { // the next start simply checks again
        }
    }

private:
    const std::string FileName;
};

std::string Today() {
    return QDate::currentDate().toString(Qt::ISODate).toStdString();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication Application(argc, argv);
    Application.setApplicationName("Korvalin Update");
    const QStringList Arguments = Application.arguments();
    const bool Report = Arguments.contains("--report");
    const std::string Folder = QCoreApplication::applicationDirPath().toStdString() + "/";
    const qsizetype SettingsAt = Arguments.indexOf("--settings") + 1;
    const TSettings Settings(SettingsAt > 0 && SettingsAt < Arguments.size()
                                 ? Arguments[SettingsAt].toStdString()
                                 : Folder + "UpDateSettings.ini");
    const std::string Installed = GetFullFileVersion(Folder + "Korvalin");
    // Asked for by the user (Korvalin sets UpdateModalUsr), the answer is always
    // shown; a check of its own runs once a day and speaks only of news.
    const bool AskedByUser =
        !Settings.Exists() || Settings.Read("UpdateModalUsr", "true") == "true";
    if (!AskedByUser && Settings.Read("UpdateTodayExeced", "false") == "true" &&
        Settings.Read("LastCheck", "") == Today())
        return 0;

    QDialog Window;
    Ui::TUpdateWindow Form;
    Form.setupUi(&Window);
    TOutcome Outcome;
    std::string Stopped; // why the answer was cut short
    QNetworkAccessManager Network;
    QNetworkReply* Reply = Network.get(QNetworkRequest(
        QUrl(QString::fromStdString(Settings.Read("UpdateAddress", DefaultAddress)))));
    QTimer::singleShot(TimeoutMs, Reply, [&] {
        Stopped = "no answer within ten seconds.";
        Reply->abort();
    });
    QObject::connect(Reply, &QNetworkReply::downloadProgress, [&](qint64 Received, qint64) {
        if (Received > LargestAnswer) {
            Stopped = "the update address did not send a version.";
            Reply->abort();
        }
    });
    QObject::connect(Reply, &QNetworkReply::finished, [&] {
        Outcome = OutcomeOf(*Reply, Installed, Stopped);
        Reply->deleteLater();
        if (Outcome.Checked) {
            Settings.Write("UpdateTodayExeced", "true");
            Settings.Write("LastCheck", Today());
            Settings.Write("UpdateModalUsr", "false");
        }
        const bool News = !Outcome.Verdict.DownloadPage.empty();
        if (Report || (!AskedByUser && !News)) {
            if (Report)
                std::printf("%s\n%s\n", Outcome.Verdict.Message.c_str(),
                            Outcome.Verdict.DownloadPage.c_str());
            QCoreApplication::exit(Outcome.Checked ? 0 : 1);
            return;
        }
        Form.lblMessage->setText(QString::fromStdString(Outcome.Verdict.Message));
        Form.btnDownload->setVisible(News);
        Window.show();
    });
    QObject::connect(Form.btnDownload, &QPushButton::clicked, [&] {
        QDesktopServices::openUrl(QUrl(QString::fromStdString(Outcome.Verdict.DownloadPage)));
    });
    QObject::connect(&Window, &QDialog::finished, &Application, &QCoreApplication::quit);
    if (!Report && AskedByUser)
        Window.show(); // "Looking for a newer version..." meanwhile
    return QApplication::exec();
}
