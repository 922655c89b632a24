#include "AppFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

std::string UserDataFolder() {
    const char* DataHome = std::getenv("XDG_DATA_HOME");
    if (DataHome && DataHome[0] == '/')
        return std::string(DataHome) + "/Korvalin/";
    const char* Home = std::getenv("HOME");
    if (!Home || Home[0] != '/') { // the account's own home, as the desktop does
        const passwd* Account = getpwuid(getuid());
        Home = Account ? Account->pw_dir : "/tmp";
    }
    return std::string(Home) + "/.local/share/Korvalin/";
}
