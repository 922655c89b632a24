#include "UpdateCheck.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace {

// Version numbers, when the text is one: digits separated by single dots.
std::optional<std::vector<long>> VersionNumbers(const std::string& Text) {
    std::vector<long> Numbers;
    const char* Position = Text.data();
    const char* const End = Text.data() + Text.size();
    while (Position < End && Numbers.size() < 4) {
        long Number = 0;
        if (*Position == '-')
            return std::nullopt;
        const auto [Next, Error] = std::from_chars(Position, End, Number);
        if (Error != std::errc() || Next - Position > 6)
            return std::nullopt;
        Numbers.push_back(Number);
        Position = Next;
        if (Position < End && *Position++ != '.')
            return std::nullopt;
    }
    if (Numbers.empty() || Position != End || Text.back() == '.')
        return std::nullopt;
    return Numbers;
}

std::string Trimmed(std::string Text) {
    const auto Space = [](unsigned char C) { return C == ' ' || C == '\t' || C == '\r'; };
    Text.erase(Text.begin(), std::find_if_not(Text.begin(), Text.end(), Space));
    Text.erase(std::find_if_not(Text.rbegin(), Text.rend(), Space).base(), Text.end());
    return Text;
}

} // namespace

std::optional<TUpdateOffer> ParseVersionFile(const std::string& Text) {
    const size_t Break = Text.find('\n');
    TUpdateOffer Offer{Trimmed(Text.substr(0, Break)), {}};
    if (Break != std::string::npos)
        Offer.DownloadPage =
            Trimmed(Text.substr(Break + 1, Text.find('\n', Break + 1) - Break - 1));
    const bool WebPage = Offer.DownloadPage.empty() ||
                         Offer.DownloadPage.rfind("https://", 0) == 0 ||
                         Offer.DownloadPage.rfind("http://", 0) == 0;
    if (!VersionNumbers(Offer.Version) || !WebPage)
        return std::nullopt;
    return Offer;
}

bool IsNewerVersion(const std::string& Offered, const std::string& Installed) {
    std::vector<long> A = VersionNumbers(Offered).value_or(std::vector<long>{});
    std::vector<long> B = VersionNumbers(Installed).value_or(std::vector<long>{});
    const size_t Count = std::max(A.size(), B.size());
    A.resize(Count);
    B.resize(Count);
    return A > B;
}

TUpdateVerdict UpdateVerdict(const std::string& Installed, const TUpdateOffer& Offer) {
    if (Installed.empty()) // no Korvalin beside the updater, or one without a version
        return {"Korvalin " + Offer.Version +
                    " is the newest version. The installed version "
                    "cannot be read.",
                Offer.DownloadPage};
    if (!IsNewerVersion(Offer.Version, Installed))
        return {"Korvalin " + Installed + " is the newest version.", {}};
    return {"Korvalin " + Offer.Version + " is available. You have version " + Installed + ".",
            Offer.DownloadPage};
}
