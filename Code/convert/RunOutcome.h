#pragma once

#include "AdvanceSystem.h"

#include <functional>
#include <string>

// What one encoder run made of its file, in words a user reads.
struct TRunOutcome {
    enum class TKind { Converted, Incomplete, Failed };
    TKind Kind = TKind::Failed;
    // The output as it was finally named: the command's last word, unless the
    // encoder had to take the next free name meanwhile.
    std::string Output;
    // Why the file did not come out whole; empty when it did.
    std::string Reason;
};

// Judges a run of Command (the encoder command line) by its end: the encoder
// could not start, failed with its reason, kept what it could read of a
// source that ends early, or left its output, which must be a regular file.
TRunOutcome JudgeRun(const TRunEnd& Run, const std::string& Command,
                     const std::function<bool(const std::string& Path)>& FileExists);
