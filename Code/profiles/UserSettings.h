#pragma once

#include <string>

// The choices kept from one run to the next in Config/UserSettings.ini.
struct TUserSettings {
    bool ShowOutputDirectory = false;
    bool Shutdown = false;
    std::string OutputFolder;
};

class TUserSettingsStore {
public:
    // ConfigFolder ends with the folder separator.
    explicit TUserSettingsStore(std::string ConfigFolder);

    // The stored settings; what is missing or empty keeps the value of Defaults
    // for the folder, and unchecks a box. A box is checked only by "1".
    TUserSettings Load(const TUserSettings& Defaults) const;
    // Writes the two boxes and the folder, in this order, a save each.
    void Save(const TUserSettings& Settings) const;

    // The folder the open dialog starts in, or Default when none is stored.
    std::string ReadInitDir(const std::string& Default) const;
    // Keeps the folder the user last picked files in; an empty folder is not stored.
    void SaveInitDir(const std::string& Folder) const;

private:
    std::string FileName() const { return ConfigFolder + "UserSettings.ini"; }
    std::string ConfigFolder;
};
