#include "ConvertCommand.h"

#include "AdvanceSystem.h"
#include "AppFunc.h"
#include "ConvertPool.h"
#include "ConvertRequest.h"
#include "CustomProfiles.h"
#include "DurationProbe.h"
#include "Errors.h"
#include "OptionChoice.h"
#include "Processes.h"
#include "RunDisplay.h"
#include "SourceGathering.h"
#include "StrFunc.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <thread>
#include <unistd.h>
#include <unordered_set>

namespace fs = std::filesystem;

namespace {

// The versions evc.exe gives for itself and for ffmpeg; EUsageError when it
// is missing or does not answer.
void ReadEncoderVersions(const std::string& Encoder, TConversionEntry& Entry) {
    std::string Text;
    TRunEnd End;
    if (!IsExecutableFile(Encoder) ||
        !RunConsoleCommand(
            "\"" + Encoder + "\" -version", [&](const std::string& Piece) { Text += Piece; },
            &End) ||
        End.ExitCode != 0)
        throw EUsageError("the encoder " + Encoder + " is missing or cannot run");
    std::vector<std::string> Lines;
    SplitText(Text, '\n', Lines);
    Entry.EncoderVersion = Lines.empty() ? "" : Trim(Lines[0]);
    Entry.FfmpegVersion = Lines.size() < 2 ? "" : Trim(Lines[1]);
}

std::string ProfileTupleOf(const TConvertRequest& Request, const TAppFolders& Folders) {
    if (Request.Profile.empty())
        return {};
    const TCustomProfileStore Profiles(Folders.ConfigFolder());
    if (std::string Tuple = Profiles.Value(Request.Profile); !Tuple.empty())
        return Tuple;
    std::string Saved;
    for (const std::string& Name : Profiles.Names())
        Saved += (Saved.empty() ? "" : ", ") + Name;
    throw EUsageError("no custom profile is named '" + Request.Profile + "' in " +
                      Folders.ConfigFolder() + (Saved.empty() ? "" : "; saved: " + Saved));
}

std::vector<std::string> SourcesOfRequest(const TConvertRequest& Request) {
    std::vector<std::string> Sources = SourcesOf(Request.Inputs);
    if (Request.ListFile) {
        std::ifstream File;
        if (*Request.ListFile != "-") {
            File.open(*Request.ListFile);
            if (!File)
                throw EUsageError("cannot read the list " + *Request.ListFile);
        }
        const std::vector<std::string> Listed =
            PathsOfList(*Request.ListFile == "-" ? std::cin : File, Request.ListIndex);
        for (const std::string& Path : Listed)
            Sources.push_back(fs::absolute(Path).lexically_normal().string());
    }
    // A file named twice is converted once.
    std::unordered_set<std::string> Seen;
    std::erase_if(Sources, [&](const std::string& Path) { return !Seen.insert(Path).second; });
    if (Sources.empty())
        throw EUsageError("nothing to convert: no RealMedia file was named or found");
    return Sources;
}

// Makes the output folder (ending with the separator) when it is missing.
void MakeOutputFolder(const std::string& Folder) {
    std::error_code Error;
    fs::create_directories(Folder, Error);
    if (!fs::is_directory(Folder, Error))
        throw EUsageError("cannot make the output folder " + Folder);
}

// Refuses a record that cannot be written, and makes nothing: a record that
// exists must be writable, and so must a new one's folder, unless that is
// the output folder still to be made.
void RequireWritable(const std::string& RecordFile, const std::string& OutputFolder) {
    const fs::path Folder = fs::absolute(RecordFile).lexically_normal().parent_path() / "";
    std::error_code Error;
    const bool Writable = fs::exists(RecordFile, Error) ? access(RecordFile.c_str(), W_OK) == 0
                          : fs::exists(Folder, Error)   ? access(Folder.c_str(), W_OK) == 0
                                                        : Folder == OutputFolder;
    if (!Writable)
        throw EUsageError("cannot write the record " + RecordFile);
}

std::string HostName() {
    char Name[256] = {};
    return gethostname(Name, sizeof Name - 1) == 0 ? Name : "";
}

// A folder of this run's own for the jobs' scripts, removed at the end.
class TWorkFolder {
public:
    TWorkFolder() {
        const char* Temp = std::getenv("TMPDIR");
        std::string Pattern =
            std::string(Temp && *Temp ? Temp : "/tmp") + "/korvalin-convert-XXXXXX";
        if (!mkdtemp(Pattern.data()))
            throw EUsageError("cannot make a temporary folder in " + Pattern);
        Path = Pattern + "/";
    }
    ~TWorkFolder() {
        std::error_code Error;
        fs::remove_all(Path, Error);
    }
    std::string Path;
};

std::string Summary(const TRunTotals& Totals) {
    return std::to_string(Totals.Converted) + " converted, " + std::to_string(Totals.Skipped) +
           " already done, " + std::to_string(Totals.Incomplete) + " incomplete, " +
           std::to_string(Totals.Failed) + " failed" +
           (Totals.Stopped ? ", " + std::to_string(Totals.Stopped) + " stopped" : "");
}

} // namespace

int RunConvertCommand(const std::vector<std::string>& Arguments, std::ostream& Out,
                      std::ostream& Err, int TerminalColumns, const std::atomic<int>& StopSignal) {
    TRunSettings Settings;
    TConvertRequest Request;
    std::vector<std::string> Sources;
    std::string RecordFile;
    std::optional<TWorkFolder> Work;
    try {
        Request = ParseConvertArguments(Arguments);
        if (Request.ShowHelp) {
            Out << ConvertUsage();
            return 0;
        }
        const TAppFolders Folders = ChooseAppFolders(TAppFunc().AppFolder(), UserDataFolder());
        Settings.Entry.ConverterVersion = "korvalin-convert " KORVALIN_VERSION;
        ReadEncoderVersions(Folders.ProgramFile("evc.exe"), Settings.Entry);
        if (Request.ShowVersion) {
            Out << Settings.Entry.ConverterVersion << "\n"
                << Settings.Entry.EncoderVersion << "\n"
                << Settings.Entry.FfmpegVersion << "\n";
            return 0;
        }
        Settings.Options = SelectionOf(Request, ProfileTupleOf(Request, Folders));
        Sources = SourcesOfRequest(Request);
        Settings.ProgramFolder = Folders.ProgramFolder;
        Settings.OutputFolder =
            (fs::absolute(Request.OutputFolder).lexically_normal() / "").string();
        RecordFile = Request.RecordFile.empty() ? Settings.OutputFolder + "korvalin-convert.jsonl"
                                                : Request.RecordFile;
        RequireWritable(RecordFile, Settings.OutputFolder);
        Work.emplace();
        MakeOutputFolder(Settings.OutputFolder); // the first of the user's files touched
    } catch (const EUsageError& Error) {
        Err << "korvalin-convert: " << Error.what() << "\nTry 'korvalin-convert --help'.\n";
        return 2;
    } catch (const EConvertError& Error) { // a stored profile that is not one
        Err << "korvalin-convert: the profile '" << Request.Profile
            << "' is damaged: " << Error.what() << "\n";
        return 2;
    }
    Settings.StartTime = Request.StartTime;
    Settings.EndTime = Request.EndTime;
    Settings.Entry.Host = HostName();
    Settings.Entry.Type = Request.TypeName;
    for (const TOptionField& Field : OptionFields())
        Settings.Entry.Options.emplace_back(Field.Name, EntryWord(Settings.Options.*Field.Field));

    const int Jobs = Request.Jobs > 0
                         ? Request.Jobs
                         : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const TRecordIndex Done = TRecordIndex::Load(RecordFile, Sources);
    const TMediaDurationProber Prober;
    TRunTotals Totals;
    {
        const std::unique_ptr<IJobProgress> Display =
            MakeRunDisplay(Request.Progress, Out, TerminalColumns,
                           std::min<int>(Jobs, static_cast<int>(Sources.size())), Sources.size());
        Totals = TConvertPool(Settings, Done, RecordFile, Prober, *Display)
                     .Run(Sources, Jobs, Work->Path, StopSignal);
    }
    if (Request.Progress != TProgressStyle::Json && Request.Progress != TProgressStyle::None)
        Out << Summary(Totals) << "; recorded in " << RecordFile << std::endl;
    if (StopSignal != 0)
        return 128 + StopSignal;
    return Totals.Failed + Totals.Incomplete > 0 ? 1 : 0;
}
