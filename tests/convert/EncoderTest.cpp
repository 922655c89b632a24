// evc.exe end to end: the command Korvalin builds, run on generated RealMedia
// files, must give files with exactly the options asked for and status text
// that Korvalin can read.
#include "AppFunc.h"
#include "ChildProcess.h"
#include "CommandLine.h"
#include "ConvertParameter.h"
#include "EvcContract.h"
#include "FfmpegProcess.h"
#include "FileFunc.h"
#include "MediaProbe.h"
#include "OutputFile.h"
#include "PresetSelection.h"
#include "ResourceLimit.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <set>
#include <thread>

using testing::HasSubstr;

namespace {

const std::string Media = KORVALIN_TEST_MEDIA;

// Elapsed seconds in a status text, read the way the progress window reads it.
double ElapsedSecondsOf(const std::string& Status, bool AudioOnly) {
    const std::vector<std::string> Fields = SplitString(Status, '=');
    const size_t Field = AudioOnly ? 2 : 4;
    return Fields.size() > Field ? ExtractNumber(Fields[Field].substr(0, Fields[Field].find('.')))
                                 : -1;
}

class Encoder : public testing::Test {
protected:
    Encoder() {
        std::filesystem::create_directory(App);
        std::filesystem::create_symlink(EVC_PROGRAM, App + "evc.exe");
    }

    // The command for the source with the type's preset at the given quality.
    std::string CommandFor(const std::string& Source, int OutputType, int Quality,
                           std::vector<TSourceRow> Rows) {
        const TConvertInputs Inputs{
            Rows, Temp.Path("out"), {}, [=] { return PresetSelection(OutputType, Quality); }};
        return CreateConvertParameter(Source, Inputs, {AppFunc, FileFunc}, Params, TrimValues);
    }
    std::string OutputPath(const std::string& Command) const {
        return SplitCommandLine(Command).back();
    }

    TTempFolder Temp;
    const std::string App = Temp.Path("app/");
    TAppFunc AppFunc{App};
    TFileFunc FileFunc;
    TConvertParameters Params;
    TTrimValues TrimValues;
};

struct TConversionCase {
    int OutputType, Quality;
    const char* Source;
    const char* Brand; // of the MP4 family, or the demuxer for MP3
    int Width, Height;
    double FrameRate;
    int SampleRate, Channels;
    friend void PrintTo(const TConversionCase& Case, std::ostream* Out) {
        *Out << "type " << Case.OutputType << " quality " << Case.Quality;
    }
};

class Conversion : public Encoder, public testing::WithParamInterface<TConversionCase> {};

TEST_P(Conversion, OutputHasEveryPropertyTheCommandAskedFor) {
    const TConversionCase& Case = GetParam();
    const std::string Source = Media + Case.Source;
    const std::string Command =
        CommandFor(Source, Case.OutputType, Case.Quality, {{Source, "00:00:01", "00:00:04"}});
    const TChildResult Run = RunChild(SplitCommandLine(Command));
    ASSERT_EQ(Run.ExitCode, 0) << Command << "\n" << Run.Output;

    const TMediaInfo Info = ProbeMedia(OutputPath(Command));
    ASSERT_TRUE(Info.Opened) << OutputPath(Command);
    EXPECT_NEAR(Info.Duration, 3.0, 0.5);
    EXPECT_EQ(Info.SampleRate, Case.SampleRate);
    EXPECT_EQ(Info.Channels, Case.Channels);
    if (Case.OutputType == 4) {
        EXPECT_EQ(Info.Demuxer, Case.Brand);
        EXPECT_EQ(Info.AudioCodec, "mp3");
        EXPECT_EQ(Info.VideoCodec, "");
        return;
    }
    EXPECT_THAT(Info.Brand, testing::StartsWith(Case.Brand));
    EXPECT_EQ(Info.AudioCodec, "aac");
    EXPECT_EQ(Info.AudioProfile, "LC");
    if (Case.OutputType == 5) { // for browsers: plain H.264, its index ahead of its data
        EXPECT_EQ(Info.VideoCodec, "h264");
        EXPECT_EQ(Info.PixelFormat, "yuv420p");
        EXPECT_EQ(Info.VideoProfile, "Main");
        EXPECT_LE(Info.VideoLevel, 31);
        const std::vector<std::string> Boxes = TopLevelBoxes(OutputPath(Command));
        EXPECT_LT(std::find(Boxes.begin(), Boxes.end(), "moov"),
                  std::find(Boxes.begin(), Boxes.end(), "mdat"))
            << testing::PrintToString(Boxes);
    } else {
        EXPECT_EQ(Info.VideoCodec, "mpeg4");
    }
    EXPECT_EQ(Info.Width, Case.Width);
    EXPECT_EQ(Info.Height, Case.Height);
    EXPECT_NEAR(Info.FrameRate, Case.FrameRate, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    EveryOutputType, Conversion,
    testing::Values(TConversionCase{0, 0, "clip_rv20_ac3.rm", "3gp", 176, 144, 11, 22050, 1},
                    TConversionCase{0, 4, "clip_rv10_ac3.rm", "3gp", 176, 144, 15, 48000, 2},
                    TConversionCase{1, 1, "clip_rv10_ac3.rm", "isom", 160, 112, 11, 22050, 1},
                    TConversionCase{1, 3, "clip_rv20_ac3.rm", "isom", 160, 112, 14.985, 22050, 1},
                    TConversionCase{2, 2, "clip_rv20_ac3.rm", "isom", 160, 112, 14.985, 44100, 2},
                    TConversionCase{2, 4, "clip_rv10_ac3.rm", "isom", 160, 112, 14.985, 48000, 2},
                    TConversionCase{3, 0, "clip_rv10_ac3.rm", "isom", 160, 112, 11, 22050, 1},
                    TConversionCase{3, 2, "clip_rv20_ac3.rm", "isom", 160, 112, 14.985, 22050, 1},
                    TConversionCase{4, 0, "clip_rv20_ac3.rm", "mp3", 0, 0, 0, 22050, 1},
                    TConversionCase{4, 4, "clip_rv10_ac3.rm", "mp3", 0, 0, 0, 48000, 2},
                    TConversionCase{5, 0, "clip_rv10_ac3.rm", "isom", 320, 240, 15, 22050, 1},
                    TConversionCase{5, 4, "clip_rv20_ac3.rm", "isom", 720, 576, 25, 48000, 2}));

TEST_F(Encoder, CommandWithEveryFallbackPieceStillConverts) {
    const std::string Source = Media + "clip_rv20_ac3.rm";
    const std::vector<TSourceRow> Rows{{Source, "00:00:01", "00:00:04"}};
    const TConvertInputs Inputs{Rows, Temp.Path("out"), {}, [] { return TOptionSelection{}; }};
    const std::string Command =
        CreateConvertParameter(Source, Inputs, {AppFunc, FileFunc}, Params, TrimValues);
    const TChildResult Run = RunChild(SplitCommandLine(Command));
    ASSERT_EQ(Run.ExitCode, 0) << Command << "\n" << Run.Output;
    const TMediaInfo Info = ProbeMedia(OutputPath(Command));
    EXPECT_EQ(Info.Demuxer, "avi");
    EXPECT_EQ(Info.VideoCodec, "mpeg4");
    EXPECT_EQ(Info.AudioCodec, "mp3");
    EXPECT_EQ(Info.Width, 320);
    EXPECT_NEAR(Info.FrameRate, 25, 0.01);
    EXPECT_NEAR(Info.Duration, 3.0, 0.5);
}

class StatusText : public Encoder, public testing::WithParamInterface<int> {};

TEST_P(StatusText, ReportsIncreasingElapsedSeconds) {
    const bool AudioOnly = GetParam() == 4;
    const std::string Command = CommandFor(Media + "long_rv10_ac3.rm", GetParam(), 2, {});
    const TChildResult Run = RunChild(SplitCommandLine(Command));
    ASSERT_EQ(Run.ExitCode, 0) << Run.Output;

    const std::vector<std::string> Lines = SplitString(Run.Output, '\r');
    ASSERT_GE(Lines.size(), 2u) << "no status line before the end:\n" << Run.Output;
    std::vector<double> Seconds;
    for (size_t I = 1; I < Lines.size(); ++I) // the first piece holds the opening lines too
        Seconds.push_back(ElapsedSecondsOf(Lines[I], AudioOnly));
    EXPECT_THAT(Lines.front(), HasSubstr("Input #0"));
    EXPECT_THAT(Lines.back(), HasSubstr("time=180."));
    for (size_t I = 1; I + 1 < Seconds.size(); ++I)
        EXPECT_GT(Seconds[I], Seconds[I - 1]) << Run.Output;
    EXPECT_GE(Seconds.back(), Seconds[Seconds.size() - 2]); // the closing line may repeat it
    EXPECT_EQ(Seconds.back(), 180);
}

INSTANTIATE_TEST_SUITE_P(VideoAndAudioOnly, StatusText, testing::Values(0, 4));

TEST_F(Encoder, RefusesABadCommandBeforeStartingFfmpeg) {
    const std::string Command = CommandFor(Media + "clip_rv20_ac3.rm", 0, 2,
                                           {{Media + "clip_rv20_ac3.rm", "00:00:03", "00:00:03"}});
    const TChildResult Run = RunChild(SplitCommandLine(Command));
    EXPECT_NE(Run.ExitCode, 0);
    EXPECT_THAT(Run.Output, HasSubstr("at least 1"));
    EXPECT_FALSE(std::filesystem::exists(OutputPath(Command)));
}

TEST_F(Encoder, ScriptItCannotReadOrUnderstandIsAnError) {
    const std::string Command = CommandFor(Media + "clip_rv20_ac3.rm", 0, 2, {});
    std::vector<std::string> Args = SplitCommandLine(Command);
    Temp.Write("app/VideoFile.avs", "Version()\r\n");
    TChildResult Run = RunChild(Args);
    EXPECT_NE(Run.ExitCode, 0);
    EXPECT_THAT(Run.Output, HasSubstr("is not a DirectShowSource"));
    std::filesystem::remove(App + "VideoFile.avs");
    Run = RunChild(Args);
    EXPECT_NE(Run.ExitCode, 0);
    EXPECT_THAT(Run.Output, HasSubstr("Cannot read the script"));
}

TEST_F(Encoder, FfmpegFailureIsReportedWithItsMessage) {
    const std::string Command =
        CommandFor(Temp.Write("noise.rm", std::string(5000, 'z')), 1, 2, {});
    const TChildResult Run = RunChild(SplitCommandLine(Command));
    EXPECT_NE(Run.ExitCode, 0);
    // evc's own line says why, in ffmpeg's words.
    const size_t Said = Run.Output.rfind("evc: ");
    const std::string Last = Run.Output.substr(Said, Run.Output.find('\n', Said) - Said);
    EXPECT_THAT(Last, testing::StartsWith("evc: conversion failed (ffmpeg exit code"));
    EXPECT_THAT(Last, HasSubstr("Invalid data found"));
}

TEST_F(Encoder, AFolderThatTakesNoNewFileIsToldBeforeAnythingIsConverted) {
    std::vector<std::string> Args =
        SplitCommandLine(CommandFor(Media + "clip_rv20_ac3.rm", 0, 2, {}));
    Args.back() = "/sys/korvalin.3gp"; // nobody, not even the superuser, makes files there
    const TChildResult Run = RunChild(Args);
    EXPECT_EQ(Run.ExitCode, 1);
    EXPECT_THAT(Run.Output, HasSubstr("evc: Cannot write '/sys/korvalin.3gp': "));
    EXPECT_THAT(Run.Output, testing::Not(HasSubstr("frame="))) << "ffmpeg never ran";
}

TEST_F(Encoder, KilledEncoderTakesFfmpegWithItAndLeavesNoBrokenOutput) {
    const std::string Long = Media + "long_rv10_ac3.rm";
    const std::string Command = CommandFor(Long, 0, 4, {});
    std::vector<pid_t> Helpers;
    const TChildResult Run =
        RunChild(SplitCommandLine(Command), [&](pid_t Evc, const std::string& Piece) {
            if (Helpers.empty() && Piece.find("time=") != std::string::npos) {
                Helpers = ChildrenOf(Evc);
                kill(Evc, SIGKILL);
            }
        });
    EXPECT_EQ(Run.ExitCode, 128 + SIGKILL);
    ASSERT_EQ(Helpers.size(), 1u);
    for (int Wait = 0; Wait < 100 && IsProcessAlive(Helpers[0]); ++Wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_FALSE(IsProcessAlive(Helpers[0]));
    EXPECT_FALSE(std::filesystem::exists(OutputPath(Command)));

    // The next run that writes the same name clears the leftover away.
    const std::string Again = CommandFor(Long, 0, 4, {{Long, "00:00:00", "00:00:02"}});
    ASSERT_EQ(OutputPath(Again), OutputPath(Command));
    EXPECT_EQ(RunChild(SplitCommandLine(Again)).ExitCode, 0);
    EXPECT_TRUE(ProbeMedia(OutputPath(Again)).Opened);
    for (const auto& Entry : std::filesystem::directory_iterator(Temp.Path("out")))
        EXPECT_FALSE(evc::IsPartialFileName(Entry.path().filename())) << Entry.path();
}

struct TEmptyCase {
    const char* Source;
    const char* Start; // of a trim to the source's end
    int OutputType;
    friend void PrintTo(const TEmptyCase& Case, std::ostream* Out) {
        *Out << Case.Source << " from " << (*Case.Start ? Case.Start : "the start");
    }
};

class NothingToConvert : public Encoder, public testing::WithParamInterface<TEmptyCase> {};

TEST_P(NothingToConvert, FailsAndLeavesNoFile) {
    const std::string Source = Media + GetParam().Source;
    std::vector<TSourceRow> Rows;
    if (*GetParam().Start)
        Rows = {{Source, GetParam().Start, "00:01:05"}};
    const std::string Command = CommandFor(Source, GetParam().OutputType, 2, Rows);
    const TChildResult Run = RunChild(SplitCommandLine(Command));
    EXPECT_NE(Run.ExitCode, 0) << Run.Output;
    EXPECT_THAT(Run.Output, HasSubstr("nothing was converted"));
    EXPECT_THAT(Run.Output, testing::Not(HasSubstr("done")));
    EXPECT_TRUE(std::filesystem::is_empty(Temp.Path("out"))); // no output, no partial file
}

INSTANTIATE_TEST_SUITE_P(EmptySourcesAndLateStarts, NothingToConvert,
                         testing::Values(TEmptyCase{"empty_real144.ra", "", 0},
                                         TEmptyCase{"clip_rv20_ac3.rm", "00:01:00", 0},
                                         TEmptyCase{"clip_rv10_ac3.rm", "00:01:00", 4}));

// The numbers of the open descriptors, found without opening one.
std::set<int> OpenDescriptors() {
    std::set<int> Open;
    for (int Fd = 0; Fd < 4096; ++Fd)
        if (fcntl(Fd, F_GETFD) != -1)
            Open.insert(Fd);
    return Open;
}

TEST(FfmpegProcess, SecondPipeThatCannotBeMadeLeavesNoDescriptorOpen) {
    const std::set<int> Before = OpenDescriptors();
    int Limit = 0; // room for the first pipe only
    for (int Free = 0; Free < 2; ++Limit)
        Free += !Before.count(Limit);
    {
        TScopedResourceLimit FewDescriptors(RLIMIT_NOFILE, static_cast<rlim_t>(Limit));
        EXPECT_EQ(evc::RunFfmpeg({"true"}, {}, {}, {}, 500).ExitCode, 126);
    }
    EXPECT_EQ(OpenDescriptors(), Before);
}

} // namespace

// The sound and the tags that each output type makes of a source with its
// default (normal) settings.
class DefaultSettings : public Encoder, public testing::WithParamInterface<int> {
protected:
    // Converts the source at the given volume in percent; returns the output.
    std::string Convert(const std::string& Source, const std::string& Volume) {
        std::vector<std::string> Args =
            SplitCommandLine(CommandFor(Media + Source, GetParam(), 2, {}));
        const auto Vol = std::find(Args.begin(), Args.end(), "-vol");
        EXPECT_NE(Vol, Args.end());
        if (Vol != Args.end())
            Vol[1] = Volume;
        Args.back() = Temp.Path("out/" + Source + Volume) +
                      std::filesystem::path(Args.back()).extension().string();
        const TChildResult Run = RunChild(Args);
        EXPECT_EQ(Run.ExitCode, 0) << Run.Output;
        return Args.back();
    }
};

TEST_P(DefaultSettings, LoudSoundStaysBelowFullScaleAndQuietSoundIsLiftedExactly) {
    for (const char* Volume : {"200", "500"}) {
        const TAudioLevels Loud = MeasureAudio(Convert("loud_rv20_ac3.rm", Volume));
        ASSERT_GT(Loud.Samples, 0);
        EXPECT_EQ(Loud.FullScale, 0) << Volume << "%, peak " << Loud.Peak;
        EXPECT_GT(Loud.Peak, 0.75); // limited near the ceiling, not lowered as a whole
    }

    const double Kept = MeasureAudio(Convert("quiet_rv20_ac3.rm", "100")).Peak;
    const double Doubled = MeasureAudio(Convert("quiet_rv20_ac3.rm", "200")).Peak;
    EXPECT_NEAR(20 * std::log10(Doubled / Kept), 6.02, 0.3);
}

TEST_P(DefaultSettings, SourceTagsArriveInTheFormPlayersRead) {
    using testing::Pair;
    const auto Items = ReadTagItems(Convert("tagged_rv10_ac3.rm", "200"));
    const char *Title = "Tïtle 東京", *Author = "Ärtist 作者", *Copyright = "© 2001 Radio",
               *Comment = "Kommentar ü";
    if (GetParam() == 0)
        EXPECT_THAT(Items, testing::IsSupersetOf({Pair("titl", Title), Pair("auth", Author),
                                                  Pair("cprt", Copyright), Pair("dscp", Comment)}));
    else if (GetParam() == 4)
        EXPECT_THAT(Items, testing::IsSupersetOf({Pair("TIT2", Title), Pair("TPE1", Author),
                                                  Pair("TCOP", Copyright), Pair("COMM", Comment)}));
    else
        EXPECT_THAT(Items, testing::IsSupersetOf({Pair("©nam", Title), Pair("©ART", Author),
                                                  Pair("cprt", Copyright), Pair("©cmt", Comment)}));
    EXPECT_FALSE(Items.contains("TXXX")) << "no private frames";

    // A source without tags gives none of them, not even empty ones.
    const auto Untagged = ReadTagItems(Convert("clip_rv20_ac3.rm", "200"));
    for (const char* Name :
         {"titl", "auth", "dscp", "TIT2", "TPE1", "COMM", "©nam", "©ART", "cprt"})
        EXPECT_FALSE(Untagged.contains(Name)) << Name;
}

INSTANTIATE_TEST_SUITE_P(EveryOutputType, DefaultSettings, testing::Values(0, 1, 2, 3, 4, 5));

// What evc tells of a source that is not whole.
TEST_F(Encoder, ASourceCutOffOrDamagedIsToldAndWhatCouldBeReadIsKept) {
    struct TCase {
        const char* Source;
        int ExitCode;
        const char* LastWords;
    } const Cases[] = {
        {"cutoff_rv10_ac3.rm", evc::IncompleteExitCode,
         "evc: incomplete: the output holds 00:00:2"},
        {"damaged_rv10_ac3.rm", 0, "evc: done"},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Source);
        const std::string Command = CommandFor(Media + Case.Source, 1, 2, {});
        const TChildResult Run = RunChild(SplitCommandLine(Command));
        EXPECT_EQ(Run.ExitCode, Case.ExitCode) << Run.Output;
        const std::string Last = Run.Output.substr(Run.Output.rfind("evc: "));
        EXPECT_THAT(Last, testing::StartsWith(Case.LastWords));
        EXPECT_THAT(Run.Output, testing::ContainsRegex("\nevc: [1-9][0-9]* damaged places in the "
                                                       "source were skipped\nevc: "));
        EXPECT_TRUE(ProbeMedia(OutputPath(Command)).Opened);
    }
}

TEST_F(Encoder, TwoRunsForOneNameGiveTwoWholeOutputsAndSweepOnlyWhatNoRunHolds) {
    const std::vector<std::string> Args =
        SplitCommandLine(CommandFor(Media + "clip_rv20_ac3.rm", 0, 2, {}));
    const std::string Output = Args.back();
    // The leftover of a killed run, and the partial file of one still going.
    const std::string Stale = Temp.Write("out/.clip_rv20_ac3.evc-partial-1-0000dead.3gp", "");
    const evc::TPartialFile Live(Output);

    TChildResult Runs[2];
    std::thread Other([&] { Runs[1] = RunChild(Args); });
    Runs[0] = RunChild(Args);
    Other.join();
    std::set<std::string> Outputs;
    for (const TChildResult& Run : Runs) {
        EXPECT_EQ(Run.ExitCode, 0) << Run.Output;
        const std::string Lead = std::string("evc: ") + evc::RenamedOutputLead;
        const size_t Said = Run.Output.find(Lead);
        Outputs.insert(Said == std::string::npos
                           ? Output
                           : Run.Output.substr(Said + Lead.size(),
                                               Run.Output.find('\n', Said) - Said - Lead.size()));
    }
    ASSERT_EQ(Outputs.size(), 2u) << "each run names the file it made";
    for (const std::string& Made : Outputs) {
        EXPECT_EQ(Made.substr(0, Made.rfind('/')), Output.substr(0, Output.rfind('/')));
        EXPECT_NEAR(ProbeMedia(Made).Duration, 6, 0.5) << Made;
    }
    EXPECT_FALSE(std::filesystem::exists(Stale));
    EXPECT_TRUE(std::filesystem::exists(Live.Path()));
}
