#include "SourceHeader.h"

#include <algorithm>

extern "C" {
#include <libavformat/avformat.h>
}

namespace evc {

TSourceHeader ReadSourceHeader(const std::string& SourceFile) {
    TSourceHeader Header;
    AVDictionary* Options = nullptr;
    av_dict_set(&Options, "protocol_whitelist", "file", 0); // as the conversion reads it
    AVFormatContext* Format = nullptr;
    const int Opened =
        avformat_open_input(&Format, ("file:" + SourceFile).c_str(), nullptr, &Options);
    av_dict_free(&Options);
    if (Opened < 0)
        return Header;
    if (Format->duration != AV_NOPTS_VALUE && Format->duration > 0)
        Header.DurationSeconds = static_cast<double>(Format->duration) / AV_TIME_BASE;
    for (const AVDictionaryEntry* Tag = nullptr;
         (Tag = av_dict_get(Format->metadata, "", Tag, AV_DICT_IGNORE_SUFFIX));) {
        std::string Key = Tag->key;
        std::transform(Key.begin(), Key.end(), Key.begin(),
                       [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
        if (*Tag->value)
            Header.Tags.emplace(Key, Tag->value);
    }
    avformat_close_input(&Format);
    return Header;
}

} // namespace evc
