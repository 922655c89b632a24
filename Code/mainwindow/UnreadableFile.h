#pragma once

#include <string>

// Why a file that was picked could not be read, in words for the user, with
// its size and what its first bytes show where that helps: Korvalin reads
// RealMedia itself, so no codec is ever the reason.
std::string UnreadableReason(const std::string& Path);
