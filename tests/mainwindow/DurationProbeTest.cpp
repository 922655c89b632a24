#include "DurationProbe.h"
#include "Errors.h"
#include "FileSystem.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

const std::string Media = KORVALIN_TEST_MEDIA;

TEST(DurationProbe, PlayableFilesGiveWholeSecondsEverythingElseZero) {
    TTempFolder Temp;
    const std::string Valid = Media + "clip_rv20_ac3.rm";
    std::ifstream File(Valid, std::ios::binary);
    const std::string Bytes{std::istreambuf_iterator<char>(File), {}};
    Temp.Write("truncated.rm", Bytes.substr(0, 200));
    // Every header up to the media data's own, which tells the length, and no packet.
    Temp.Write("header-only.rm", Bytes.substr(0, Bytes.find("DATA") + 18));
    std::string Noise(20000, '\0');
    for (size_t I = 0; I < Noise.size(); ++I)
        Noise[I] = static_cast<char>((I * 7919 + 13) % 251);
    Temp.Write("noise.rm", Noise);
    Temp.Write("empty.rm", "");
    fs::create_directory(Temp.Path("folder.rm"));
    ASSERT_EQ(mkfifo(Temp.Path("pipe.rm").c_str(), 0600), 0); // nobody writes it

    const TMediaDurationProber Prober;
    const std::pair<std::string, int32_t> Cases[] = {
        {Valid, 6},
        {Media + "clip_rv10_ac3.rm", 6},
        {Media + "long_rv10_ac3.rm", 180},
        {Media + "short_rv10_ac3.rm", 0}, // 0.9 s: the remainder is dropped
        {Temp.Path("truncated.rm"), 0},
        {Temp.Path("header-only.rm"), 0},
        {Temp.Path("noise.rm"), 0},
        {Temp.Path("empty.rm"), 0},
        {Temp.Path("folder.rm"), 0},
        {Temp.Path("missing.rm"), 0},
        {Temp.Path("pipe.rm"), 0},
        {"/dev/zero", 0},
    };
    for (const auto& [Path, Seconds] : Cases)
        EXPECT_EQ(Prober.ProbeDuration(Path), Seconds) << Path;
    // A file that takes longer than allowed counts as unreadable.
    EXPECT_EQ(TMediaDurationProber(std::chrono::milliseconds(0)).ProbeDuration(Valid), 0);
}

TEST(DurationProbe, SizeOfAFileThatVanishedIsAnError) {
    TTempFolder Temp;
    EXPECT_EQ(FileSizeOf(Temp.Write("a.rm", "12345")), 5);
    fs::remove(Temp.Path("a.rm"));
    EXPECT_THROW(FileSizeOf(Temp.Path("a.rm")), EFOpenError);
}

} // namespace
