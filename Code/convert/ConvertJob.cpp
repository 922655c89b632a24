#include "ConvertJob.h"

#include "AdvanceSystem.h"
#include "AppFunc.h"
#include "DurationProbe.h"
#include "EvcContract.h"
#include "FileFunc.h"
#include "FileSystem.h"
#include "OutputFile.h"
#include "ProgressRules.h"
#include "RunOutcome.h"
#include "SourceRows.h"
#include "UnreadableFile.h"

#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>

namespace {

void Fail(TConversionEntry& Entry, const std::string& Reason) {
    Entry.Outcome = "failed";
    Entry.Reason = Reason;
}

// The encoder's notes on a run that are news to the record: damage it passed
// over, say; the output's name is recorded already.
std::string NotesOf(const TRunEnd& End) {
    std::string Notes;
    for (const std::string& Note : End.EncoderNotes)
        if (!Note.starts_with(evc::RenamedOutputLead))
            Notes += (Notes.empty() ? "" : "; ") + Note;
    return Notes;
}

// Whether the path names a file directly in the folder (ending with the separator).
bool InFolder(const std::string& Path, const std::string& Folder) {
    const std::filesystem::path File(Path);
    return File.is_absolute() && File.lexically_normal().parent_path() / "" == Folder;
}

std::string ScriptText(const std::string& ScriptFile) {
    std::ifstream Script(ScriptFile);
    std::string Line;
    std::getline(Script, Line);
    if (Line.ends_with('\r'))
        Line.pop_back();
    return Line;
}

// A run that a signal ended, ours or one sent to the encoder directly, as a
// cluster's scheduler does when it cancels a job.
bool EndedBySignal(const TRunEnd& End, const TRunControl& Control,
                   const std::atomic<int>& StopSignal) {
    return Control.EndRequested() || StopSignal != 0 || End.ExitCode == 128 + SIGTERM ||
           End.ExitCode == 128 + SIGINT;
}

// The current time in UTC as 2026-12-11T13:45:07Z.
std::string UtcTimeText() {
    const std::time_t Now = std::time(nullptr);
    std::tm Utc{};
    gmtime_r(&Now, &Utc);
    char Text[32];
    std::strftime(Text, sizeof Text, "%Y-%m-%dT%H:%M:%SZ", &Utc);
    return Text;
}

} // namespace

TConvertJob::TConvertJob(int Number, const TRunSettings& Settings, const TRecordIndex& Done,
                         std::string JobFolder, const TMediaDurationProber& Prober,
                         IJobProgress& Progress, const std::atomic<int>& StopSignal)
    : Number(Number), Settings(Settings), Done(Done), JobFolder(std::move(JobFolder)),
      Prober(Prober), Progress(Progress), StopSignal(StopSignal) {}

TConversionEntry TConvertJob::Convert(const std::string& Source, TRunControl& Control) const {
    TConversionEntry Entry = Settings.Entry;
    Entry.Started = UtcTimeText();
    Entry.Source = std::filesystem::absolute(Source).lexically_normal().string();
    if (ReadSource(Entry)) {
        const TRecordIndex::TMade* Made = Done.Find(Entry.Source, SettingsKey(Entry));
        const bool Ours =
            Made && Made->SourceSize == Entry.SourceDigest->Size &&
            TRecordIndex::SameSha256(Made->SourceSha256, Entry.SourceDigest->Sha256) &&
            InFolder(Made->Output, Settings.OutputFolder);
        const std::optional<TFileDigest> Output = Ours ? DigestFile(Made->Output) : std::nullopt;
        const bool OutputUnchanged =
            Output && TRecordIndex::SameSha256(Made->OutputSha256, Output->Sha256);
        if (OutputUnchanged && Made->Complete) {
            Entry.Outcome = "skipped";
            Entry.Reason = "already converted with the same settings";
            Entry.Output = Made->Output;
            Entry.OutputDigest = Output;
            Entry.OutputSeconds =
                static_cast<double>(Prober.ProbeMilliseconds(Made->Output)) / 1000;
        } else {
            Run(Entry, Control);
            // What an earlier run could read of the source gives way to a new output.
            std::error_code Ignored; // a file that stays only costs its name
            if (OutputUnchanged && !Entry.Output.empty() && Entry.Output != Made->Output)
                std::filesystem::remove(Made->Output, Ignored);
        }
    }
    Entry.Ended = UtcTimeText();
    return Entry;
}

bool TConvertJob::ReadSource(TConversionEntry& Entry) const {
    if (const TPathKind Kind = PathKindOf(Entry.Source); Kind != TPathKind::RegularFile) {
        Fail(Entry,
             Kind == TPathKind::Missing ? "the file does not exist" : "it is not a regular file");
        return false;
    }
    Entry.SourceDigest = DigestFile(Entry.Source);
    const int64_t Milliseconds = Prober.ProbeMilliseconds(Entry.Source);
    if (!Entry.SourceDigest || Milliseconds <= 0) {
        Fail(Entry, UnreadableReason(Entry.Source));
        return false;
    }
    Entry.SourceSeconds = static_cast<double>(Milliseconds) / 1000;
    // The window's rule: a source's end is its length in whole seconds.
    const std::string SourceEnd = FormatDuration(Milliseconds / 1000);
    Entry.StartTime = Settings.StartTime.empty() ? "00:00:00" : Settings.StartTime;
    Entry.EndTime = Settings.EndTime.empty() ||
                            SecondsOfTimeText(Settings.EndTime) > SecondsOfTimeText(SourceEnd)
                        ? SourceEnd
                        : Settings.EndTime;
    if (SecondsOfTimeText(Entry.EndTime) <= SecondsOfTimeText(Entry.StartTime)) {
        Fail(Entry, "nothing to convert: the end time " + Entry.EndTime +
                        " is not after the start time " + Entry.StartTime);
        return false;
    }
    return true;
}

void TConvertJob::Run(TConversionEntry& Entry, TRunControl& Control) const {
    const TAppFunc JobApp(TAppFolders(Settings.ProgramFolder, JobFolder));
    TFileFunc FileFunc;
    const TSourceRow Row{Entry.Source, Entry.StartTime, Entry.EndTime};
    const TConvertInputs Inputs{
        {&Row, 1}, Settings.OutputFolder, {}, [this] { return Settings.Options; }};
    TConvertParameters Params;
    TTrimValues Trim;
    try {
        Entry.Command =
            CreateConvertParameter(Entry.Source, Inputs, {JobApp, FileFunc}, Params, Trim);
    } catch (const std::exception& Error) {
        Fail(Entry, Error.what());
        return;
    }
    Entry.Script = ScriptText(JobApp.Folders().ScriptFile());
    Progress.Started(Number, Entry.Source, static_cast<double>(CutSecondsOf(Row)));
    TRunEnd End;
    End.Started = RunConsoleCommand(
        Entry.Command,
        [&](const std::string& Text) {
            if (const auto Seconds = ReportedSeconds(Text, Params.CodecParam, Params.OutputExt))
                Progress.Position(Number, *Seconds);
        },
        &End, &Control);
    const TRunOutcome Outcome = JudgeRun(End, Entry.Command, &IsRegularFile);
    if (Outcome.Kind == TRunOutcome::TKind::Failed && EndedBySignal(End, Control, StopSignal)) {
        evc::RemoveStalePartialFiles(Params.OutputFolder);
        Entry.Outcome = "stopped";
        Entry.Reason = "stopped before the end; nothing was kept";
        return;
    }
    if (Outcome.Kind == TRunOutcome::TKind::Failed) {
        Fail(Entry, Outcome.Reason);
        return;
    }
    Entry.Outcome = Outcome.Kind == TRunOutcome::TKind::Converted ? "converted" : "incomplete";
    const std::string Notes = NotesOf(End);
    Entry.Reason = Outcome.Reason + (Outcome.Reason.empty() || Notes.empty() ? "" : "; ") + Notes;
    Entry.Output = Outcome.Output;
    Entry.OutputDigest = DigestFile(Entry.Output);
    Entry.OutputSeconds = static_cast<double>(Prober.ProbeMilliseconds(Entry.Output)) / 1000;
}
