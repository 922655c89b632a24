// The version block of an ELF executable: the contents of its section
// ".korvalin_version".
#include "FileVersion.h"

#include <elf.h>

#include <algorithm>
#include <cstring>
#include <fstream>

namespace {

constexpr const char* SectionName = ".korvalin_version";
// Larger blocks are not ours; nothing sensible is that big.
constexpr Elf64_Xword LargestBlock = 64 * 1024;

bool ReadAt(std::ifstream& File, uint64_t Offset, void* Buffer, size_t Size) {
    File.clear();
    File.seekg(static_cast<std::streamoff>(Offset));
    return static_cast<bool>(
        File.read(static_cast<char*>(Buffer), static_cast<std::streamsize>(Size)));
}

} // namespace

std::optional<std::string> ReadVersionBlock(const std::string& Path) {
    std::ifstream File(Path, std::ios::binary);
    Elf64_Ehdr Header{};
    if (!File || !ReadAt(File, 0, &Header, sizeof Header) ||
        std::memcmp(Header.e_ident, ELFMAG, SELFMAG) != 0 ||
        Header.e_ident[EI_CLASS] != ELFCLASS64 || Header.e_shentsize != sizeof(Elf64_Shdr) ||
        Header.e_shstrndx >= Header.e_shnum)
        return std::nullopt;
    Elf64_Shdr Names{};
    if (!ReadAt(File, Header.e_shoff + uint64_t{Header.e_shstrndx} * sizeof(Elf64_Shdr), &Names,
                sizeof Names))
        return std::nullopt;
    for (uint16_t Index = 0; Index < Header.e_shnum; ++Index) {
        Elf64_Shdr Section{};
        char Name[32] = {};
        if (!ReadAt(File, Header.e_shoff + uint64_t{Index} * sizeof(Elf64_Shdr), &Section,
                    sizeof Section))
            return std::nullopt;
        if (Section.sh_name >= Names.sh_size ||
            !ReadAt(File, Names.sh_offset + Section.sh_name, Name,
                    std::min<uint64_t>(sizeof Name - 1, Names.sh_size - Section.sh_name)))
            continue;
        if (std::strcmp(Name, SectionName) != 0 || Section.sh_size > LargestBlock)
            continue;
        std::string Block(Section.sh_size, '\0');
        if (!ReadAt(File, Section.sh_offset, Block.data(), Block.size()))
            return std::nullopt;
        return Block;
    }
    return std::nullopt;
}
