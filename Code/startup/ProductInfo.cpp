#include "ProductInfo.h"

#include "CompanionLibrary.h"
#include "FileVersion.h"

#include <cstddef>
#include <filesystem>

namespace {

// Res.dll's two exports.
using TLoadString = int(unsigned Index, char* Buffer, int Size);
using TFindResource = const unsigned char*(const char* Name, const char* Type, size_t* Size);

// Entries are read into a buffer of this many characters, the last for the NUL.
constexpr int StringBufferSize = 254;

std::string ResString(TLoadString* LoadString, unsigned Index) {
    char Buffer[StringBufferSize] = {};
    if (!LoadString || LoadString(Index, Buffer, StringBufferSize) <= 0)
        return {};
    Buffer[StringBufferSize - 1] = '\0';
    return Buffer;
}

} // namespace

std::vector<std::string> MissingCompanions(const TAppFolders& Folders) {
    std::vector<std::string> Missing;
    for (const std::string& Name : CompanionLibraries) {
        std::error_code Error;
        if (!std::filesystem::exists(Folders.ProgramFile(Name), Error))
            Missing.push_back(Name);
    }
    return Missing;
}

TProductInfo LoadProductInfo(const TAppFolders& Folders, const std::string& Executable) {
    const TCompanionLibrary Res(Folders.ProgramFile("Res.dll"));
    auto* LoadString = Res.Function<TLoadString>("ResLoadString");
    TProductInfo Info;
    Info.CompanyName = ResString(LoadString, 0);
    Info.ProductName = ResString(LoadString, 1);
    Info.InfoText2 = ResString(LoadString, 2);
    Info.Version = GetFileVersionText(Executable);
    Info.HomePage = ResString(LoadString, 4);
    Info.EMail = ResString(LoadString, 5);
    Info.InfoText7 = ResString(LoadString, 7);
    Info.ProgramFolder = Folders.ProgramFolder;
    return Info;
}

std::vector<unsigned char> LoadSplashPicture(const TAppFolders& Folders) {
    const TCompanionLibrary Res(Folders.ProgramFile("Res.dll"));
    auto* FindResource = Res.Function<TFindResource>("ResFindResource");
    size_t Size = 0;
    const unsigned char* Bytes = FindResource ? FindResource("ImgFlash", "jpeg", &Size) : nullptr;
    return Bytes ? std::vector<unsigned char>(Bytes, Bytes + Size) : std::vector<unsigned char>();
}
