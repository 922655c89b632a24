#include "EncoderCommand.h"
#include "RunReport.h"
#include "StatusText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace evc;
using testing::HasSubstr;
using testing::IsSupersetOf;

namespace {

std::vector<std::string> Words(const std::string& Text) {
    std::vector<std::string> Result;
    std::istringstream Stream(Text);
    for (std::string Word; Stream >> Word;)
        Result.push_back(Word);
    return Result;
}

// The message of the error ParseArguments raises, or "" when it accepts.
std::string RefusalOf(const std::string& Arguments) {
    try {
        ParseArguments(Words(Arguments));
        return "";
    } catch (const ECommandError& Error) {
        return Error.what();
    }
}

TEST(EvcArguments, AcceptsEveryOptionKorvalinWrites) {
    const TEncodeOptions Options = ParseArguments(Words(
        "-y -i /app/VideoFile.avs -vcodec mpeg4 -acodec aac -b 256 -s 176x144 -r 14.985 "
        "-aspect 16:9 -ab 128 -vol 200 -ac 2 -ar 44100 -f 3gp -ss 00:01:30 -t 95 /out/a.3gp"));
    EXPECT_TRUE(Options.Overwrite);
    EXPECT_EQ(Options.ScriptFile, "/app/VideoFile.avs");
    EXPECT_EQ(Options.Rate, "14.985");
    EXPECT_EQ(Options.Start, "00:01:30");
    EXPECT_EQ(Options.Duration, 95);
    EXPECT_EQ(Options.OutputFile, "/out/a.3gp");
    EXPECT_EQ(RefusalOf("-y -i s.avs -acodec mp3 -vn -ab 64 -ac 2 -ar 22050 /o/a.mp3"), "");
    EXPECT_EQ(RefusalOf("-y -i s.avs -target vcd -ss 00:00:05 -t 10 /o/a.mpg"), "");
}

TEST(EvcArguments, RefusesWhatItCannotCarryOut) {
    EXPECT_THAT(RefusalOf("-y -i s.avs -fast /o/a.mp4"), HasSubstr("Unknown option -fast"));
    EXPECT_THAT(RefusalOf("-y -i s.avs -b"), HasSubstr("Missing value for option -b"));
    EXPECT_THAT(RefusalOf("-y -i s.avs -t 0 /o/a.mp4"), HasSubstr("at least 1"));
    EXPECT_THAT(RefusalOf("-y -i s.avs -t -30 /o/a.mp4"), HasSubstr("at least 1"));
    EXPECT_THAT(RefusalOf("-y -i s.avs -t 2.5 /o/a.mp4"), HasSubstr("whole seconds"));
    EXPECT_THAT(RefusalOf("-y -i s.avs -ss 1:30 /o/a.mp4"), HasSubstr("hh:mm:ss"));
    EXPECT_THAT(RefusalOf("-y -i s.avs -r fast /o/a.mp4"), HasSubstr("frames per second"));
    EXPECT_THAT(RefusalOf("-y -i s.avs -vol loud /o/a.mp4"), HasSubstr("whole number"));
    EXPECT_THAT(RefusalOf("-y -i s.avs -vol 99999999999999999999 /o/a.mp4"),
                HasSubstr("whole number"));
    EXPECT_THAT(RefusalOf("-y -i s.avs -r 0.000 /o/a.mp4"), HasSubstr("frames per second"));
    EXPECT_THAT(RefusalOf("-y -i s.avs -r " + std::string(30000, '0') + "25 /o/a.mp4"),
                HasSubstr("frames per second"));
    EXPECT_THAT(RefusalOf("-y -i s.avs -s 176 /o/a.mp4"), HasSubstr("width x height"));
    EXPECT_THAT(RefusalOf("-y -vcodec mpeg4 /o/a.mp4"), HasSubstr("No input script"));
    EXPECT_THAT(RefusalOf("-y -i s.avs"), HasSubstr("No output file"));
    EXPECT_THAT(RefusalOf("-y -i s.avs a.mp4 b.mp4"), HasSubstr("Unexpected argument 'a.mp4'"));
}

TEST(EvcScript, ReadsSourceAndFrameRateOfTheOneLine) {
    const TScriptSource Script = ParseScript(
        "DirectShowSource(\"/films/my clip (1).rmvb\", fps=29.9700898503294, convertfps=true)\r\n");
    EXPECT_EQ(Script.SourceFile, "/films/my clip (1).rmvb");
    EXPECT_EQ(Script.FrameRate, "29.9700898503294");
    for (const char* Bad :
         {"", "DirectShowSource(\"/a.rm\")", "AviSource(\"/a.rm\", fps=25, convertfps=true)",
          "DirectShowSource(\"\", fps=25, convertfps=true)",
          "DirectShowSource(\"/a.rm\", fps=25, convertfps=true) extra",
          "DirectShowSource(\"/a\nb.rm\", fps=25, convertfps=true)",
          "DirectShowSource(\"/a.rm\", fps=25., convertfps=true)"})
        EXPECT_THROW(ParseScript(Bad), ECommandError) << Bad;
    const std::string LongName(50000, 'a'); // read without running deep
    EXPECT_THROW(ParseScript("DirectShowSource(\"" + LongName), ECommandError);
    EXPECT_EQ(ParseScript("DirectShowSource(\"" + LongName + "\",fps=25,convertfps=true)")
                  .SourceFile.size(),
              LongName.size());
    EXPECT_THROW(ReadScript("/nonexistent/VideoFile.avs"), ECommandError);
}

TEST(EvcFfmpeg, MapsOptionsToFfmpegArguments) {
    const TEncodeOptions Options = ParseArguments(
        Words("-y -i s.avs -vcodec xvid -acodec mp3 -b 256 -s 176x144 -r 15 -aspect 4:3 -ab 128 "
              "-vol 250 -ac 2 -ar 44100 -f 3gp -ss 00:00:05 -t 10 /o/a.3gp"));
    const std::vector<std::string> Args = FfmpegArguments(Options, {"/films/a.rm", "29.97"});
    const std::string Line = testing::PrintToString(Args);
    EXPECT_THAT(Line, HasSubstr("\"-ss\", \"00:00:05\", \"-protocol_whitelist\", \"file\", \"-i\", "
                                "\"file:/films/a.rm\", \"-t\", \"10\""));
    EXPECT_THAT(Args, IsSupersetOf({"-y", "libxvid", "libmp3lame", "256k", "128k", "fps=29.97",
                                    "3gp", "-nostdin"}));
    // Rate and channels before the gain, and nothing after the limiter.
    EXPECT_THAT(Args, testing::Contains(testing::MatchesRegex(
                          "aformat=sample_rates=44100:channel_layouts=stereo,volume=2.5,"
                          "alimiter=limit=0.841:.*")));
    EXPECT_EQ(Args.front(), "ffmpeg");
    EXPECT_EQ(Args.back(), "file:/o/a.3gp");
    const std::vector<std::string> Audio = FfmpegArguments(
        ParseArguments(Words("-i s.avs -acodec mp3 -vn -ab 64 /o/a.mp3")), {"/a.rm", "25"});
    EXPECT_THAT(Audio, IsSupersetOf({"-vn", "-n"}));
    EXPECT_THAT(testing::PrintToString(Audio), testing::Not(HasSubstr("fps=")));
    const auto Joined = [](const std::vector<std::string>& Words) {
        std::string Text;
        for (const std::string& Word : Words)
            Text += Word + " ";
        return Text;
    };
    EXPECT_THAT(Joined(Args), testing::Not(HasSubstr("faststart")));
    const std::string H264 = Joined(FfmpegArguments(
        ParseArguments(Words("-i s.avs -vcodec h264 -acodec aac /o/a.mp4")), {"/a.rm", "25"}));
    EXPECT_THAT(H264, HasSubstr("-c:v libx264 -pix_fmt yuv420p -profile:v main -level:v 3.1 "));
    EXPECT_THAT(H264, HasSubstr("-movflags +faststart file:/o/a.mp4"));
}

TEST(EvcStatus, FieldsSplitAtEqualsCarryTheSeconds) {
    TProgress Progress;
    for (const char* Line : {"frame=250", "stream_0_0_q=2.0", "total_size=524288",
                             "out_time_us=10000000", "out_time=00:00:10.000000", "speed=N/A"})
        ApplyProgressLine(Line, Progress);
    EXPECT_EQ(StatusLine(Progress, true),
              "frame=  250 q=2.0 size=     512kB time=10.00 bitrate= 419.4kbits/s");
    Progress.TimeMicroseconds = 40960000;
    Progress.SizeBytes = 655360;
    EXPECT_EQ(StatusLine(Progress, false), "size=     640kB time=40.96 bitrate= 128.0kbits/s");
    ApplyProgressLine("out_time_us=N/A", Progress);
    ApplyProgressLine("out_time_us=-23000", Progress);
    EXPECT_EQ(Progress.TimeMicroseconds, 0);
}

TEST(EvcReport, AnOutputShortOfWhatWasAskedIsToldWithItsTimes) {
    struct TCase {
        const char* Command;
        std::optional<double> Header, Expected;
        double Got;
        const char* Report; // "" when the output holds enough
    } const Cases[] = {
        {"-t 10", 60, 10, 9.1, ""}, // short by less than a second
        {"-t 10", 60, 10, 8.9,
         "00:00:08 of 00:00:10; the source ends early or is damaged after "
         "00:00:08."},
        {"-ss 00:00:30", 120, 90, 88.3, ""}, // short by less than 2 %
        {"-ss 00:00:30", 120, 90, 20.5,
         "00:00:20 of 00:01:30; the source ends early or is "
         "damaged after 00:00:50."},
        {"-ss 00:00:30 -t 100", 60, 30, 30, ""}, // the header's end comes first
        {"-t 10", std::nullopt, 10, 5,
         "00:00:05 of 00:00:10; the source ends early or is "
         "damaged after 00:00:05."},
        {"", std::nullopt, std::nullopt, 0, ""}, // nothing to compare with
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Command);
        const TEncodeOptions Options =
            ParseArguments(Words("-i s.avs " + std::string(Case.Command) + " /o/a.mp4"));
        const std::optional<double> Expected = ExpectedSeconds(Options, Case.Header);
        EXPECT_EQ(Expected, Case.Expected);
        const std::string Report = Expected ? IncompleteReport(Options, *Expected, Case.Got) : "";
        EXPECT_EQ(Report,
                  *Case.Report ? "incomplete: the output holds " + std::string(Case.Report) : "");
    }
}

TEST(EvcReport, AFailureNamesTheSystemsReasonBeforeFfmpegsLastLine) {
    struct TCase {
        const char* ErrorText;
        const char* Reason;
    } const Cases[] = {
        {"[mp4 @ 0x1] av_interleaved_write_frame(): No space left on device\n"
         "Error initializing output stream 0:1 --\n",
         "Cannot write '/o/a.mp4': No space left on device."},
        {"file:/o/.a.evc-partial-1-0.mp4: Permission denied\n", // opening the output
         "Cannot write '/o/a.mp4': Permission denied."},
        {"file:/in/x.rm: Input/output error\nError while decoding\n", // reading the source
         "conversion failed (ffmpeg exit code 1): Error while decoding"},
        {"file:x.rm: Invalid data found when processing input\n",
         "conversion failed (ffmpeg exit code 1): file:x.rm: Invalid data found when processing "
         "input"},
    };
    for (const TCase& Case : Cases)
        EXPECT_EQ(FailureReason({1, Case.ErrorText}, "/o/a.mp4", "/o/.a.evc-partial-1-0.mp4"),
                  Case.Reason);
}

} // namespace
