// What the encoder runner costs: the CPU time its loop uses while an encoder
// writes a status line every 500 ms for 10 seconds, and how long after the
// encoder's end RunConsoleCommand returns.
//
//   build/bench/runner_bench
#include "AdvanceSystem.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

double ThreadCpuSeconds() {
    timespec Now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &Now);
    return static_cast<double>(Now.tv_sec) + static_cast<double>(Now.tv_nsec) / 1e9;
}

long long MonotonicNanoseconds() {
    timespec Now{};
    clock_gettime(CLOCK_MONOTONIC, &Now);
    return Now.tv_sec * 1000000000LL + Now.tv_nsec;
}

// Mean and worst time from the encoder's end to RunConsoleCommand's return, in ms.
void MeasureEndDelay(const std::string& Encoder, const std::string& Steps, const char* Label) {
    const std::string StampFile = "/tmp/korvalin-runner-bench-" + std::to_string(getpid());
    const int Runs = 20;
    double Worst = 0, Total = 0;
    for (int Run = 0; Run < Runs; ++Run) {
        RunConsoleCommand(Encoder + " " + Steps + " --stamp " + StampFile,
                          [](const std::string&) {});
        const long long Returned = MonotonicNanoseconds();
        long long Exited = 0;
        std::ifstream(StampFile) >> Exited;
        const double Delay = static_cast<double>(Returned - Exited) / 1e6;
        Total += Delay;
        Worst = Delay > Worst ? Delay : Worst;
    }
    std::remove(StampFile.c_str());
    std::printf("encoder end to return, %s: mean %.1f ms, worst %.1f ms over %d runs\n", Label,
                Total / Runs, Worst, Runs);
}

} // namespace

int main() {
    const std::string Encoder = "\"" FAKE_ENCODER "\"";
    int Texts = 0;
    const auto Count = [&](const std::string&) { ++Texts; };

    const auto WallStart = std::chrono::steady_clock::now();
    const double CpuStart = ThreadCpuSeconds();
    RunConsoleCommand(Encoder + " --slow 20 500", Count);
    const double Cpu = ThreadCpuSeconds() - CpuStart;
    const double Wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - WallStart).count();
    std::printf("encoder writing for %.1f s: %d texts, runner CPU %.1f ms = %.3f%% of one core\n",
                Wall, Texts, Cpu * 1000, 100 * Cpu / Wall);

    MeasureEndDelay(Encoder, "--sleep 300", "after silence");
    MeasureEndDelay(Encoder, "--write 10", "right after its last output");
    return 0;
}
