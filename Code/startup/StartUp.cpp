#include "StartUp.h"

#include "Globals.h"
#include "ProductInfo.h"
#include "QtText.h"
#include "Splash.h"
#include "Unit_Convert.h"
#include "UserDialogs.h"

void ShowSplash() {
    if (ApplicationServices.Splash)
        ApplicationServices.Splash->ShowSplash(*FrmMainForm, InitApplication);
    else
        InitApplication();
}

void CheckCompanionFiles() {
    // Beside the program, wherever it was started from.
    for (const std::string& Missing : MissingCompanions(ApplicationServices.Folders)) {
        ShowAppMessage("'" + FromEngineText(Missing) +
                       "' is not found. Please reinstall this program.");
        EndAfterStartUp = true;
    }
}

void CheckDataFolder() {
    if (!EndAfterStartUp && !ApplicationServices.DataFolderProblem.empty())
        ApplicationServices.Dialogs->ShowMessage(
            FromEngineText(ApplicationServices.DataFolderProblem), TMessageKind::Warning);
}

QMessageBox::StandardButton ShowAppMessage(const QString& Text) {
    ApplicationServices.Dialogs->ShowMessage(Text, TMessageKind::Information);
    return QMessageBox::Ok;
}
