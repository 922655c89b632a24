// How long probing a file's duration takes: 500 RealMedia files probed in
// process, beside an ffprobe process for 20 of them.
//
//   build/bench/probe_bench
#include "BenchFiles.h"
#include "DurationProbe.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

namespace {

double MedianMilliseconds(std::vector<double> Times) {
    std::sort(Times.begin(), Times.end());
    return Times[Times.size() / 2];
}

double MillisecondsSince(TClock::time_point Start) {
    return std::chrono::duration<double, std::milli>(TClock::now() - Start).count();
}

} // namespace

int main() {
    const fs::path Folder = FreshBenchFolder("korvalin-probe-bench");
    const std::vector<fs::path> Files = CopiesOfAClip(Folder, 500);
    if (Files.empty())
        return 1;

    const TMediaDurationProber Prober;
    std::vector<double> InProcess;
    for (const fs::path& File : Files) {
        const auto Start = TClock::now();
        if (Prober.ProbeDuration(File) != 30)
            return 1;
        InProcess.push_back(MillisecondsSince(Start));
    }
    std::vector<double> Processes;
    for (size_t I = 0; I < 20; ++I) {
        const auto Start = TClock::now();
        const std::string Probe = "ffprobe -v error -show_entries format=duration -of csv=p=0 '" +
                                  Files[I].string() + "' >/dev/null";
        if (std::system(Probe.c_str()) != 0)
            return 1;
        Processes.push_back(MillisecondsSince(Start));
    }
    std::printf("in process: median %.3f ms per file over %zu files\n",
                MedianMilliseconds(InProcess), InProcess.size());
    std::printf("ffprobe process: median %.1f ms per file over %zu files\n",
                MedianMilliseconds(Processes), Processes.size());
    fs::remove_all(Folder);
    return 0;
}
