#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// Finds out how long a media file plays. The program probes in process with
// FFmpeg's libraries; window tests put a fake in its place. Probing may run on
// any thread.
class IDurationProber {
public:
    virtual ~IDurationProber() = default;
    // Whole seconds, the remainder dropped; 0 when the file cannot be played:
    // it does not open, or it holds no media of an audio or video stream that
    // has a decoder (a header alone, say).
    virtual int32_t ProbeDuration(const std::string& Path) const = 0;
};

// Probes only regular files on this machine, and gives up on a file that takes
// longer than TimeLimit, as on a network share that stopped answering.
class TMediaDurationProber : public IDurationProber {
public:
    explicit TMediaDurationProber(std::chrono::milliseconds TimeLimit = std::chrono::seconds(5));
    int32_t ProbeDuration(const std::string& Path) const override;
    // The same in milliseconds, for a record of what a file holds.
    int64_t ProbeMilliseconds(const std::string& Path) const;

private:
    const std::chrono::milliseconds TimeLimit;
};
