#include "AppFolders.h"

#include "FileSystem.h"
#include "Paths.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const UpdateSettingsName = "UpDateSettings.ini";

std::string WithSeparator(std::string Folder) {
    if (!Folder.empty() && Folder.back() != PathDelim)
        Folder += PathDelim;
    return Folder;
}

std::string ProblemText(const std::string& Folder, const std::string& Reason) {
    return "Korvalin cannot keep its settings in the folder \"" + Folder + "\": " + Reason +
           ". Your settings will not be saved, and files cannot be converted until this folder "
           "can be written.";
}

// Copies a shipped file to a name that does not exist yet; an existing file
// is left alone. A copy that fails on the way is removed again, so that no
// half file stands in for the default later. 0 or the error number.
int CopyWhenMissing(const std::string& From, const std::string& To) {
    std::ifstream Source(From, std::ios::binary);
    if (!Source)
        return 0; // nothing shipped under this name
    const std::string Content{std::istreambuf_iterator<char>(Source), {}};
    FILE* Target = std::fopen(To.c_str(), "wbx"); // only a new file
    if (!Target)
        return errno == EEXIST ? 0 : errno;
    const bool Written = std::fwrite(Content.data(), 1, Content.size(), Target) == Content.size();
    const int WriteError = Written ? 0 : errno;
    const int CloseError = std::fclose(Target) == 0 ? 0 : errno;
    const int Failed = WriteError != 0 ? WriteError : CloseError;
    if (Failed != 0)
        std::remove(To.c_str());
    return Failed;
}

} // namespace

TAppFolders::TAppFolders(std::string Folder) : TAppFolders(Folder, Folder) {}

TAppFolders::TAppFolders(std::string ProgramFolder, std::string DataFolder)
    : ProgramFolder(WithSeparator(std::move(ProgramFolder))),
      DataFolder(WithSeparator(std::move(DataFolder))) {}

std::string TAppFolders::ProgramFile(std::string_view Name) const {
    return ProgramFolder + std::string(Name);
}

std::string TAppFolders::HelpPages() const {
    return HelpPage("index.html");
}

std::string TAppFolders::HelpPage(std::string_view Name) const {
    return ProgramFolder + "Help" + PathDelim + std::string(Name);
}

std::string TAppFolders::DefaultConfigFolder() const {
    return ProgramFolder + "Config" + PathDelim;
}

std::string TAppFolders::ConfigFolder() const {
    return DataFolder + "Config" + PathDelim;
}

std::string TAppFolders::LogFile() const {
    return DataFolder + "log.txt";
}

std::string TAppFolders::ScriptFile() const {
    return DataFolder + "VideoFile.avs";
}

std::string TAppFolders::UpdateSettingsFile() const {
    return DataFolder + UpdateSettingsName;
}

std::string TAppFolders::ListJournalFile() const {
    return DataFolder + "list-journal.txt";
}

std::string TAppFolders::SetAsideListJournalFile() const {
    return DataFolder + "list-journal.unreadable.txt";
}

TAppFolders ChooseAppFolders(const std::string& ProgramFolder, const std::string& UserFolder) {
    return IsReadOnly(ProgramFolder) ? TAppFolders(ProgramFolder, UserFolder)
                                     : TAppFolders(ProgramFolder);
}

TDataFolderChoice PrepareDataFolder(const TAppFolders& Folders) {
    TDataFolderChoice Choice{Folders, {}};
    if (Folders.DataFolder == Folders.ProgramFolder)
        return Choice;
    std::error_code Error;
    fs::create_directories(Folders.ConfigFolder(), Error);
    if (Error) {
        Choice.Problem = ProblemText(Folders.DataFolder, Error.message());
        return Choice;
    }
    if (IsReadOnly(Folders.DataFolder) || IsReadOnly(Folders.ConfigFolder())) {
        Choice.Problem = ProblemText(Folders.DataFolder, SystemErrorText(EACCES));
        return Choice;
    }
    std::vector<std::pair<std::string, std::string>> Copies{
        {Folders.ProgramFile(UpdateSettingsName), Folders.UpdateSettingsFile()}};
    for (const fs::directory_entry& Entry :
         fs::directory_iterator(Folders.DefaultConfigFolder(), Error))
        if (Entry.path().extension() == ".ini" && Entry.is_regular_file(Error))
            Copies.emplace_back(Entry.path().string(),
                                Folders.ConfigFolder() + Entry.path().filename().string());
    for (const auto& [From, To] : Copies)
        if (const int Failed = CopyWhenMissing(From, To); Failed != 0 && Choice.Problem.empty())
            Choice.Problem = ProblemText(Folders.DataFolder, SystemErrorText(Failed));
    return Choice;
}
