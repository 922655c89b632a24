#include "ConvertParameter.h"
#include "AppFunc.h"
#include "Errors.h"
#include "FileFunc.h"
#include "LogFile.h"
#include "PresetSelection.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ContainsRegex;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::Not;
using namespace std::string_literals;

namespace {

class CommandBuilder : public testing::Test {
protected:
    CommandBuilder() {
        std::filesystem::create_directory(Temp.Path("app"));
        std::filesystem::create_directory(Temp.Path("data"));
    }

    // Builds the command for Source with the given options and the rows so far.
    std::string Build(const std::string& Source, const TOptionSelection& Options) {
        const TConvertInputs Inputs{Rows, OutputFolderText, [this] { Events.push_back("profile"); },
                                    [&] {
                                        Events.push_back("options");
                                        return Options;
                                    }};
        return CreateConvertParameter(Source, Inputs, {AppFunc, FileFunc}, Params, TrimValues);
    }

    std::vector<std::string> LogMessages() const { return LogMessagesOf(Data + "log.txt"); }

    TTempFolder Temp;
    const std::string App = Temp.Path("app/");   // what ships: the encoder
    const std::string Data = Temp.Path("data/"); // what is written: the script and the log
    const std::string Out = Temp.Path("out/");
    std::string OutputFolderText = Temp.Path("out");
    std::vector<TSourceRow> Rows{{"/films/clip.rmvb", "00:00:00", "00:02:00"}};
    std::vector<std::string> Events;
    TAppFunc AppFunc{TAppFolders(App, Data)};
    TFileFunc FileFunc;
    TConvertParameters Params;
    TTrimValues TrimValues;
};

TEST_F(CommandBuilder, ThreeGppNormalComesOutCharacterForCharacter) {
    EXPECT_EQ(Build("/films/clip.rmvb", PresetSelection(0, 2)),
              App + "evc.exe -y -i \"" + Data +
                  "VideoFile.avs\" -vcodec mpeg4 -acodec aac -b 256 -s 176x144 -r 15 -aspect 4:3 "
                  "-ab 128 -vol 200 -ac 2 -ar 44100 -f 3gp -ss 00:00:00 -t 120 \"" +
                  Out + "clip.3gp\"");
    EXPECT_EQ(Temp.Read("data/VideoFile.avs"),
              "DirectShowSource(\"/films/clip.rmvb\", fps=29.9700898503294, convertfps=true)\r\n");
    EXPECT_THAT(LogMessages(), ElementsAre("Output directory " + Out));
    EXPECT_EQ(TrimValues.StartTime, "00:00:00");
    EXPECT_EQ(TrimValues.CutDuration, "120");
    EXPECT_EQ(Params.OutputFolder, Out);
    EXPECT_EQ(Params.OutputName, "clip");
    EXPECT_EQ(Params.OutputExt, ".3gp");
    EXPECT_EQ(Params.EncoderFile, App + "evc.exe");
    EXPECT_EQ(Params.SourceFile, "/films/clip.rmvb");
}

TEST_F(CommandBuilder, Mp3NormalCarriesOnlyAudioPieces) {
    EXPECT_EQ(Build("/films/clip.rmvb", PresetSelection(4, 2)),
              App + "evc.exe -y -i \"" + Data +
                  "VideoFile.avs\" -acodec mp3 -vn -ab 128 -vol 200 -ac 2 -ar 44100 "
                  "-ss 00:00:00 -t 120 \"" +
                  Out + "clip.mp3\"");
    EXPECT_EQ(Params.VideoSizeParam, " -s 480x480"); // read, but not part of the command
}

TEST_F(CommandBuilder, NothingSelectedGivesEveryFallbackPiece) {
    const std::string Command = Build("/films/clip.rmvb", TOptionSelection{});
    EXPECT_THAT(Command, HasSubstr("\" -vcodec xvid -acodec mp3 -b 512 -s 320x240 -r 25 "
                                   "-aspect 4:3 -ab 64  -ac 2 -ar 44100 -ss 00:00:00 -t 120 \"" +
                                   Out + "clip.avi\""));
    EXPECT_EQ(Params.VolumeParam, " ");
    EXPECT_EQ(Params.FormatParam, "");
}

TEST_F(CommandBuilder, ChannelEntryGivesItsFirstCharacterOnly) {
    TOptionSelection Options = PresetSelection(1, 0);
    EXPECT_EQ(Options.AudioChannels, "1 channel, Mono");
    Build("/films/clip.rmvb", Options);
    EXPECT_EQ(Params.ChannelsParam, " -ac 1");
    Options.AudioChannels = "6ch";
    Build("/films/clip.rmvb", Options);
    EXPECT_EQ(Params.ChannelsParam, " -ac 6");
}

TEST_F(CommandBuilder, ProfileIsAppliedOncePerMatchingRowBeforeOptionsAreRead) {
    Rows = {{"/films/CLIP.rmvb", "00:00:10", "00:00:20"},
            {"/films/other.rm", "00:00:01", "00:00:02"},
            {"/Films/clip.RMVB", "00:01:00", "00:01:30"}};
    Build("/films/clip.rmvb", PresetSelection(0, 2));
    EXPECT_THAT(Events, ElementsAre("profile", "profile", "options"));
    EXPECT_EQ(TrimValues.StartTime, "00:01:00"); // the last match wins
    EXPECT_EQ(Params.CutParam, " -ss 00:01:00 -t 30");
}

TEST_F(CommandBuilder, UnlistedSourceConvertsWholeFileWithoutProfile) {
    Rows = {{"/films/\xC3\x84.rm", "00:00:10", "00:00:20"}};
    const std::string Command = Build("/films/\xC3\xA4.rm", PresetSelection(0, 2));
    EXPECT_THAT(Events, ElementsAre("options"));
    EXPECT_EQ(TrimValues.StartTime, "");
    EXPECT_EQ(TrimValues.CutDuration, "");
    EXPECT_THAT(Command, Not(HasSubstr("-ss")));
    EXPECT_THAT(Command, ContainsRegex("-f 3gp \"[^\"]*\"$"));
}

struct TDurationCase {
    const char* Start;
    const char* End;
    const char* Expected;
    friend void PrintTo(const TDurationCase& Case, std::ostream* Out) {
        *Out << Case.Start << " to " << Case.End;
    }
};

class CutDuration : public testing::TestWithParam<TDurationCase> {};

TEST_P(CutDuration, IsEndMinusStartInWholeSeconds) {
    const std::vector<TSourceRow> Rows{{"/a.rm", GetParam().Start, GetParam().End}};
    EXPECT_EQ(GetCutDuration("/A.RM", Rows), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Times, CutDuration,
                         testing::Values(TDurationCase{"00:01:30", "00:03:05", "95"},
                                         TDurationCase{"00:01:30", "00:01:30", "0"},
                                         TDurationCase{"00:02:00", "00:01:30", "-30"},
                                         TDurationCase{"1:30", "00:00:40", "40"},
                                         TDurationCase{"", "01:00:00", "3600"},
                                         TDurationCase{"00:00:10", "aa:bb:cc", "-10"},
                                         TDurationCase{"00:00:00", "00:00:", "0"},
                                         TDurationCase{"00:00:00", "100:00:01", "360001"},
                                         TDurationCase{"0:0:5", "0:1:5", "60"},
                                         TDurationCase{"00:00:00", "00:00:$1E", "0"}));

TEST_F(CommandBuilder, TrimNeedsBothStartAndDuration) {
    Rows = {{"/films/clip.rmvb", "", "00:00:30"}};
    Build("/films/clip.rmvb", PresetSelection(0, 2));
    EXPECT_EQ(TrimValues.CutDuration, "30");
    EXPECT_EQ(Params.CutParam, "");
}

TEST_F(CommandBuilder, OutputFolderWithOrWithoutSeparatorIsTheSameAndIsCreated) {
    OutputFolderText = Temp.Path("deep/er/out/");
    Build("/films/clip.rmvb", PresetSelection(1, 2));
    EXPECT_EQ(Params.OutputFolder, Temp.Path("deep/er/out/"));
    EXPECT_TRUE(std::filesystem::is_directory(Params.OutputFolder));
    OutputFolderText = Temp.Path("deep/er/out");
    Build("/films/clip.rmvb", PresetSelection(1, 2));
    EXPECT_EQ(Params.OutputFolder, Temp.Path("deep/er/out/"));
}

TEST_F(CommandBuilder, UncreatableOutputFolderIsLoggedAndUsedAsIs) {
    Temp.Write("blocker", "");
    OutputFolderText = Temp.Path("blocker/out");
    const std::string Command = Build("/films/clip.rmvb", PresetSelection(0, 2));
    EXPECT_THAT(LogMessages(),
                ElementsAre("Output directory error. ->" + Temp.Path("blocker/out/")));
    EXPECT_THAT(Command, HasSubstr("\"" + Temp.Path("blocker/out/clip.3gp") + "\""));
}

TEST_F(CommandBuilder, OutputNameSkipsEveryTakenBaseName) {
    std::filesystem::create_directory(Out);
    Temp.Write("out/clip.3gp", "");
    EXPECT_THAT(Build("/films/clip.rmvb", PresetSelection(1, 2)), HasSubstr(Out + "clip_1.mp4\""));
    Temp.Write("out/clip_1.mp4", "");
    EXPECT_THAT(Build("/films/clip.rmvb", PresetSelection(1, 2)), HasSubstr(Out + "clip_2.mp4\""));
}

TEST_F(CommandBuilder, UnwritableScriptIsAnErrorAndLeavesNoPartialScript) {
    AppFunc = TAppFunc(TAppFolders(App, Temp.Path("missing/")));
    EXPECT_THROW(Build("/films/clip.rmvb", PresetSelection(0, 2)), EFCreateError);
    AppFunc = TAppFunc(TAppFolders(App, Data));
    Temp.Write("data/VideoFile.avs", "previous\r\n");
    std::filesystem::permissions(Data + "VideoFile.avs", std::filesystem::perms::owner_read);
    EXPECT_THROW(Build("/films/clip.rmvb", PresetSelection(0, 2)), EFCreateError);
    EXPECT_EQ(Temp.Read("data/VideoFile.avs"), "previous\r\n");
}

TEST_F(CommandBuilder, PathThatCannotBeQuotedIsRefusedBeforeAnythingIsWritten) {
    for (const std::string& Source :
         {"/films/a\"b.rm"s, "/films/a\nb.rm"s, "/films/a\rb.rm"s, "/films/a\0b.rm"s}) {
        EXPECT_FALSE(IsSafeSourcePath(Source));
        EXPECT_THROW(Build(Source, PresetSelection(0, 2)), EUnsafeSourcePath);
    }
    EXPECT_FALSE(Temp.Exists("data/VideoFile.avs"));
    EXPECT_TRUE(IsSafeSourcePath("/films/it's a clip (1).rm"));
}

// The command forms for codec arguments that the output types do not hold.
class CommandForms : public CommandBuilder {
protected:
    CommandForms() {
        Params.EncoderFile = "/app/evc.exe";
        Params.OutputFolder = Out;
        Params.OutputName = "clip";
        Params.OutputExt = ".3gp";
        Params.VideoBitrateParam = " -b 40";
        Params.VideoSizeParam = " -s 176x144";
        Params.FramerateParam = " -r 11";
        Params.AspectParam = " -aspect 4:3";
        Params.AudioBitrateParam = " -ab 12";
        Params.VolumeParam = " ";
        Params.ChannelsParam = " -ac 2";
        Params.SampleParam = " -ar 44100";
        Params.FormatParam = " -f 3gp";
        Params.CutParam = " -ss 00:00:05 -t 10";
    }
    std::string Assemble(const std::string& Codec, const std::string& Ext) {
        Params.CodecParam = Codec;
        Params.OutputExt = Ext;
        return AssembleCommand(Params, {AppFunc, FileFunc});
    }
};

TEST_F(CommandForms, AudioCodecForPhoneContainersUsesFixedNarrowbandAudio) {
    for (const char* Ext : {".3gp", ".3g2", ".amr"}) {
        EXPECT_EQ(Assemble(" -acodec amr_nb", Ext),
                  "/app/evc.exe -y -i \"" + Data +
                      "VideoFile.avs\" -acodec amr_nb -s 176x144 -b 40 -ab "
                      "12  -ac 1 -ar 8000 -f 3gp -ss 00:00:05 -t 10 \"" +
                      Out + "clip" + Ext + "\"");
    }
    EXPECT_THAT(Assemble(" -acodec mp3", ".3GP"), HasSubstr("-ab 12  -ac 2 -ar 44100 -f 3gp"));
}

TEST_F(CommandForms, TargetCarriesOnlyCodecAndTrim) {
    EXPECT_EQ(Assemble(" -target vcd", ".mpg"),
              "/app/evc.exe -y -i \"" + Data + "VideoFile.avs\" -target vcd -ss 00:00:05 -t 10 \"" +
                  Out + "clip.mpg\"");
}

TEST_F(CommandForms, UnknownCodecFormsNoCommandAndOnlyNoneIsLogged) {
    EXPECT_EQ(Assemble(" -Vcodec mpeg4", ".mp4"), "");
    EXPECT_FALSE(Temp.Exists("data/log.txt"));
    EXPECT_EQ(Assemble("  -none ", ".mp4"), "");
    EXPECT_THAT(LogMessages(), ElementsAre("Create convert parameter failure."));
}

} // namespace
