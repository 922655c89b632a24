#include "AppFunc.h"
#include "DesktopSystemActions.h"
#include "DurationProbe.h"
#include "Globals.h"
#include "KorvalinApplication.h"
#include "SessionEnd.h"
#include "Unit_Convert.h"
#include "UserDialogs.h"

int main(int argc, char* argv[]) {
    TKorvalinApplication Application(argc, argv);
    TDesktopSystemActions System;
    TQtUserDialogs Dialogs(System);
    const TMediaDurationProber Prober;
    ApplicationServices = {TAppFunc().AppFolder(), &Dialogs, &System, &Prober, {}};
    CreateForms();
    CloseOnSessionEnd(*FrmMainForm);
    FrmMainForm->show();
    return QApplication::exec();
}
