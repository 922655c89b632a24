// AutoUpDate.exe: asks the update address beside Korvalin whether a newer
// version exists and tells the user, with a way to its download page.
//
//   AutoUpDate.exe            the window
//   AutoUpDate.exe --report   the answer on standard output, exit code 1 when
//                             the check failed
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
#include <QUrl>
#include <cstdio>
#include <filesystem>

namespace {

const char* const DefaultAddress = "https://korvalin.example.org/version.txt";
constexpr int TimeoutMs = 10000;
constexpr qint64 LargestAnswer = 64 * 1024; // a version file is a few bytes

struct TOutcome {
    bool Checked = false;
    TUpdateVerdict Verdict;
};

TOutcome OutcomeOf(QNetworkReply& Reply, const std::string& Installed) {
    if (Reply.error() != QNetworkReply::NoError)
        return {false, {"The update check failed: " + Reply.errorString().toStdString(), {}}};
    const QByteArray Answer = Reply.read(LargestAnswer + 1);
    const auto Offer =
        Answer.size() > LargestAnswer ? std::nullopt : ParseVersionFile(Answer.toStdString());
    if (!Offer)
        return {false, {"The update check failed: the update address did not send a version.", {}}};
    return {true, UpdateVerdict(Installed, *Offer)};
}

// The settings file belongs to the program beside us; it is never created here.
void RecordCheck(const std::string& Settings) {
    std::error_code Error;
    if (!std::filesystem::is_regular_file(Settings, Error))
        return;
    try {
        WriteProfileString(Settings, "AutoUpdate", "UpdateTodayExeced", "true");
        WriteProfileString(Settings, "AutoUpdate", "LastCheck",
                           QDate::currentDate().toString(Qt::ISODate).toStdString());
    } catch (const EProfileWriteError&) { // the next check simply runs again
    }
}

std::string UpdateAddress(const std::string& Settings) {
    try {
        return TIniFile32(Settings).ReadString("AutoUpdate", "UpdateAddress", DefaultAddress);
    } catch (const std::exception&) {
        return DefaultAddress;
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication Application(argc, argv);
    Application.setApplicationName("Korvalin Update");
    const bool Report = Application.arguments().contains("--report");
    const std::string Folder = QCoreApplication::applicationDirPath().toStdString() + "/";
    const std::string Settings = Folder + "UpDateSettings.ini";
    const std::string Installed = GetFileVersionText(Folder + "Korvalin");

    QDialog Window;
    Ui::TUpdateWindow Form;
    Form.setupUi(&Window);
    TOutcome Outcome;
    QNetworkAccessManager Network;
    QNetworkRequest Request(QUrl(QString::fromStdString(UpdateAddress(Settings))));
    Request.setTransferTimeout(TimeoutMs);
    QNetworkReply* Reply = Network.get(Request);
    QObject::connect(Reply, &QNetworkReply::finished, [&] {
        Outcome = OutcomeOf(*Reply, Installed);
        Reply->deleteLater();
        if (Outcome.Checked)
            RecordCheck(Settings);
        if (Report) {
            std::printf("%s\n%s\n", Outcome.Verdict.Message.c_str(),
                        Outcome.Verdict.DownloadPage.c_str());
            QCoreApplication::exit(Outcome.Checked ? 0 : 1);
            return;
        }
        Form.lblMessage->setText(QString::fromStdString(Outcome.Verdict.Message));
        Form.btnDownload->setVisible(!Outcome.Verdict.DownloadPage.empty());
    });
    QObject::connect(Form.btnDownload, &QPushButton::clicked, [&] {
        QDesktopServices::openUrl(QUrl(QString::fromStdString(Outcome.Verdict.DownloadPage)));
    });
    QObject::connect(&Window, &QDialog::finished, &Application, &QCoreApplication::quit);
    if (!Report)
        Window.show();
    return QApplication::exec();
}
