// evc.exe: the encoder Korvalin runs once per file. It reads the one-line
// script named after -i, converts the source it names with ffmpeg according to
// the command line, and reports progress as classic status lines, one about
// every 500 ms, each ended by a carriage return. It reads and writes only plain
// local files, and never writes over its source or its script.
#include "EncoderCommand.h"
#include "FfmpegProcess.h"
#include "LocalFile.h"
#include "OutputFile.h"
#include "StatusText.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
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

// The last non-empty line of Text after Lead, or nothing when Text has none.
std::string LastLineOf(const std::string& Text, const std::string& Lead) {
    const size_t End = Text.find_last_not_of("\r\n");
    if (End == std::string::npos)
        return {};
    const size_t Start = Text.find_last_of("\r\n", End) + 1; // 0 when it is the first line
    return Lead + Text.substr(Start, End + 1 - Start);
}

// Says why evc does not convert; the exit code for it.
int Refuse(const std::string& Reason) {
    WriteOut("evc: " + Reason + "\n");
    return 1;
}

bool Exists(const std::string& Path) {
    struct stat Info {};
    return lstat(Path.c_str(), &Info) == 0;
}

int Convert(const std::vector<std::string>& Arguments) {
    evc::TEncodeOptions Options;
    evc::TScriptSource Script;
    evc::TEncodeOptions Run;
    try {
        Options = evc::ParseArguments(Arguments);
        Script = evc::ReadScript(Options.ScriptFile);
        evc::RequireRegularSource(Script.SourceFile);
        Run = Options;
        Run.OutputFile = evc::PartialFileName(Options.OutputFile);
        Run.Overwrite = true;
        const std::vector<evc::TGuardedFile> Guarded = {{Script.SourceFile, "the source"},
                                                        {Options.ScriptFile, "the script"}};
        evc::RequireWritableTarget(Options.OutputFile, Guarded);
        evc::RequireWritableTarget(Run.OutputFile, Guarded);
    } catch (const evc::ECommandError& Error) {
        return Refuse(Error.what());
    }
    if (!Options.Overwrite && Exists(Options.OutputFile))
        return Refuse("'" + Options.OutputFile + "' already exists (-y overwrites it).");

    WriteOut(evc::Description(Options, Script));
    std::remove(Run.OutputFile.c_str()); // the leftover of a run that was killed
    try {
        evc::CreateNewFile(Run.OutputFile, Options.OutputFile);
    } catch (const evc::ECommandError& Error) {
        return Refuse(Error.what());
    }

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
        evc::FfmpegArguments(Run, Script),
        [&](const std::string& Line) { evc::ApplyProgressLine(Line, Progress); }, ReportProgress,
        500);
    WriteOut(evc::StatusLine(Progress, HasVideo) + "\n");

    std::string Failure;
    int ExitCode = 1;
    if (Result.ExitCode != 0) {
        // ffmpeg's last line says why, on evc's own line; all it wrote follows.
        Failure = "conversion failed (ffmpeg exit code " + std::to_string(Result.ExitCode) + ")" +
                  LastLineOf(Result.ErrorText, ": ") + "\n" + Result.ErrorText;
        ExitCode = Result.ExitCode;
    } else if (Progress.TimeMicroseconds < evc::LeastConvertedMicroseconds) {
        Failure = "nothing was converted: the source holds no media that can be decoded from "
                  "the chosen start on.\n";
    } else if (std::rename(Run.OutputFile.c_str(), Options.OutputFile.c_str()) != 0) {
        Failure = "cannot write '" + Options.OutputFile + "': " + std::strerror(errno) + "\n";
    }
    if (!Failure.empty()) {
        std::remove(Run.OutputFile.c_str());
        WriteOut("evc: " + Failure);
        return ExitCode;
    }
    WriteOut("evc: done\n");
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    std::signal(SIGPIPE, SIG_IGN);
    try {
        return Convert(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& Error) {
        WriteOut(std::string("evc: cannot go on: ") + Error.what() + "\n");
    } catch (...) {
        WriteOut("evc: cannot go on after an unexpected error.\n");
    }
    return 1;
}
