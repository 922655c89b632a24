#include "Globals.h"

#include "AppFunc.h"
#include "FileFunc.h"
#include "FileSystem.h"
#include "InitFileForm.h"
#include "QtText.h"
#include "StartUp.h"
#include "StrFunc.h"
#include "SysFunc.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"
#include "Unit_Convert.h"
#include "Unit_Converting.h"
#include "Unit_Option.h"
#include "ui_Unit_Convert.h"

#include <QCoreApplication>

TFrmMainForm* FrmMainForm = nullptr;
TfrmConverting* frmConverting = nullptr;
TfrmOption* frmOption = nullptr;
TFrmInitFileForm* FrmInitFileForm = nullptr;
TCustomProc* CustomProc = nullptr;
TCommonLib* CommonLib = nullptr;
TAppFunc* AppFunc = nullptr;
TSysFunc* SysFunc = nullptr;
TStrFunc* StrFunc = nullptr;
TFileFunc* FileFunc = nullptr;
TApplicationServices ApplicationServices;
TProductInfo ProductInfo;
bool EndAfterStartUp = false;

void CreateForms() {
    FrmMainForm = new TFrmMainForm;
    frmConverting = new TfrmConverting(FrmMainForm);
    frmOption = new TfrmOption(FrmMainForm);
    FrmInitFileForm = new TFrmInitFileForm(FrmMainForm);
}

void InitApplication() {
    if (CustomProc)
        return;
    CustomProc = new TCustomProc;
    CommonLib = new TCommonLib(ApplicationServices.Folders, *ApplicationServices.Dialogs,
                               *ApplicationServices.System, *ApplicationServices.Prober);
    AppFunc = new TAppFunc(ApplicationServices.Folders);
    SysFunc = new TSysFunc(*ApplicationServices.System);
    StrFunc = new TStrFunc;
    FileFunc = new TFileFunc;
    CheckCompanionFiles();
    CheckDataFolder();
    QCoreApplication::processEvents(); // the splash repaints after the messages
    ProductInfo = LoadProductInfo(ApplicationServices.Folders, RunningExecutablePath());
    const QString Caption =
        FromEngineText(ProductInfo.ProductName) + " " + FromEngineText(ProductInfo.Version);
    FrmMainForm->setWindowTitle(Caption);
    FrmMainForm->ui->lblTitle->setText(FrmMainForm->windowTitle());
}

void ReleaseApplication() {
    delete FrmMainForm; // owns the other three forms
    delete CustomProc;
    delete CommonLib;
    delete AppFunc;
    delete SysFunc;
    delete StrFunc;
    delete FileFunc;
    FrmMainForm = nullptr;
    frmConverting = nullptr;
    frmOption = nullptr;
    FrmInitFileForm = nullptr;
    CustomProc = nullptr;
    CommonLib = nullptr;
    AppFunc = nullptr;
    SysFunc = nullptr;
    StrFunc = nullptr;
    FileFunc = nullptr;
    ProductInfo = {};
    EndAfterStartUp = false;
}
