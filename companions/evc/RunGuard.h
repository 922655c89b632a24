#pragma once

#include <string>

namespace evc {

// Ends a run at once, its partial file removed first, when a signal asks evc
// to end (SIGTERM, SIGINT, SIGHUP) or when the program that started it is
// gone; ffmpeg is bound to evc and ends with it. The matching
// RunGuard_<platform>.cpp is chosen by the build.
class TRunGuard {
public:
    // Guards the run that writes PartialFile.
    explicit TRunGuard(const std::string& PartialFile);
    // The partial file has its output's name now, or is removed already.
    ~TRunGuard();
    TRunGuard(const TRunGuard&) = delete;
    TRunGuard& operator=(const TRunGuard&) = delete;

    // Ends evc when its starter is gone: standard input is a pipe that the
    // starter (Korvalin's window or korvalin-convert) holds open without ever
    // writing, so it closes exactly when that program ends, however it ends.
    // Called now and then while ffmpeg works.
    void EndIfStarterGone() const;
};

} // namespace evc
