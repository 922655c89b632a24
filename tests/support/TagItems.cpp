#include "MediaProbe.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string_view>

namespace {

uint32_t BigEndian(std::string_view Bytes, size_t At, bool SyncSafe = false) {
    uint32_t Value = 0;
    for (size_t I = At; I < At + 4 && I < Bytes.size(); ++I)
        Value = SyncSafe ? Value << 7 | (Bytes[I] & 0x7f) : Value << 8 | uint8_t(Bytes[I]);
    return Value;
}

std::string WithoutEndingZeros(std::string_view Text) {
    while (!Text.empty() && Text.back() == '\0')
        Text.remove_suffix(1);
    return std::string(Text);
}

// ID3v2.3 or 2.4 text frames in a one-byte encoding, as ffmpeg writes them.
void ReadId3Frames(std::string_view File, std::map<std::string, std::string>& Items) {
    const bool SyncSafe = File[3] == 4;
    const std::string_view Tag = File.substr(10, BigEndian(File, 6, true));
    for (size_t At = 0; At + 10 <= Tag.size() && Tag[At] != 0;) {
        const std::string Id(Tag.substr(At, 4));
        const std::string_view Body = Tag.substr(At + 10, BigEndian(Tag, At + 4, SyncSafe));
        std::string_view Text = Body.substr(std::min<size_t>(1, Body.size())); // the encoding
        if (Id == "COMM")
            Text = Text.substr(std::min(Text.size(), Text.find('\0', 3) + 1)); // language, summary
        Items[Id] = WithoutEndingZeros(Text);
        At += 10 + Body.size();
    }
}

// Calls Visit(type, body) for each box in Boxes.
template <typename TVisit> void ForEachBox(std::string_view Boxes, TVisit Visit) {
    for (size_t At = 0; At + 8 <= Boxes.size();) {
        const size_t Size = BigEndian(Boxes, At);
        if (Size < 8 || At + Size > Boxes.size())
            return;
        Visit(std::string(Boxes.substr(At + 4, 4)), Boxes.substr(At + 8, Size - 8));
        At += Size;
    }
}

// The user data of an MP4 family file: 3GP's asset boxes and the item list.
void ReadUserData(std::string_view File, std::map<std::string, std::string>& Items) {
    ForEachBox(File, [&](const std::string& Type, std::string_view Moov) {
        if (Type != "moov")
            return;
        ForEachBox(Moov, [&](const std::string& Type, std::string_view Udta) {
            if (Type != "udta")
                return;
            ForEachBox(Udta, [&](const std::string& Type, std::string_view Body) {
                if (Type != "meta") { // a full box and a language, then the text
                    Items[Type] = WithoutEndingZeros(Body.substr(std::min<size_t>(6, Body.size())));
                    return;
                }
                ForEachBox(
                    Body.substr(std::min<size_t>(4, Body.size())),
                    [&](const std::string& Type, std::string_view Ilst) {
                        if (Type != "ilst")
                            return;
                        ForEachBox(Ilst, [&](const std::string& Item, std::string_view Data) {
                            const std::string Name =
                                Item[0] == '\xa9' ? "\xc2\xa9" + Item.substr(1) : Item;
                            ForEachBox(Data, [&](const std::string& Type, std::string_view Value) {
                                if (Type == "data") // its kind and locale, then the text
                                    Items[Name] = std::string(
                                        Value.substr(std::min<size_t>(8, Value.size())));
                            });
                        });
                    });
            });
        });
    });
}

} // namespace

std::map<std::string, std::string> ReadTagItems(const std::string& Path) {
    std::ifstream Stream(Path, std::ios::binary);
    const std::string File{std::istreambuf_iterator<char>(Stream), {}};
    std::map<std::string, std::string> Items;
    if (File.starts_with("ID3") && File.size() >= 10)
        ReadId3Frames(File, Items);
    else
        ReadUserData(File, Items);
    return Items;
}
