#include "StrFunc.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cwchar>
#include <cwctype>

std::string TStrFunc::TextAfterLast(std::string_view Text, char Separator) const {
    const size_t Last = Text.rfind(Separator);
    return std::string(Last == std::string_view::npos ? Text : Text.substr(Last + 1));
}

std::string Trim(std::string_view Text) {
    auto IsBlank = [](char C) { return static_cast<unsigned char>(C) <= ' '; };
    size_t First = 0, End = Text.size();
    while (First < End && IsBlank(Text[First]))
        ++First;
    while (End > First && IsBlank(Text[End - 1]))
        --End;
    return std::string(Text.substr(First, End - First));
}

namespace {

// Decodes the next character of Text at Pos in the locale's encoding and
// returns it folded to lower case; an undecodable byte is returned as itself.
wint_t NextFoldedChar(std::string_view Text, size_t& Pos, std::mbstate_t& State) {
    wchar_t Wide = 0;
    const size_t Used = std::mbrtowc(&Wide, Text.data() + Pos, Text.size() - Pos, &State);
    if (Used == 0 || Used > Text.size() - Pos) { // a NUL, or bytes the locale cannot read
        State = std::mbstate_t();
        const unsigned char Byte = static_cast<unsigned char>(Text[Pos++]);
        return Byte < 0x80 ? static_cast<wint_t>(std::towlower(Byte)) : 0x110000 + Byte;
    }
    Pos += Used;
    return std::towlower(static_cast<wint_t>(Wide));
}

} // namespace

bool SameText(std::string_view A, std::string_view B) {
    std::mbstate_t StateA{}, StateB{};
    size_t PosA = 0, PosB = 0;
    while (PosA < A.size() && PosB < B.size()) {
        if (NextFoldedChar(A, PosA, StateA) != NextFoldedChar(B, PosB, StateB))
            return false;
    }
    return PosA == A.size() && PosB == B.size();
}

bool SameAsciiText(std::string_view A, std::string_view B) {
    auto Lower = [](char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; };
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(),
                                              [&](char X, char Y) { return Lower(X) == Lower(Y); });
}

bool TryStrToInt(std::string_view Text, int32_t& Value) {
    const bool Hex = !Text.empty() && Text.front() == '$';
    const char* First = Text.data() + (Hex ? 1 : 0);
    const char* Last = Text.data() + Text.size();
    const bool Negative = !Hex && First != Last && *First == '-';
    if (!Hex && First != Last && (*First == '+' || *First == '-'))
        ++First;
    if (First == Last || !(Hex ? std::isxdigit(static_cast<unsigned char>(*First))
                               : std::isdigit(static_cast<unsigned char>(*First))))
        return false;
    int64_t Magnitude = 0;
    const auto [End, Error] = std::from_chars(First, Last, Magnitude, Hex ? 16 : 10);
    const int64_t Signed = Negative ? -Magnitude : Magnitude;
    if (End != Last || Error != std::errc() || Signed < INT32_MIN || Signed > INT32_MAX)
        return false;
    Value = static_cast<int32_t>(Signed);
    return true;
}

bool TryDecimalToInt(std::string_view Text, int32_t& Value) {
    return !Text.empty() && Text.front() != '$' && TryStrToInt(Text, Value);
}

void SplitText(std::string_view Text, char Separator, std::vector<std::string>& List) {
    List.clear();
    for (std::string& Piece : SplitString(Text, Separator)) {
        if (!Piece.empty())
            List.push_back(std::move(Piece));
    }
}

std::vector<std::string> SplitString(std::string_view Text, char Separator) {
    std::vector<std::string> Pieces;
    size_t Start = 0;
    for (size_t Found; (Found = Text.find(Separator, Start)) != std::string_view::npos;
         Start = Found + 1)
        Pieces.emplace_back(Text.substr(Start, Found - Start));
    if (Start < Text.size())
        Pieces.emplace_back(Text.substr(Start));
    return Pieces;
}

double ExtractNumber(std::string_view Text) {
    std::string Kept;
    bool HasDot = false, HasPlus = false, HasMinus = false, HasDigit = false;
    for (char C : Trim(Text)) {
        if (C >= '0' && C <= '9') {
            HasDigit = true;
            Kept += C;
        } else if ((C == '.' && !HasDot) || (C == '+' && !HasPlus) || (C == '-' && !HasMinus)) {
            (C == '.' ? HasDot : C == '+' ? HasPlus : HasMinus) = true;
            // Only a sign that comes first counts; a later one is dropped.
            if (C == '.' || Kept.empty())
                Kept += C;
        }
    }
    if (!HasDigit)
        return 0;
    const char* First = Kept.data() + (Kept.front() == '+' ? 1 : 0);
    double Value = 0;
    if (std::from_chars(First, Kept.data() + Kept.size(), Value).ec ==
        std::errc::result_out_of_range) {
        // Too many digits for a double: huge when a digit before the stop is not 0, else tiny.
        const std::string_view Whole(Kept.data(), Kept.find('.'));
        const bool Huge = Whole.find_first_of("123456789") != std::string_view::npos;
        Value = Huge ? HUGE_VAL : 0.0;
        if (Kept.front() == '-')
            Value = -Value;
    }
    return Value;
}
