#include "AppFunc.h"
#include "DesktopSystemActions.h"
#include "DurationProbe.h"
#include "Globals.h"
#include "KorvalinApplication.h"
#include "SessionEnd.h"
#include "ShellServices.h"
#include "SingleInstance.h"
#include "Splash.h"
#include "Unit_Convert.h"
#include "UserDialogs.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// The files named on the command line, taken from the current folder when
// their paths are relative.
QStringList FilesToOpen(const QStringList& Arguments) {
    QStringList Files;
    for (qsizetype Index = 1; Index < Arguments.size(); ++Index)
        Files << QFileInfo(Arguments[Index]).absoluteFilePath();
    return Files;
}

// Answers --help and --version on the terminal before a window opens;
// nothing when the arguments are files to open (and Qt's own options).
std::optional<int> AnswerOptions(int argc, char* argv[]) {
    for (int Index = 1; Index < argc && std::strcmp(argv[Index], "--") != 0; ++Index) {
        const char* Argument = argv[Index];
        if (!std::strcmp(Argument, "--help") || !std::strcmp(Argument, "-h")) {
            std::fputs("Usage: korvalin [FILE | FOLDER]...\n"
                       "Opens Korvalin, the RealMedia converter, with the files (.rm, .rmvb) in\n"
                       "its list, those in a folder and its sub-folders too; when Korvalin\n"
                       "already runs, the files go to its window.\n\n"
                       "  -h, --help     show this text\n"
                       "      --version  show the version\n\n"
                       "To convert without a window: korvalin-convert --help\n",
                       stdout);
            return 0;
        }
        if (!std::strcmp(Argument, "--version")) {
            std::fputs("Korvalin " KORVALIN_VERSION "\n", stdout);
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const std::optional<int> Answered = AnswerOptions(argc, argv))
        return *Answered;
    TKorvalinApplication Application(argc, argv);
    const TAppFolders Folders = ChooseAppFolders(TAppFunc().AppFolder(), UserDataFolder());
    TSingleInstance Instance(TSingleInstance::NameFor(QString::fromStdString(Folders.DataFolder)),
                             QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
    switch (Instance.Claim(FilesToOpen(QCoreApplication::arguments()))) {
    case TSingleInstance::TOutcome::HandedOn:
        return 0;
    case TSingleInstance::TOutcome::NoAnswer:
        QMessageBox::warning(nullptr, "Korvalin",
                             "Korvalin is already running but does not answer, so the files "
                             "were not added. Please try again in a moment.");
        return 1;
    case TSingleInstance::TOutcome::Running:
        break;
    }
    const TDataFolderChoice Data = PrepareDataFolder(Folders);

    TDesktopSystemActions System;
    TQtUserDialogs Dialogs(System, UnreadableFilesHelp(Data.Folders));
    const TMediaDurationProber Prober;
    TFlashSplash Splash;
    ApplicationServices = {Data.Folders, Data.Problem, &Dialogs, &System, &Prober, {}, &Splash};
    CreateForms();
    FrmMainForm->show(); // returns after the splash and the start-up work
    // From here on a session's end closes the window and keeps the settings;
    // before, there is nothing of the user's to keep.
    CloseOnSessionEnd(*FrmMainForm);
    if (!EndAfterStartUp)
        Instance.DeliverTo([](const QStringList& Files) { FrmMainForm->OpenFiles(Files); });
    return QApplication::exec();
}
