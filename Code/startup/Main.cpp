#include "AppFunc.h"
#include "DesktopSystemActions.h"
#include "DurationProbe.h"
#include "Globals.h"
#include "KorvalinApplication.h"
#include "SessionEnd.h"
#include "Splash.h"
#include "Unit_Convert.h"
#include "UserDialogs.h"

int main(int argc, char* argv[]) {
    TKorvalinApplication Application(argc, argv);
    TDesktopSystemActions System;
    TQtUserDialogs Dialogs(System);
    const TMediaDurationProber Prober;
    TFlashSplash Splash;
    ApplicationServices = {TAppFunc().AppFolder(), &Dialogs, &System, &Prober, {}, &Splash};
    CreateForms();
    FrmMainForm->show(); // returns after the splash and the start-up work
    // From here on a session's end closes the window and keeps the settings;
    // before, there is nothing of the user's to keep.
    CloseOnSessionEnd(*FrmMainForm);
    return QApplication::exec();
}
