#include "Id3Comment.h"

#include <cstdint>
#include <fstream>
#include <vector>

namespace evc {
namespace {

using TBytes = std::vector<unsigned char>;

// ffmpeg's tag holds text frames only; a larger tag is none of its making.
constexpr uint32_t MaxTagBytes = 1 << 20;

uint32_t ReadSize(const unsigned char* At, bool SyncSafe) {
    uint32_t Size = 0;
    for (int I = 0; I < 4; ++I)
        Size = SyncSafe ? Size << 7 | (At[I] & 0x7f) : Size << 8 | At[I];
    return Size;
}

void WriteSize(unsigned char* At, uint32_t Size, bool SyncSafe) {
    for (int I = 3; I >= 0; --I, Size >>= SyncSafe ? 7 : 8)
        At[I] = static_cast<unsigned char>(SyncSafe ? Size & 0x7f : Size & 0xff);
}

// The COMM body for a TXXX body named "comment" in a one-byte encoding
// (ISO-8859-1 or UTF-8); empty when the frame is anything else.
TBytes CommentBody(const TBytes& Txxx) {
    static const std::string Name = "comment";
    if (Txxx.size() < Name.size() + 2 || (Txxx[0] != 0 && Txxx[0] != 3) ||
        !std::equal(Name.begin(), Name.end(), Txxx.begin() + 1) || Txxx[Name.size() + 1] != 0)
        return {};
    TBytes Comm = {Txxx[0], 'X', 'X', 'X', 0}; // language unknown, no description
    Comm.insert(Comm.end(), Txxx.begin() + static_cast<long>(Name.size()) + 2, Txxx.end());
    return Comm;
}

void AppendFrame(TBytes& Tag, const std::string& Id, const TBytes& Body, const unsigned char* Flags,
                 bool SyncSafe) {
    unsigned char Header[10] = {0, 0, 0, 0, 0, 0, 0, 0, Flags[0], Flags[1]};
    std::copy(Id.begin(), Id.end(), Header);
    WriteSize(Header + 4, static_cast<uint32_t>(Body.size()), SyncSafe);
    Tag.insert(Tag.end(), Header, Header + 10);
    Tag.insert(Tag.end(), Body.begin(), Body.end());
}

} // namespace

void MoveCommentToCommFrame(const std::string& File) {
    std::fstream Stream(File, std::ios::in | std::ios::out | std::ios::binary);
    unsigned char Header[10];
    if (!Stream.read(reinterpret_cast<char*>(Header), sizeof Header) ||
        std::string(Header, Header + 3) != "ID3" || (Header[3] != 3 && Header[3] != 4) ||
        Header[5] != 0)
        return; // none, another version, or flags (unsynchronisation, extended header)
    const bool SyncSafeFrames = Header[3] == 4;
    const uint32_t TagSize = ReadSize(Header + 6, true);
    if (TagSize > MaxTagBytes)
        return;
    TBytes Tag(TagSize);
    if (!Stream.read(reinterpret_cast<char*>(Tag.data()), static_cast<long>(Tag.size())))
        return;

    TBytes Rewritten;
    bool Changed = false;
    for (size_t At = 0; At + 10 <= Tag.size() && Tag[At] != 0;) {
        const uint32_t Size = ReadSize(&Tag[At + 4], SyncSafeFrames);
        if (Size > Tag.size() - At - 10)
            return; // a tag that does not add up is not touched
        const auto Start = Tag.begin() + static_cast<long>(At);
        const std::string Id(Start, Start + 4);
        const TBytes Body(Start + 10, Start + 10 + Size);
        const TBytes Comment = Id == "TXXX" ? CommentBody(Body) : TBytes();
        const bool IsComment = !Comment.empty();
        AppendFrame(Rewritten, IsComment ? "COMM" : Id, IsComment ? Comment : Body, &Tag[At + 8],
                    SyncSafeFrames);
        Changed = Changed || IsComment;
        At += 10 + Size;
    }
    if (!Changed || Rewritten.size() > Tag.size())
        return;
    Rewritten.resize(Tag.size(), 0); // the rest is padding
    Stream.seekp(sizeof Header);
    Stream.write(reinterpret_cast<const char*>(Rewritten.data()),
                 static_cast<long>(Rewritten.size()));
}

} // namespace evc
