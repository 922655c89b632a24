#include "Waveform.h"

#include <gtest/gtest.h>

namespace {

const std::string Media = KORVALIN_TEST_MEDIA;

// The waveform puts the loud part where the tone is, the silence around it at
// the bottom, and gives nothing for a file without sound that decodes.
TEST(Waveform, TheToneStandsWhereItPlaysAndSilenceLiesFlat) {
    const std::vector<float> Levels = ReadWaveform(Media + "silence_tone_silence_ac3.rm", 60);
    ASSERT_EQ(Levels.size(), 60u);
    for (size_t Column = 0; Column < 60; ++Column) {
        const double Second = Column / 10.0;
        if (Second > 2.3 && Second < 3.7) {
            EXPECT_GT(Levels[Column], 0.8) << Second; // -9 dBFS RMS stands high
        } else if (Second < 1.7 || Second > 4.3) {
            EXPECT_LT(Levels[Column], 0.05) << Second;
        }
    }
    EXPECT_FALSE(ReadWaveform(Media + "sound_only_ac3.rm", 1000).empty()) << "more columns "
                                                                             "than packets";
    EXPECT_TRUE(ReadWaveform(Media + "empty_real144.ra", 100).empty());
    std::stop_source Stopped;
    Stopped.request_stop();
    EXPECT_TRUE(
        ReadWaveform(Media + "silence_tone_silence_ac3.rm", 60, Stopped.get_token()).empty());
}

} // namespace
