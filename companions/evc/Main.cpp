// evc.exe: the encoder Korvalin runs once per file. It reads the one-line
// script named after -i, converts the source it names with ffmpeg according to
// the command line, and reports progress as classic status lines, one about
// every 500 ms, each ended by a carriage return. It reads and writes only plain
// local files, and never writes over its source, its script or a file that
// took the output's name while it converted: the output then takes the next
// free name, and evc says which.
#include "EncoderCommand.h"
#include "EvcContract.h"
#include "FfmpegProcess.h"
#include "FileFunc.h"
#include "Id3Comment.h"
#include "LocalFile.h"
#include "OutputFile.h"
#include "RunGuard.h"
#include "RunReport.h"
#include "SourceHeader.h"
#include "StatusText.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <system_error>
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
    if (Arguments == std::vector<std::string>{"-version"}) { // for a record of a conversion
        WriteOut("evc.exe " KORVALIN_VERSION "\n" + evc::FfmpegVersion() + "\n");
        return 0;
    }
    evc::TEncodeOptions Options;
    evc::TScriptSource Script;
    try {
        Options = evc::ParseArguments(Arguments);
        Script = evc::ReadScript(Options.ScriptFile);
        evc::RequireRegularSource(Script.SourceFile);
        evc::RequireWritableTarget(Options.OutputFile, {{Script.SourceFile, "the source"},
                                                        {Options.ScriptFile, "the script"}});
    } catch (const evc::ECommandError& Error) {
        return Refuse(Error.what());
    }
    if (!Options.Overwrite && Exists(Options.OutputFile))
        return Refuse("'" + Options.OutputFile +
                      "' already exists (with -y the output takes the next free name).");

    WriteOut(evc::Description(Options, Script));
    evc::RemoveStalePartialFiles(
        TFileFunc().FileFolder(Options.OutputFile)); // what killed runs left
    std::optional<evc::TPartialFile> Partial;
    try {
        Partial.emplace(Options.OutputFile);
    } catch (const std::system_error& Error) {
        return Refuse("Cannot write '" + Options.OutputFile + "': " + Error.code().message() + ".");
    }
    const evc::TRunGuard Guard(Partial->Path());
    evc::TEncodeOptions Run = Options;
    Run.OutputFile = Partial->Path();
    Run.Overwrite = true;
    const evc::TSourceHeader Header = evc::ReadSourceHeader(Script.SourceFile);

    const bool HasVideo = !Options.NoVideo;
    evc::TProgress Progress;
    evc::TDamageCounter Damage;
    long long ReportedTime = -1;
    const auto ReportProgress = [&] { // only when the conversion has moved on
        Guard.EndIfStarterGone();
        if (Progress.TimeMicroseconds > ReportedTime) {
            WriteOut(evc::StatusLine(Progress, HasVideo) + "\r");
            ReportedTime = Progress.TimeMicroseconds;
        }
    };
    const evc::TFfmpegResult Result = evc::RunFfmpeg(
        evc::FfmpegArguments(Run, Script, Header.Tags),
        [&](const std::string& Line) { evc::ApplyProgressLine(Line, Progress); },
        [&](const std::string& Line) { Damage.AddErrorLine(Line, Progress.TimeMicroseconds); },
        ReportProgress, 500);
    WriteOut(evc::StatusLine(Progress, HasVideo) + "\n");

    if (Result.ExitCode != 0) { // ffmpeg's own words follow evc's line
        WriteOut("evc: " + evc::FailureReason(Result, Options.OutputFile, Partial->Path()) + "\n" +
                 Result.ErrorText);
        return Result.ExitCode == evc::IncompleteExitCode ? 1 : Result.ExitCode;
    }
    if (Progress.TimeMicroseconds < evc::LeastConvertedMicroseconds)
        return Refuse("nothing was converted: the source holds no media that can be decoded "
                      "from the chosen start on.");
    evc::MoveCommentToCommFrame(Partial->Path());
    std::string Output;
    try {
        Output = Partial->Publish();
    } catch (const std::system_error& Error) {
        return Refuse("Cannot write '" + Options.OutputFile + "': " + Error.code().message() + ".");
    }
    if (Output != Options.OutputFile)
        WriteOut(std::string("evc: ") + evc::RenamedOutputLead + Output + "\n");
    if (Damage.Places() > 0)
        WriteOut("evc: " + std::to_string(Damage.Places()) + evc::DamagedPlacesTail + "\n");

    const double Got = static_cast<double>(Progress.TimeMicroseconds) / 1e6;
    const std::optional<double> Expected = evc::ExpectedSeconds(
        Options, Options.NoVideo ? Header.SoundSeconds : Header.DurationSeconds);
    if (const std::string Report = Expected ? evc::IncompleteReport(Options, *Expected, Got) : "";
        !Report.empty()) {
        WriteOut("evc: " + Report + "\n");
        return evc::IncompleteExitCode;
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
