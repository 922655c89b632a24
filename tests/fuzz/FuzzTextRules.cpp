// Splitting and number extraction on arbitrary text: no crash, and the pieces
// always put the text back together.
#include "StrFunc.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0)
        return 0;
    const char Separator = static_cast<char>(Data[0]);
    const std::string Text(reinterpret_cast<const char*>(Data) + 1, Size - 1);

    std::string Joined;
    const std::vector<std::string> Pieces = SplitString(Text, Separator);
    for (size_t I = 0; I < Pieces.size(); ++I)
        Joined += (I ? std::string(1, Separator) : std::string()) + Pieces[I];
    const bool EndsWithSeparator = !Text.empty() && Text.back() == Separator;
    if (Joined + (EndsWithSeparator ? std::string(1, Separator) : std::string()) != Text)
        std::abort();

    std::vector<std::string> NonEmpty;
    SplitText(Text, Separator, NonEmpty);
    for (const std::string& Piece : NonEmpty)
        if (Piece.empty() || Piece.find(Separator) != std::string::npos)
            std::abort();

    if (std::isnan(ExtractNumber(Text)))
        std::abort();
    return 0;
}
