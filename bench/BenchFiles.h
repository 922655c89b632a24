#pragma once

// What the benchmarks share: a fresh working folder and generated RealMedia clips.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// An empty folder of the given name in the temporary folder.
inline std::filesystem::path FreshBenchFolder(const std::string& Name) {
    const std::filesystem::path Folder = std::filesystem::temp_directory_path() / Name;
    std::filesystem::remove_all(Folder);
    std::filesystem::create_directories(Folder);
    return Folder;
}

// A 320 x 240 rv20 clip with ac3 sound of the given length, made by ffmpeg.
inline bool MakeRealMediaClip(const std::filesystem::path& File, int Seconds,
                              const std::string& Size = "320x240") {
    const std::string Make = "ffmpeg -v error -f lavfi -i testsrc=size=" + Size +
                             ":rate=25 -f lavfi -i sine=sample_rate=44100 -t " +
                             std::to_string(Seconds) + " -c:v rv20 -c:a ac3 -ac 2 '" +
                             File.string() + "'";
    return std::system(Make.c_str()) == 0;
}

// Count names in the folder, "clip N.rm", for one file: hard links, so that
// an archive of thousands takes the room of one.
inline std::vector<std::filesystem::path>
NamesForAFile(const std::filesystem::path& Folder, const std::filesystem::path& File, int Count) {
    std::vector<std::filesystem::path> Files;
    for (int Index = 0; Index < Count; ++Index) {
        Files.push_back(Folder / ("clip " + std::to_string(Index) + ".rm"));
        std::filesystem::create_hard_link(File, Files.back());
    }
    return Files;
}

// Count names of one 30-second clip in the folder; empty when the clip cannot be made.
inline std::vector<std::filesystem::path> CopiesOfAClip(const std::filesystem::path& Folder,
                                                        int Count) {
    const std::filesystem::path Source = Folder / "source.rm";
    if (!MakeRealMediaClip(Source, 30))
        return {};
    return NamesForAFile(Folder, Source, Count);
}
