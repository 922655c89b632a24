#pragma once

#include <map>
#include <string>
#include <vector>

// What libavformat sees in a media file.
struct TMediaInfo {
    bool Opened = false;
    std::string Brand;                  // the MP4 family's major brand ("3gp4", "isom"), else empty
    std::string Demuxer;                // libavformat's demuxer name
    std::string VideoCodec, AudioCodec; // empty when there is no such stream
    int Width = 0, Height = 0;
    double FrameRate = 0;
    std::string PixelFormat, VideoProfile, AudioProfile; // "yuv420p", "Main", "LC"
    int VideoLevel = 0;                                  // 31 for level 3.1
    int SampleRate = 0, Channels = 0;
    double Duration = 0; // seconds
};

TMediaInfo ProbeMedia(const std::string& Path);

// The types of an MP4 family file's top-level boxes, in file order ("ftyp",
// "moov", "mdat", ...).
std::vector<std::string> TopLevelBoxes(const std::string& Path);

// The loudness of the first audio stream, decoded whole.
struct TAudioLevels {
    double Peak = 0;         // the largest sample, 1.0 being full scale
    long long FullScale = 0; // samples at or past full scale in 16 bits
    long long Samples = 0;
};
TAudioLevels MeasureAudio(const std::string& Path);

// The tag items of a file as its players find them: an MP3's ID3v2 frames
// ("TIT2", "COMM", ...), or the boxes of an MP4 family file's user data
// ("titl", "auth", ... in 3GP; "©nam", "©ART", ... in its item list), each
// with its text.
std::map<std::string, std::string> ReadTagItems(const std::string& Path);
