#pragma once

#include "AppFolders.h"
#include "MediaGraph.h"
#include "ProductInfo.h"

#include <string>

class TFrmMainForm;
class TfrmConverting;
class TfrmOption;
class TFrmInitFileForm;
class TCustomProc;
class TCommonLib;
class TAppFunc;
class TSysFunc;
class TStrFunc;
class TFileFunc;
class IUserDialogs;
class ISystemActions;
class IDurationProber;
class ISplashScreen;

// The program's single instances: created once at start-up and kept until the
// process ends.
extern TFrmMainForm* FrmMainForm;
extern TfrmConverting* frmConverting;
extern TfrmOption* frmOption;
extern TFrmInitFileForm* FrmInitFileForm;
extern TCustomProc* CustomProc;
extern TCommonLib* CommonLib;
extern TAppFunc* AppFunc;
extern TSysFunc* SysFunc;
extern TStrFunc* StrFunc;
extern TFileFunc* FileFunc;

// What the single instances work with: the program's folders, the dialogs,
// the system and the duration probe. The program sets the real ones; window
// tests set their own before creating the forms.
struct TApplicationServices {
    TAppFolders Folders;
    // Why the data folder cannot be written; empty when it can.
    std::string DataFolderProblem;
    IUserDialogs* Dialogs = nullptr;
    ISystemActions* System = nullptr;
    const IDurationProber* Prober = nullptr;
    // Builds the preview's media graph; when empty, the libmpv one.
    TMediaGraphFactory CreateMediaGraph;
    // The splash; without one the start-up work runs at once.
    ISplashScreen* Splash = nullptr;
};
extern TApplicationServices ApplicationServices;

// The product texts, read during start-up.
extern TProductInfo ProductInfo;
// Set when start-up found the program incomplete: the program then ends
// instead of entering normal operation.
extern bool EndAfterStartUp;

// Creates the four forms in their order: main window, progress window, Options
// dialog, file-adding window.
void CreateForms();

// Creates CustomProc, CommonLib, AppFunc, SysFunc, StrFunc and FileFunc in this
// order, checks for the companion libraries and the data folder, reads the
// product texts and puts the product name and version in the main window's
// caption; does nothing when the instances exist.
void InitApplication();

// Frees everything the two calls above created (for tests; the program never does).
void ReleaseApplication();
