#include "MpvGraph.h"
#include "OutputRecorder.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sys/stat.h>
#include <thread>

namespace {

using namespace std::chrono_literals;
const std::string Media = KORVALIN_TEST_MEDIA;

class TGraphEvents : public IMediaGraphListener {
public:
    void Rendered(int Code) override { Outcomes.push_back(Code); }
    void RenderFailed() override { Outcomes.push_back(-1); }
    void FrameReady(std::shared_ptr<const TVideoFrame> Frame) override { Last = std::move(Frame); }

    std::vector<int> Outcomes;
    std::shared_ptr<const TVideoFrame> Last;
};

// Runs the graph's posted calls, as the window's event loop does, until Done.
class MpvGraphTest : public ::testing::Test {
protected:
    bool RunUntil(const std::function<bool()>& Done) {
        const auto Deadline = std::chrono::steady_clock::now() + 15s;
        while (!Done()) {
            if (std::chrono::steady_clock::now() > Deadline)
                return false;
            Dispatcher.RunPosted(20ms);
        }
        return true;
    }
    void RunFor(std::chrono::milliseconds Time) {
        const auto End = std::chrono::steady_clock::now() + Time;
        while (std::chrono::steady_clock::now() < End)
            Dispatcher.RunPosted(10ms);
    }

    TQueueDispatcher Dispatcher;
    TGraphEvents Events;
    TMpvGraph Graph{Dispatcher, Events, "null"};
};

bool HasColour(const TVideoFrame& Frame) {
    for (int Y = 0; Y < Frame.Height; ++Y)
        for (int X = 0; X < Frame.Width; ++X) {
            const uint8_t* Pixel = &Frame.Pixels[Y * Frame.Stride + X * 4];
            if (Pixel[0] > 64 || Pixel[1] > 64 || Pixel[2] > 64)
                return true;
        }
    return false;
}

TEST_F(MpvGraphTest, PlaysDrawsSeeksAndStopsAtTheEnd) {
    EXPECT_THROW(Graph.RenderFile(Media + "clip_rv20_ac3.rm"), std::exception); // not active
    Graph.SetActive(true);
    EXPECT_THROW(Graph.Play(), std::exception); // nothing loaded
    Graph.SetVideoSize(160, 90);                // wider than the 4:3 picture: bars left and right
    Graph.RenderFile(Media + "clip_rv20_ac3.rm");
    ASSERT_TRUE(RunUntil([&] { return !Events.Outcomes.empty(); }));
    EXPECT_EQ(Events.Outcomes, std::vector<int>{0});
    Graph.Play();
    ASSERT_TRUE(RunUntil([&] { return Events.Last && HasColour(*Events.Last); }));
    EXPECT_EQ(Events.Last->Width, 160);
    EXPECT_EQ(Events.Last->Pixels[0] | Events.Last->Pixels[1] | Events.Last->Pixels[2], 0)
        << "the letter-box bar is black";
    EXPECT_NEAR(Graph.DurationMs(), 6000, 100);

    Graph.Pause();
    Graph.Seek(3000);
    EXPECT_TRUE(RunUntil([&] { // what the player reports wins over what was asked
        RunFor(100ms);
        return std::abs(Graph.CurrentPosition() - 30000000) < 400000; // within a frame
    }));
    Graph.Seek(5500);
    Graph.Play();
    ASSERT_TRUE(RunUntil([&] { return Graph.CurrentPosition() / 10000 >= Graph.DurationMs(); }))
        << "the position reaches the length at the end";

    Graph.Clear();
    RunFor(300ms); // reports of the unloaded file change nothing
    EXPECT_EQ(Graph.CurrentPosition(), 0);
    EXPECT_EQ(Graph.DurationMs(), 0);
    EXPECT_THROW(Graph.Play(), std::exception);
}

TEST_F(MpvGraphTest, AShortFileStaysAtItsEnd) {
    Graph.SetActive(true);
    Graph.RenderFile(Media + "three_seconds_rv20_ac3.rm");
    ASSERT_TRUE(RunUntil([&] { return !Events.Outcomes.empty(); }));
    Graph.Play();
    ASSERT_TRUE(RunUntil([&] { return Graph.CurrentPosition() / 10000 >= Graph.DurationMs(); }));
    RunFor(1000ms); // the player steps back to the last picture meanwhile
    EXPECT_GE(Graph.CurrentPosition() / 10000, Graph.DurationMs());
}

TEST_F(MpvGraphTest, FilesWithoutAPipelineFailAndPartFilesSaySo) {
    TTempFolder Temp;
    Graph.SetActive(true);
    Graph.RenderFile(Temp.Write("noise.rm", std::string(20000, '\x5a')));
    ASSERT_TRUE(RunUntil([&] { return !Events.Outcomes.empty(); }));
    EXPECT_EQ(Events.Outcomes, std::vector<int>{-1});
    // What is not a regular file is refused at once: a pipe would hold the player.
    std::filesystem::create_directory(Temp.Path("folder.rm"));
    ASSERT_EQ(mkfifo(Temp.Path("pipe.rm").c_str(), 0600), 0);
    for (const std::string& Path :
         {Temp.Path("missing.rm"), Temp.Path("folder.rm"), Temp.Path("pipe.rm")}) {
        Events.Outcomes.clear();
        EXPECT_THROW(Graph.RenderFile(Path), std::exception) << Path;
        RunFor(100ms);
        EXPECT_TRUE(Events.Outcomes.empty()) << Path;
    }
    // Sound without a picture is told apart from a file that opens only in part.
    Events.Outcomes.clear();
    Graph.RenderFile(Media + "sound_only_ac3.rm");
    ASSERT_TRUE(RunUntil([&] { return !Events.Outcomes.empty(); }));
    EXPECT_EQ(Events.Outcomes, std::vector<int>{IMediaGraphListener::SoundAlone});
}

TEST_F(MpvGraphTest, AFileReplacedWhileLoadingReportsOnlyTheNewOne) {
    TTempFolder Temp;
    const std::string Noise = Temp.Write("noise.rm", std::string(20000, '\x5a'));
    Graph.SetActive(true);
    for (const auto Busy : {0ms, 5ms, 50ms, 150ms}) { // the owner's thread busy meanwhile
        for (const std::string& First : {Noise, Media + "clip_rv20_ac3.rm"}) {
            Events.Outcomes.clear();
            Graph.RenderFile(First);
            std::this_thread::sleep_for(Busy);
            Graph.RenderFile(Media + "clip_rv10_ac3.rm");
            ASSERT_TRUE(RunUntil([&] { return !Events.Outcomes.empty(); }));
            RunFor(200ms); // a late report of the first file would show here
            EXPECT_EQ(Events.Outcomes, std::vector<int>{0}) << First << " " << Busy.count();
        }
    }
}

} // namespace
