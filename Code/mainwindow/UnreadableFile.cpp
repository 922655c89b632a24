#include "UnreadableFile.h"

#include "FileSystem.h"
#include "SourceRows.h"

namespace {

// What a name that was not valid text became on its way in: the replacement
// character, which names no file.
constexpr const char* ReplacementCharacter = "\xEF\xBF\xBD";

// RealMedia files begin ".RMF"; RealAudio files ".ra" and 0xFD.
bool StartsLikeRealMedia(const std::string& Path) {
    const std::string Magic = ReadFileStart(Path, 4);
    return Magic == ".RMF" || Magic == ".ra\xFD";
}

} // namespace

std::string UnreadableReason(const std::string& Path) {
    switch (PathKindOf(Path)) {
    case TPathKind::Missing:
        return Path.find(ReplacementCharacter) != std::string::npos
                   ? "the file's name is not valid text; rename it"
                   : "the file no longer exists";
    case TPathKind::Other:
        return "it is not a regular file";
    case TPathKind::RegularFile:
        break;
    }
    int64_t Size = 0;
    try {
        Size = FileSizeOf(Path);
    } catch (const std::exception& Error) {
        return Error.what();
    }
    if (Size == 0)
        return "the file is empty";
    return FormatFileSize(Size) + (StartsLikeRealMedia(Path)
                                       ? ": shorter than a second, or damaged or cut off"
                                       : ": not a RealMedia file");
}
