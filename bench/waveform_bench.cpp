// What drawing an audio-only file's waveform costs: a generated hour of sound
// (ac3 in RealMedia, a tone at -30 dBFS that pauses every few seconds, as
// speech does) read into 1000 columns, the best of three rounds. The file is
// made once by ffmpeg and kept in the temporary folder for later runs, so the
// figure is that of a file the system has cached.
//
//   build/bench/waveform_bench [MINUTES]
#include "BenchFiles.h"
#include "Waveform.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    const int Minutes = argc > 1 ? std::atoi(argv[1]) : 60;
    const std::filesystem::path File = std::filesystem::temp_directory_path() /
                                       ("korvalin-waveform-" + std::to_string(Minutes) + ".rm");
    if (!std::filesystem::exists(File)) {
        // Made under another name first: a run broken off leaves no half file.
        const std::string Making = File.string() + ".making.rm";
        const std::string Make = "ffmpeg -v error -y -f lavfi -i "
                                 "\"aevalsrc=exprs='0.0447*sin(2*PI*300*t)*lt(mod(t,5),3)'"
                                 ":s=44100:d=" +
                                 std::to_string(Minutes * 60) + "\" -c:a ac3 -ac 2 '" + Making +
                                 "'";
        if (std::system(Make.c_str()) != 0)
            return 1;
        std::filesystem::rename(Making, File);
    }
    double Best = 1e9;
    std::vector<float> Levels;
    for (int Round = 0; Round < 3; ++Round) {
        const auto Start = std::chrono::steady_clock::now();
        Levels = ReadWaveform(File.string(), 1000);
        Best = std::min(
            Best, std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count());
    }
    const auto [Low, High] = std::minmax_element(Levels.begin(), Levels.end());
    std::printf("%d min of sound (%.1f MB): waveform of %zu columns in %.3f s (levels %.2f to "
                "%.2f)\n",
                Minutes, std::filesystem::file_size(File) / 1048576.0, Levels.size(), Best,
                Levels.empty() ? 0 : *Low, Levels.empty() ? 0 : *High);
    return Levels.empty() ? 1 : 0;
}
