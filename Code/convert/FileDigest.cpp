#include "FileDigest.h"

#include <openssl/evp.h>

#include <array>
#include <fstream>
#include <memory>

namespace {

struct TDigestFreer {
    void operator()(EVP_MD_CTX* Context) const { EVP_MD_CTX_free(Context); }
};

} // namespace

std::optional<TFileDigest> DigestFile(const std::string& Path) {
    std::ifstream File(Path, std::ios::binary);
    // OpenSSL's SHA-256 uses the processor's SHA instructions where it has them.
    const std::unique_ptr<EVP_MD_CTX, TDigestFreer> Sha(EVP_MD_CTX_new());
    if (!File || !Sha || EVP_DigestInit_ex(Sha.get(), EVP_sha256(), nullptr) != 1)
        return std::nullopt;
    TFileDigest Digest;
    std::array<char, 1 << 16> Buffer;
    while (File.read(Buffer.data(), Buffer.size()) || File.gcount() > 0) {
        const auto Count = static_cast<size_t>(File.gcount());
        if (EVP_DigestUpdate(Sha.get(), Buffer.data(), Count) != 1)
            return std::nullopt;
        Digest.Size += Count;
    }
    std::array<unsigned char, EVP_MAX_MD_SIZE> Hash;
    unsigned int HashSize = 0;
    if (File.bad() || EVP_DigestFinal_ex(Sha.get(), Hash.data(), &HashSize) != 1)
        return std::nullopt;
    static constexpr char Hex[] = "0123456789abcdef";
    for (unsigned int Index = 0; Index < HashSize; ++Index) {
        Digest.Sha256 += Hex[Hash[Index] >> 4];
        Digest.Sha256 += Hex[Hash[Index] & 15];
    }
    return Digest;
}
