#pragma once

#include <optional>
#include <string>

// The version information that an executable carries: a block of named
// values, one of them the translation (language and code page) that selects
// the file version text.

// "Major.Minor" of the file version of the executable at Path; empty when it
// carries no version information or the information has no file version.
std::string GetFileVersionText(const std::string& Path);
// The whole file version ("1.8.0.0"), empty like the above.
std::string GetFullFileVersion(const std::string& Path);

// The version block of the executable at Path, as stored; nothing when there is none.
std::optional<std::string> ReadVersionBlock(const std::string& Path);

// "Major.Minor" from a version block: pairs of NUL-terminated name and value.
// The first translation entry gives the language (low 16 bits) and code page
// (high 16 bits) under which the file version is looked up.
std::string FileVersionOfBlock(const std::string& Block);
std::string FullFileVersionOfBlock(const std::string& Block);
