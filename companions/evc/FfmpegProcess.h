#pragma once

#include <functional>
#include <string>
#include <vector>

namespace evc {

struct TFfmpegResult {
    int ExitCode = 0;      // 0 on success
    std::string ErrorText; // what ffmpeg wrote to its standard error
};

// Runs ffmpeg (Arguments[0] is looked up on the PATH) with no standard input,
// hands every line of its standard output to OnLine and of its standard error
// to OnErrorLine (which may be empty), calls OnTick every
// TickMilliseconds while it runs, and returns when it has ended. ffmpeg dies
// with this process if this process is killed.
TFfmpegResult RunFfmpeg(const std::vector<std::string>& Arguments,
                        const std::function<void(const std::string&)>& OnLine,
                        const std::function<void(const std::string&)>& OnErrorLine,
                        const std::function<void()>& OnTick, int TickMilliseconds);

} // namespace evc
