#pragma once

#include <optional>
#include <string>

// What the update address answers: a small text file whose first line is the
// newest version ("1.9" or "1.9.0.0") and whose second line, if any, is the
// page to download it from.
struct TUpdateOffer {
    std::string Version;
    std::string DownloadPage;
};

// Nothing when the text is not such a file.
std::optional<TUpdateOffer> ParseVersionFile(const std::string& Text);

// Whether version Offered is newer than Installed, number by number; a
// missing number counts as 0.
bool IsNewerVersion(const std::string& Offered, const std::string& Installed);

// What the updater tells the user.
struct TUpdateVerdict {
    std::string Message;
    std::string DownloadPage; // empty when there is nothing to download
};
TUpdateVerdict UpdateVerdict(const std::string& Installed, const TUpdateOffer& Offer);
