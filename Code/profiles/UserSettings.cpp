#include "UserSettings.h"

#include "IniFiles32.h"

namespace {
const char* const Section = "USRInfo";
}

TUserSettingsStore::TUserSettingsStore(std::string ConfigFolder)
    : ConfigFolder(std::move(ConfigFolder)) {}

TUserSettings TUserSettingsStore::Load(const TUserSettings& Defaults) const {
    const TIniFile32 Ini(FileName());
    return {Ini.ReadString(Section, "SHWDDir", "0") == "1",
            Ini.ReadString(Section, "SHUTDOWN", "0") == "1",
            Ini.ReadString(Section, "OutDir", Defaults.OutputFolder)};
}

void TUserSettingsStore::Save(const TUserSettings& Settings) const {
    TIniFile32 Ini(FileName());
    Ini.WriteString(Section, "SHWDDir", Settings.ShowOutputDirectory ? "1" : "0");
    Ini.WriteString(Section, "SHUTDOWN", Settings.Shutdown ? "1" : "0");
    Ini.WriteString(Section, "OutDir", Settings.OutputFolder);
}

std::string TUserSettingsStore::ReadInitDir(const std::string& Default) const {
    return TIniFile32(FileName()).ReadString(Section, "InitDir", Default);
}

void TUserSettingsStore::SaveInitDir(const std::string& Folder) const {
    if (!Folder.empty())
        TIniFile32(FileName()).WriteString(Section, "InitDir", Folder);
}
