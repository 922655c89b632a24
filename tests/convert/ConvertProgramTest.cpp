// korvalin-convert as a script or a cluster runs it: the built program with
// the real encoder on generated RealMedia files.
#include "ChildProcess.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <csignal>
#include <thread>

namespace fs = std::filesystem;
using testing::HasSubstr;

namespace {

const std::string Media = KORVALIN_TEST_MEDIA;

std::vector<nlohmann::json> RecordOf(const std::string& File) {
    std::vector<nlohmann::json> Lines;
    std::ifstream Record(File);
    for (std::string Line; std::getline(Record, Line);)
        Lines.push_back(nlohmann::json::parse(Line));
    return Lines;
}

class ConvertProgram : public testing::Test {
protected:
    TChildResult Run(std::vector<std::string> Arguments,
                     const std::function<void(pid_t, const std::string&)>& OnOutput = {}) {
        Arguments.insert(Arguments.begin(), {KORVALIN_CONVERT, "-o", Out});
        // A killed run's private folder goes with the test's.
        return RunChild(Arguments, OnOutput, std::chrono::minutes(10), {"TMPDIR=" + Temp.Folder()});
    }
    TTempFolder Temp;
    const std::string Out = Temp.Path("out");
};

TEST_F(ConvertProgram, RefusesABadCommandLineWithoutTouchingAnything) {
    fs::create_directory(Temp.Path("empty"));
    const std::string Clip = Media + "three_seconds_rv20_ac3.rm";
    struct TCase {
        std::vector<std::string> Arguments;
        int ExitCode;
        std::string Says;
    };
    for (const TCase& Case : std::initializer_list<TCase>{
             {{"-t", "mp4", "--size", "999x1", Clip}, 2, "may be one of: 128x96, 160x112"},
             {{"-t", "mp4", "--profile", "Nobody's", Clip}, 2, "no custom profile is named"},
             {{"-t", "mp4", Temp.Path("empty")}, 2, "nothing to convert"},
             {{"-t", "mp4", Temp.Path("missing.rm")}, 2, "does not exist"},
             {{"--help"}, 0, "Usage: korvalin-convert --type TYPE"},
             {{"--version"}, 0, "evc.exe 1.8.0\nffmpeg version"},
         }) {
        const TChildResult Result = Run(Case.Arguments);
        EXPECT_EQ(Result.ExitCode, Case.ExitCode) << Result.Output;
        EXPECT_THAT(Result.Output, HasSubstr(Case.Says));
        EXPECT_FALSE(fs::exists(Out)) << Case.Says;
    }
    for (const char* Option : {"--help", "--version"}) // the window's command answers too
        EXPECT_THAT(RunChild({KORVALIN_PROGRAM, Option}).Output, HasSubstr("orvalin"));
}

TEST_F(ConvertProgram, ConvertsAFolderOnceAndTellsACutOffSourceTruly) {
    fs::create_directories(Temp.Path("in/sub"));
    fs::copy_file(Media + "three_seconds_rv20_ac3.rm", Temp.Path("in/a.rm"));
    fs::copy_file(Media + "clip_rv20_ac3.rm", Temp.Path("in/sub/B.RMVB"));
    Temp.Write("in/notes.txt", "not media");
    const std::vector<std::string> Args = {"-t", "mp3", "-q", "low", "-j", "2", Temp.Path("in")};
    ASSERT_EQ(Run(Args).ExitCode, 0);
    const auto Written = fs::last_write_time(Out + "/B.mp3");
    const TChildResult Again = Run(Args);
    EXPECT_EQ(Again.ExitCode, 0) << Again.Output;
    EXPECT_THAT(Again.Output, HasSubstr("0 converted, 2 already done"));
    EXPECT_EQ(fs::last_write_time(Out + "/B.mp3"), Written);

    const TChildResult CutOff = Run({"-t", "mp3", "-q", "low", Media + "cutoff_rv10_ac3.rm"});
    EXPECT_EQ(CutOff.ExitCode, 1);
    const std::vector<nlohmann::json> Record = RecordOf(Out + "/korvalin-convert.jsonl");
    ASSERT_EQ(Record.size(), 5u);
    for (const nlohmann::json& Again : {Record[2], Record[3]}) { // two jobs end in any order
        const nlohmann::json& First =
            Record[Record[0]["source"]["path"] == Again["source"]["path"] ? 0 : 1];
        EXPECT_EQ(First["outcome"], "converted");
        EXPECT_EQ(Again["outcome"], "skipped");
        EXPECT_EQ(Again["output"]["sha256"], First["output"]["sha256"]);
    }
    EXPECT_EQ(Record[4]["outcome"], "incomplete");
    EXPECT_THAT(Record[4]["reason"].get<std::string>(), HasSubstr("could be read"));
    EXPECT_EQ(Record[4]["source"]["seconds"], 60.011);
}

// Stopped, it ends its encoder and records the file; killed, its encoder
// sees it gone and ends by itself. Either way no partial file stays.
TEST_F(ConvertProgram, StoppedOrKilledItLeavesNoEncoderAndNoPartialFile) {
    for (const int Signal : {SIGTERM, SIGKILL}) {
        fs::remove_all(Out);
        const TChildResult Result =
            Run({"-t", "mp4", "--progress", "json", Media + "long_rv10_ac3.rm"},
                [Signal](pid_t Program, const std::string& Output) {
                    if (Output.find("\"position\"") != std::string::npos)
                        kill(Program, Signal);
                });
        EXPECT_EQ(Result.ExitCode, 128 + Signal) << Result.Output;
        for (int Look = 0; Look < 40 && ProcessNames(Out); ++Look)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_FALSE(ProcessNames(Out)) << "signal " << Signal;
        std::vector<std::string> Left;
        for (const auto& Entry : fs::directory_iterator(Out))
            if (Entry.path().filename() != "korvalin-convert.jsonl")
                Left.push_back(Entry.path().filename());
        EXPECT_THAT(Left, testing::IsEmpty()) << "signal " << Signal;
    }
    EXPECT_EQ(RecordOf(Out + "/korvalin-convert.jsonl").size(), 0u)
        << "a killed run writes no line";
}

// One file a call, two calls at once, as GNU parallel spreads them over cores or machines.
TEST_F(ConvertProgram, RunsUnderGnuParallel) {
    const TChildResult Result =
        RunChild({"/usr/bin/parallel", "--will-cite", "-j", "2", "--joblog", Temp.Path("jobs"),
                  KORVALIN_CONVERT, "-t", "3gp", "-o", Out, "--progress", "none",
                  ":::", Media + "three_seconds_rv20_ac3.rm", Media + "clip_rv10_ac3.rm",
                  Media + "cutoff_rv10_ac3.rm"});
    EXPECT_EQ(Result.ExitCode, 1) << "parallel counts the one incomplete file: " << Result.Output;
    std::vector<std::string> Outcomes;
    for (const nlohmann::json& Line : RecordOf(Out + "/korvalin-convert.jsonl"))
        Outcomes.push_back(Line["outcome"]);
    std::sort(Outcomes.begin(), Outcomes.end());
    EXPECT_EQ(Outcomes, (std::vector<std::string>{"converted", "converted", "incomplete"}));
    for (const char* Name : {"three_seconds_rv20_ac3.3gp", "clip_rv10_ac3.3gp"})
        EXPECT_GT(fs::file_size(Out + "/" + Name), 1000u);
    EXPECT_THAT(Temp.Read("jobs"), HasSubstr("\t1\t0\t")) << "the job log keeps each exit code";
}

} // namespace
