#include "Res.h"

#include <algorithm>
#include <cstring>
#include <string_view>

extern "C" const unsigned char ImgFlashJpeg[];
extern "C" const size_t ImgFlashJpegSize;

namespace {

// The string table; entries 3 and 6 are not used.
const char* const Strings[] = {
    /* 0 */ "Korvalin developers",
    /* 1 */ "Korvalin",
    /* 2 */
    "Converts RealMedia files (.rm, .rmvb) for phones, the PSP, the iPod and MP3 "
    "players: trim each file while watching it, then convert the whole list in one go.",
    /* 3 */ nullptr,
    /* 4 */ "https://korvalin.example.org/",
    /* 5 */ "support@korvalin.example.org",
    /* 6 */ nullptr,
    /* 7 */
    "Copyright (C) 2026 the Korvalin developers. The encoder evc.exe uses FFmpeg; the "
    "preview plays through libmpv.",
};

} // namespace

extern "C" [[gnu::visibility("default")]] int ResLoadString(unsigned Index, char* Buffer,
                                                            int Size) {
    if (!Buffer || Size <= 0)
        return 0;
    const char* Text = Index < std::size(Strings) ? Strings[Index] : nullptr;
    const size_t Count = Text ? std::min(std::strlen(Text), static_cast<size_t>(Size - 1)) : 0;
    std::memcpy(Buffer, Text ? Text : "", Count);
    Buffer[Count] = '\0';
    return static_cast<int>(Count);
}

extern "C" [[gnu::visibility("default")]] const unsigned char*
ResFindResource(const char* Name, const char* Type, size_t* Size) {
    if (!Name || !Type || std::string_view(Name) != "ImgFlash" || std::string_view(Type) != "jpeg")
        return nullptr;
    if (Size)
        *Size = ImgFlashJpegSize;
    return ImgFlashJpeg;
}
