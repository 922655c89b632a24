#include "ShellServices.h"

#include "CompanionLibrary.h"
#include "ProfileFile.h"
#include "SystemActions.h"

#include <filesystem>

namespace {
using TShowAboutForm = void(void* Application, const char* CompanyName, const char* ProductName,
                            const char* InfoText2, const char* Version, const char* HomePage,
                            const char* EMail, const char* InfoText7, const char* ProgramFolder);
}

void OpenHelp(ISystemActions& System, const TAppFolders& Folders) {
    System.OpenDocument(Folders.ProgramFile("Help.chm"), Folders.HelpPages());
}

std::string UnreadableFilesHelp(const TAppFolders& Folders) {
    return Folders.HelpPage("unreadable.html");
}

void OpenHelpPage(ISystemActions& System, const std::string& Page) {
    System.OpenDocument(Page, Page);
}

void OpenHomePage(ISystemActions& System, const TProductInfo& Product) {
    System.OpenWebAddress(Product.HomePage);
}

void SendEMail(ISystemActions& System, const TProductInfo& Product) {
    System.OpenWebAddress("mailto:" + Product.EMail);
}

void ShowAbout(void* Application, const TProductInfo& Product, const TAppFolders& Folders) {
    const TCompanionLibrary Form(Folders.ProgramFile("Form.dll"));
    if (auto* ShowAboutForm = Form.Function<TShowAboutForm>("ShowAboutForm"))
        ShowAboutForm(Application, Product.CompanyName.c_str(), Product.ProductName.c_str(),
                      Product.InfoText2.c_str(), Product.Version.c_str(), Product.HomePage.c_str(),
                      Product.EMail.c_str(), Product.InfoText7.c_str(),
                      Product.ProgramFolder.c_str());
}

void StartUpdate(ISystemActions& System, const TAppFolders& Folders) {
    const std::string Settings = Folders.UpdateSettingsFile();
    std::error_code Error;
    if (std::filesystem::exists(Settings, Error)) { // never created here
        WriteProfileString(Settings, "AutoUpdate", "UpdateModalUsr", "true");
        WriteProfileString(Settings, "AutoUpdate", "UpdateTodayExeced", "false");
    }
    System.StartProgram(Folders.ProgramFile("AutoUpDate.exe"), {"--settings", Settings});
}
