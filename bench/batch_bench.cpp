// A three-file batch with the real evc.exe, driven from the main window
// (offscreen): the longest time the user-interface thread went without turning
// its event loop, and for each file how much longer it took in the batch than
// its encoder's own run, also counted beyond the 2 s pause and the 3 s wait
// that every file has. A small wrapper in evc.exe's place notes when the real
// encoder starts and ends. Then how far the progress window's time-left
// estimates were from the time really left, from the moment they show.
//
//   build/bench/batch_bench
#include "BenchFiles.h"
#include "BenchProgram.h"
#include "KorvalinApplication.h"
#include "SourceListView.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"
#include "Unit_Converting.h"
#include "ui_Unit_Convert.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using TClock = std::chrono::system_clock; // the wrapper's clock too

namespace {

double Seconds(TClock::duration Duration) {
    return std::chrono::duration<double>(Duration).count();
}

// The encoder's start and end times the wrapper noted, in turn.
std::vector<TClock::time_point> Stamps(const fs::path& File) {
    std::vector<TClock::time_point> Times;
    std::ifstream Stream(File);
    for (long long Nanoseconds = 0; Stream >> Nanoseconds;)
        Times.push_back(TClock::time_point(
            std::chrono::duration_cast<TClock::duration>(std::chrono::nanoseconds(Nanoseconds))));
    return Times;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TKorvalinApplication Application(argc, argv);
    const fs::path Folder = FreshBenchFolder("korvalin-batch-bench");
    const fs::path StampFile = Folder / "stamps";
    std::ofstream(Folder / "evc.exe")
        << "#!/bin/sh\ndate +%s%N >>'" << StampFile.string() << "'\n'" << EVC_PROGRAM
        << "' \"$@\"\ncode=$?\n"
        << "date +%s%N >>'" << StampFile.string() << "'\nexit $code\n";
    fs::permissions(Folder / "evc.exe", fs::perms::owner_all);
    QStringList Files;
    for (int I = 0; I < 3; ++I) {
        const fs::path File = Folder / ("clip " + std::to_string(I) + ".rm");
        if (!MakeRealMediaClip(File, 60, "1280x720")) // big enough to take a few seconds
            return 1;
        Files << QString::fromStdString(File.string());
    }

    const TBenchProgram Program(Folder);
    FrmMainForm->ui->chkShowOutputDirectory->setChecked(false);
    FrmMainForm->ui->edtOutputFolder->setText(QString::fromStdString((Folder / "out").string()));
    CommonLib->AddSourceFiles(*FrmMainForm->ui->dxTreeSourceFileInfo, Files);

    // Each file is done at the loop turn that sees the batch count it.
    std::vector<TClock::time_point> FileEnds;
    struct TSample {
        TClock::time_point At;
        size_t File;
        TTimeLeft Left;
    };
    std::vector<TSample> Samples;
    TEventLoopWatch Watch([&] {
        if (FileEnds.size() < static_cast<size_t>(CustomProc->Batch.DoneCount))
            FileEnds.push_back(TClock::now());
        const auto Now = TClock::now(); // a sample every 50 ms is plenty
        if (!Samples.empty() && Now - Samples.back().At < std::chrono::milliseconds(50))
            return;
        if (const std::optional<TTimeLeft> Left = frmConverting->TimeLeft();
            Left && frmConverting->isVisible())
            Samples.push_back({Now, FileEnds.size(), *Left});
    });
    Watch.Start();
    const auto Start = TClock::now();
    CustomProc->Batch.ConvertFileList();
    while (CustomProc->Batch.Running())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Watch.Stop();
    if (FileEnds.size() < static_cast<size_t>(CustomProc->Batch.DoneCount))
        FileEnds.push_back(TClock::now());
    std::printf("longest event-loop gap during the batch: %.1f ms\n",
                Watch.LongestGapMilliseconds());

    const std::vector<TClock::time_point> Encoder = Stamps(StampFile);
    auto FileStart = Start;
    for (size_t I = 0; I < FileEnds.size() && 2 * I + 1 < Encoder.size(); ++I) {
        const double Run = Seconds(Encoder[2 * I + 1] - Encoder[2 * I]);
        const double InBatch = Seconds(FileEnds[I] - FileStart);
        const double Pauses = 2.0 + std::max(3.0, Run);
        std::printf("file %zu: %.3f s in the batch, encoder %.3f s, beyond it %.3f s "
                    "(%.0f ms beyond the 2 s pause and the 3 s wait)\n",
                    I + 1, InBatch, Run, InBatch - Run, (InBatch - Pauses) * 1000);
        FileStart = FileEnds[I];
    }

    // Relative errors while at least 5 s are really left; closer to the end a
    // second is a large share.
    double WorstFile = 0, WorstBatch = 0;
    for (const TSample& Sample : Samples) {
        if (Sample.File >= FileEnds.size())
            continue;
        const double FileLeft = Seconds(FileEnds[Sample.File] - Sample.At);
        const double BatchLeft = Seconds(FileEnds.back() - Sample.At);
        if (FileLeft >= 5)
            WorstFile =
                std::max(WorstFile, std::abs(Sample.Left.FileSeconds - FileLeft) / FileLeft);
        if (BatchLeft >= 5)
            WorstBatch =
                std::max(WorstBatch, std::abs(Sample.Left.BatchSeconds - BatchLeft) / BatchLeft);
    }
    if (!Samples.empty())
        std::printf("time left, first shown %.1f s into the batch: worst error %.0f %% for the "
                    "file, %.0f %% for the batch (while 5 s or more were left)\n",
                    Seconds(Samples.front().At - Start), WorstFile * 100, WorstBatch * 100);
    fs::remove_all(Folder);
    return 0;
}
