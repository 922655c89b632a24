#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// String helpers shared by the whole engine.
class TStrFunc {
public:
    // The text after the last Separator; the whole text when there is none.
    std::string TextAfterLast(std::string_view Text, char Separator) const;
};

// Removes every character with a code of 32 or less from both ends.
std::string Trim(std::string_view Text);

// Compares two texts without regard to case, following the user's locale for
// the characters it knows (bytes it cannot decode are compared as they are).
bool SameText(std::string_view A, std::string_view B);

// Compares two texts, ignoring the case of ASCII letters only.
bool SameAsciiText(std::string_view A, std::string_view B);

// Text-to-integer: an optional sign with decimal digits, or "$" with hexadecimal
// digits, within the 32-bit signed range. False for anything else.
bool TryStrToInt(std::string_view Text, int32_t& Value);

// The same without the hexadecimal form: an optional sign with decimal digits.
bool TryDecimalToInt(std::string_view Text, int32_t& Value);

// Fills List with the non-empty pieces of Text between Separators.
void SplitText(std::string_view Text, char Separator, std::vector<std::string>& List);

// The pieces of Text between Separators, in order. Empty pieces count, except
// after a separator that ends the text; an empty text gives no pieces.
std::vector<std::string> SplitString(std::string_view Text, char Separator);

// The number in a lenient text: keeps the digits, the first full stop and the
// first sign, so " 12" gives 12, "1.2.3" gives 1.23 and "ab-4x2" gives -42.
// A text without any digit gives 0.
double ExtractNumber(std::string_view Text);
