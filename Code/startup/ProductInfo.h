#pragma once

#include "AppFolders.h"

#include <string>
#include <vector>

// The product texts for the whole run, in the order the about box takes them.
struct TProductInfo {
    std::string CompanyName;
    std::string ProductName;
    std::string InfoText2;
    std::string Version;
    std::string HomePage;
    std::string EMail;
    std::string InfoText7;
    std::string ProgramFolder; // with its trailing separator
};

// The companion libraries the program needs beside it, in the order they are checked.
inline const std::vector<std::string> CompanionLibraries = {"Form.dll", "Res.dll"};

// The companion libraries missing from the program folder, in that order.
std::vector<std::string> MissingCompanions(const TAppFolders& Folders);

// The texts of Res.dll in the program folder and the file version of the
// program Executable. A text Res.dll does not have stays empty.
TProductInfo LoadProductInfo(const TAppFolders& Folders, const std::string& Executable);

// The splash picture (JPEG) kept in Res.dll; empty when there is none.
std::vector<unsigned char> LoadSplashPicture(const TAppFolders& Folders);
