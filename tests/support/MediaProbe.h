#pragma once

#include <string>

// What libavformat sees in a media file.
struct TMediaInfo {
    bool Opened = false;
    std::string Brand;                  // the MP4 family's major brand ("3gp4", "isom"), else empty
    std::string Demuxer;                // libavformat's demuxer name
    std::string VideoCodec, AudioCodec; // empty when there is no such stream
    int Width = 0, Height = 0;
    double FrameRate = 0;
    int SampleRate = 0, Channels = 0;
    double Duration = 0; // seconds
};

TMediaInfo ProbeMedia(const std::string& Path);
