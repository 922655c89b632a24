#include "LocalMedia.h"

#include "FileSystem.h"

namespace {

int AskInterrupted(void* Interrupted) {
    return (*static_cast<const std::function<bool()>*>(Interrupted))() ? 1 : 0;
}

} // namespace

TMediaInput OpenLocalMedia(const std::string& Path, const std::function<bool()>& Interrupted) {
    if (!IsRegularFile(Path))
        return {};
    AVFormatContext* Opened = avformat_alloc_context();
    if (!Opened)
        return {};
    Opened->interrupt_callback = {&AskInterrupted,
                                  const_cast<std::function<bool()>*>(&Interrupted)};
    AVDictionary* Options = nullptr;
    av_dict_set(&Options, "protocol_whitelist", "file", 0);
    const int Result = avformat_open_input(&Opened, ("file:" + Path).c_str(), nullptr, &Options);
    av_dict_free(&Options);
    return TMediaInput(Result == 0 ? Opened : nullptr); // a failed open frees the context
}
