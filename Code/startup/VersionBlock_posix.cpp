// The program's version information, kept in a section of its own so that it
// can be read from the file without running it.
extern "C" {
[[gnu::used, gnu::section(".korvalin_version")]] extern const char KorvalinVersionBlock[] =
    "\\VarFileInfo\\Translation\0"
    "04E40809\0"
    "\\StringFileInfo\\080904E4\\CompanyName\0"
    "Korvalin\0"
    "\\StringFileInfo\\080904E4\\FileDescription\0"
    "Korvalin RealMedia converter\0"
    "\\StringFileInfo\\080904E4\\FileVersion\0"
    "1.8.0.0\0"
    "\\StringFileInfo\\080904E4\\ProductName\0"
    "Korvalin\0"
    "\\StringFileInfo\\080904E4\\ProductVersion\0"
    "1.8.0.0\0";
}
