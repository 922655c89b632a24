#include "OutputSummary.h"

#include "StrFunc.h"

#include <array>
#include <cctype>
#include <string_view>
#include <vector>

namespace {

constexpr std::array<std::string_view, 6> TypeWords = {"3GP",  "MPEG-4", "PSP",
                                                       "iPod", "MP3",    "H.264"};
constexpr std::string_view Separator = " \u00b7 ";

// The value a piece passes, such as "176x144" of " -s 176x144"; empty for none.
std::string ValueOf(const std::string& Piece) {
    const std::string Text = Trim(Piece);
    const size_t Blank = Text.rfind(' ');
    return Blank == std::string::npos ? std::string() : Text.substr(Blank + 1);
}

// The codec a piece of codec arguments names after Flag, in capitals.
std::string CodecOf(const std::string& CodecParam, const std::string& Flag) {
    const size_t At = CodecParam.find(Flag + " ");
    if (At == std::string::npos)
        return {};
    std::string Codec = CodecParam.substr(At + Flag.size() + 1);
    Codec = Codec.substr(0, Codec.find(' '));
    for (char& Letter : Codec)
        Letter = static_cast<char>(std::toupper(static_cast<unsigned char>(Letter)));
    return Codec;
}

// "44.1 kHz" of "44100".
std::string KiloHertz(const std::string& Hertz) {
    std::string Text =
        Hertz.size() > 3 ? Hertz.substr(0, Hertz.size() - 3) + "." + Hertz.substr(Hertz.size() - 3)
                         : "0." + std::string(3 - Hertz.size(), '0') + Hertz;
    while (Text.back() == '0')
        Text.pop_back();
    if (Text.back() == '.')
        Text.pop_back();
    return Text + " kHz";
}

} // namespace

std::string OutputSummary(const TOptionSelection& Options, const std::string& ProfileName) {
    TConvertParameters Pieces;
    ReadOptionPieces(Options, Pieces);
    const bool Video = Pieces.CodecParam.find("-vcodec") != std::string::npos &&
                       Pieces.CodecParam.find("-vn") == std::string::npos;
    const bool Typed =
        Options.OutputType >= 0 && static_cast<size_t>(Options.OutputType) < TypeWords.size();
    std::vector<std::string> Parts = {
        Typed ? std::string(TypeWords[static_cast<size_t>(Options.OutputType)])
              : CodecOf(Pieces.CodecParam, "-vcodec")};
    if (Video)
        Parts.insert(Parts.end(),
                     {ValueOf(Pieces.VideoSizeParam), ValueOf(Pieces.FramerateParam) + " fps",
                      ValueOf(Pieces.VideoBitrateParam) + " kbit/s"});
    const std::string Channels = ValueOf(Pieces.ChannelsParam);
    Parts.push_back((Video ? CodecOf(Pieces.CodecParam, "-acodec") + " " : "") +
                    ValueOf(Pieces.AudioBitrateParam) + " kbit/s " +
                    (Channels == "1"   ? "mono"
                     : Channels == "2" ? "stereo"
                                       : Channels + " channels") +
                    " " + KiloHertz(ValueOf(Pieces.SampleParam)));
    if (const std::string Volume = ValueOf(Pieces.VolumeParam); !Volume.empty())
        Parts.push_back("volume " + Volume + " %");
    if (!ProfileName.empty())
        Parts.push_back("profile \"" + ProfileName + "\"");
    std::string Line = Parts.front();
    for (size_t Part = 1; Part < Parts.size(); ++Part)
        Line += std::string(Separator) + Parts[Part];
    return Line;
}
