// The preview's costs, on the offscreen platform with a 320 x 240 clip and no
// sound output: the idle main window's processor time, the time from Play to
// the first picture, the processor time and memory while it plays, and how far
// an exact seek lands from where it was sent.
//
//   build/bench/preview_bench
#include "BenchFiles.h"
#include "BenchProgram.h"
#include "KorvalinApplication.h"
#include "MpvGraph.h"
#include "QueuedDispatcher.h"
#include "SourceListView.h"
#include "Unit_CommonLib.h"
#include "VideoArea.h"
#include "ui_Unit_Convert.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace {

double ProcessorSeconds() {
    timespec Now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &Now);
    return static_cast<double>(Now.tv_sec) + static_cast<double>(Now.tv_nsec) / 1e9;
}

// Runs the event loop for a while, as the program's own loop runs.
void RunEventLoopFor(int Milliseconds) {
    QEventLoop Loop;
    QTimer::singleShot(Milliseconds, &Loop, &QEventLoop::quit);
    Loop.exec();
}

// Share of one core the process used while the event loop ran for Seconds.
double CoreShareOver(int Seconds) {
    const double Before = ProcessorSeconds();
    RunEventLoopFor(Seconds * 1000);
    return (ProcessorSeconds() - Before) / Seconds * 100;
}

long ResidentKilobytes(const char* Field) {
    std::ifstream Status("/proc/self/status");
    for (std::string Line; std::getline(Status, Line);)
        if (Line.rfind(Field, 0) == 0)
            return std::stol(Line.substr(std::string(Field).size()));
    return 0;
}

// Runs the event loop until Done, for ten seconds at the most; false when Done never came.
bool RunEventLoopUntil(const std::function<bool()>& Done) {
    QElapsedTimer Clock;
    Clock.start();
    while (!Done() && Clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return Done();
}

// Seeks a graph of its own to a few places and reports the largest distance,
// in milliseconds, between a target and the position of the picture the player
// draws there; -1 when a seek draws nothing.
double WorstSeekMiss(const fs::path& Clip) {
    QObject Owner;
    TQueuedDispatcher Dispatcher(Owner);
    struct : IMediaGraphListener {
        void Rendered(int) override { Open = true; }
        void RenderFailed() override {}
        void FrameReady(std::shared_ptr<const TVideoFrame>) override { ++Frames; }
        bool Open = false;
        int Frames = 0;
    } Events;
    TMpvGraph Graph(Dispatcher, Events, "null");
    Graph.SetActive(true);
    Graph.SetVideoSize(253, 152);
    Graph.RenderFile(Clip.string());
    if (!RunEventLoopUntil([&] { return Events.Open; }))
        return -1;
    double Worst = 0;
    for (const int64_t Target : {23000, 7040, 15520, 28000, 1000}) {
        const int FramesBefore = Events.Frames;
        Graph.Seek(Target);
        if (!RunEventLoopUntil([&] { return Events.Frames > FramesBefore; }))
            return -1;
        RunEventLoopFor(100); // the position report that goes with the picture
        Worst = std::max(Worst, std::abs(Graph.CurrentPosition() / 10000.0 - Target));
    }
    return Worst;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TKorvalinApplication Application(argc, argv);
    const fs::path Folder = FreshBenchFolder("korvalin-preview-bench");
    const fs::path Clip = Folder / "clip.rm";
    if (!MakeRealMediaClip(Clip, 30))
        return 1;
    TBenchProgram Program(Folder);
    Ui::TFrmMainForm& Main = *FrmMainForm->ui;
    CommonLib->AddSourceFiles(*Main.dxTreeSourceFileInfo, {QString::fromStdString(Clip.string())});

    const double Idle = CoreShareOver(5);

    QElapsedTimer Clock;
    Clock.start();
    Main.btnPlay->click();
    if (!RunEventLoopUntil([&] { return Main.DSVideoWindowEx1->HasPicture(); }))
        return 1;
    const qint64 FirstPicture = Clock.elapsed();
    const double Playing = CoreShareOver(10);
    const long Resident = ResidentKilobytes("VmHWM:");
    Main.btnStop->click();

    std::printf("idle main window: %.2f%% of one core\n", Idle);
    std::printf("Play to first picture: %lld ms\n", static_cast<long long>(FirstPicture));
    std::printf("previewing 320x240 at 25 fps: %.1f%% of one core, peak resident %ld MB\n", Playing,
                Resident / 1024);
    std::printf("exact seeks: worst miss %.1f ms (one frame is 40 ms)\n", WorstSeekMiss(Clip));
    fs::remove_all(Folder);
    return 0;
}
