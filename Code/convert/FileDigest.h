#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A file's size and SHA-256, as a record of what was converted keeps them.
struct TFileDigest {
    uint64_t Size = 0;
    std::string Sha256; // 64 lower-case hexadecimal digits
};

// Reads the whole file; nothing when it cannot be opened or read to its end.
std::optional<TFileDigest> DigestFile(const std::string& Path);
