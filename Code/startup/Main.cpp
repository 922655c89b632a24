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

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace {

// The files named on the command line, taken from the current folder when
// their paths are relative.
QStringList FilesToOpen(const QStringList& Arguments) {
    QStringList Files;
    for (qsizetype Index = 1; Index < Arguments.size(); ++Index)
        Files << QFileInfo(Arguments[Index]).absoluteFilePath();
    return Files;
}

// The user's folder for the program's data. A relative XDG_DATA_HOME is not
// valid and is passed over, so that nothing is ever written into the current folder.
std::string UserDataFolder() {
    if (QDir::isRelativePath(qEnvironmentVariable("XDG_DATA_HOME")))
        qunsetenv("XDG_DATA_HOME");
    return QDir::toNativeSeparators(
               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
               .toStdString() +
           "/";
}

} // namespace

int main(int argc, char* argv[]) {
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
