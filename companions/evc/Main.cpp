// evc.exe: the encoder Korvalin runs once per file. It reads the one-line
// script named after -i, converts the source it names with ffmpeg according to
// the command line, and reports progress as classic status lines, one about
// every 500 ms, each ended by a carriage return.
#include "EncoderCommand.h"
#include "FfmpegProcess.h"
#include "StatusText.h"

#include <csignal>
#include <unistd.h>

namespace {

void WriteOut(const std::string& Text) {
    const char* Data = Text.data();
    size_t Left = Text.size();
    while (Left > 0) {
        const ssize_t Written = write(STDOUT_FILENO, Data, Left);
        if (Written <= 0)
            return; // nobody reads any more: the conversion goes on regardless
        Data += Written;
        Left -= static_cast<size_t>(Written);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    std::signal(SIGPIPE, SIG_IGN);
    evc::TEncodeOptions Options;
    evc::TScriptSource Script;
    try {
        Options = evc::ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
        Script = evc::ReadScript(Options.ScriptFile);
    } catch (const evc::ECommandError& Error) {
        WriteOut(std::string("evc: ") + Error.what() + "\n");
        return 1;
    }

    WriteOut(evc::Description(Options, Script));
    const bool HasVideo = !Options.NoVideo;
    evc::TProgress Progress;
    long long ReportedTime = -1;
    const auto ReportProgress = [&] { // only when the conversion has moved on
        if (Progress.TimeMicroseconds > ReportedTime) {
            WriteOut(evc::StatusLine(Progress, HasVideo) + "\r");
            ReportedTime = Progress.TimeMicroseconds;
        }
    };
    const evc::TFfmpegResult Result = evc::RunFfmpeg(
        evc::FfmpegArguments(Options, Script),
        [&](const std::string& Line) { evc::ApplyProgressLine(Line, Progress); }, ReportProgress,
        500);

    WriteOut(evc::StatusLine(Progress, HasVideo) + "\n");
    if (Result.ExitCode != 0) {
        WriteOut("evc: conversion failed (ffmpeg exit code " + std::to_string(Result.ExitCode) +
                 ")\n" + Result.ErrorText);
        return Result.ExitCode;
    }
    WriteOut("evc: done\n");
    return 0;
}
