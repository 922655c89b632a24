#include "DesktopSystemActions.h"
#include "Globals.h"
#include "KorvalinApplication.h"
#include "Unit_Convert.h"
#include "UserDialogs.h"

#include <QDir>
#include <clocale>

int main(int argc, char* argv[]) {
    TKorvalinApplication Application(argc, argv);
    std::setlocale(LC_ALL, "");
    TQtUserDialogs Dialogs;
    TDesktopSystemActions System;
    ApplicationServices = {
        QDir(QCoreApplication::applicationDirPath()).filePath("").toLocal8Bit().toStdString(),
        &Dialogs, &System};
    CreateForms();
    FrmMainForm->show();
    return QApplication::exec();
}
