#include "FileDigest.h"

extern "C" {
#include <libavutil/mem.h>
#include <libavutil/sha.h>
}

#include <array>
#include <fstream>
#include <memory>

namespace {

struct TShaFreer {
    void operator()(AVSHA* Context) const { av_free(Context); }
};

} // namespace

std::optional<TFileDigest> DigestFile(const std::string& Path) {
    std::ifstream File(Path, std::ios::binary);
    const std::unique_ptr<AVSHA, TShaFreer> Sha(av_sha_alloc());
    if (!File || !Sha || av_sha_init(Sha.get(), 256) != 0)
        return std::nullopt;
    TFileDigest Digest;
    std::array<char, 1 << 16> Buffer;
    while (File.read(Buffer.data(), Buffer.size()) || File.gcount() > 0) {
        const auto Count = static_cast<size_t>(File.gcount());
        av_sha_update(Sha.get(), reinterpret_cast<const uint8_t*>(Buffer.data()), Count);
        Digest.Size += Count;
    }
    if (File.bad())
        return std::nullopt;
    std::array<uint8_t, 32> Hash;
    av_sha_final(Sha.get(), Hash.data());
    static constexpr char Hex[] = "0123456789abcdef";
    for (const uint8_t Byte : Hash) {
        Digest.Sha256 += Hex[Byte >> 4];
        Digest.Sha256 += Hex[Byte & 15];
    }
    return Digest;
}
