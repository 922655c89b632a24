#pragma once

#include <string>

namespace evc {

// Ends a run at once, its partial file removed first, when a signal asks evc
// to end (SIGTERM, SIGINT, SIGHUP; one that evc was started to ignore stays
// ignored) or when the program that started it is gone; ffmpeg is bound to
// evc and ends with it. The matching RunGuard_<platform>.cpp is chosen by the
// build.
class TRunGuard {
public:
    // Guards the run that writes PartialFile.
    explicit TRunGuard(const std::string& PartialFile);
    // Hands the partial file back to its owner, which publishes or removes
    // it, and the signals back to what they did before.
    ~TRunGuard();
    TRunGuard(const TRunGuard&) = delete;
    TRunGuard& operator=(const TRunGuard&) = delete;

    // Ends evc when its starter is gone. A starter that asks for this in the
    // environment (Korvalin's window, korvalin-convert) holds evc's standard
    // input, a pipe, open without ever writing, so the pipe closes exactly
    // when that program ends, however it ends. Called now and then while
    // ffmpeg works.
    void EndIfStarterGone() const;

private:
    bool WatchStarter = false; // asked for, and standard input is a pipe
};

} // namespace evc
