#pragma once

#include <string>
#include <vector>

// The custom profiles in UserProfileInfo.ini and the counter in
// UserProfileCount.ini, both in the program's Config folder. Every change is
// saved at once; a missing file means no profiles and a count of 0.
class TCustomProfileStore {
public:
    // ConfigFolder ends with the folder separator.
    explicit TCustomProfileStore(std::string ConfigFolder,
                                 std::string ProfileFileName = "UserProfileInfo.ini");

    // The profile names in file order.
    std::vector<std::string> Names() const;
    // The stored tuple of a profile, empty when there is none.
    std::string Value(const std::string& Name) const;
    // Stores the tuple under the name, replacing the value of an existing one
    // (whatever the letter case it is given in).
    void Store(const std::string& Name, const std::string& Tuple) const;
    // Removes the profile; a name that is not stored changes nothing.
    void Erase(const std::string& Name) const;
    // Counts one more profile and returns the name proposed for it:
    // "UserProfileInfo" and the new count, counted on past the names in use,
    // so that accepting it never replaces a profile.
    std::string ProposeName() const;
    // Why the settings file cannot hold a profile of that name, in words;
    // empty when it can.
    static std::string NameProblem(const std::string& Name);

private:
    std::string ProfileFile() const { return ConfigFolder + ProfileFileName; }
    std::string ConfigFolder;
    std::string ProfileFileName;
};
