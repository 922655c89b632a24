#include "OutputSummary.h"

#include "StrFunc.h"
#include "Unit_ConfigInfo.h"

#include <cctype>
#include <charconv>
#include <vector>

namespace {

// The value a piece passes, such as "176x144" of " -s 176x144"; empty for none.
std::string ValueOf(std::string_view Piece) {
    const std::string Text = Trim(Piece);
    const size_t Blank = Text.rfind(' ');
    return Blank == std::string::npos ? std::string() : Text.substr(Blank + 1);
}

// The codec that the codec arguments name after Flag, in capitals.
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
    char Text[32];
    const double Kilo = std::stod(Hertz) / 1000;
    return std::string(Text, std::to_chars(Text, Text + sizeof Text, Kilo).ptr) + " kHz";
}

// The sound's part: "128 kbit/s stereo 44.1 kHz", the codec before it when given.
std::string SoundOf(const std::string& Codec, const std::string& Bitrate,
                    const std::string& Channels, const std::string& Hertz) {
    return (Codec.empty() ? "" : Codec + " ") + Bitrate + " kbit/s " +
           (Channels == "1" ? "mono " : "stereo ") + KiloHertz(Hertz);
}

} // namespace

std::string OutputSummary(const TOptionSelection& Options, const std::string& ProfileNote) {
    TConvertParameters Pieces;
    ReadOptionPieces(Options, Pieces);
    const TCommandForm Form = CommandFormOf(Pieces);
    const bool Typed = Options.OutputType >= 0 && Options.OutputType < ConfigInfo::OutputTypeCount;
    std::vector<std::string> Parts = {
        Typed ? std::string(ConfigInfo::cstTypeWords[static_cast<size_t>(Options.OutputType)])
              : CodecOf(Pieces.CodecParam, "-vcodec")};
    const std::string Bitrate = ValueOf(Pieces.AudioBitrateParam);
    if (Form == TCommandForm::Video)
        Parts.insert(Parts.end(),
                     {ValueOf(Pieces.VideoSizeParam), ValueOf(Pieces.FramerateParam) + " fps",
                      ValueOf(Pieces.VideoBitrateParam) + " kbit/s",
                      SoundOf(CodecOf(Pieces.CodecParam, "-acodec"), Bitrate,
                              ValueOf(Pieces.ChannelsParam), ValueOf(Pieces.SampleParam))});
    else if (Form == TCommandForm::Audio)
        Parts.push_back(
            SoundOf({}, Bitrate, ValueOf(Pieces.ChannelsParam), ValueOf(Pieces.SampleParam)));
    else if (Form == TCommandForm::PhoneAudio)
        Parts.push_back(SoundOf({}, Bitrate, "1", "8000"));
    if (const std::string Volume = ValueOf(Pieces.VolumeParam);
        !Volume.empty() && Form != TCommandForm::Target)
        Parts.push_back("volume " + Volume + " %");
    if (!ProfileNote.empty())
        Parts.push_back(ProfileNote);
    std::string Line = Parts.front();
    for (size_t Part = 1; Part < Parts.size(); ++Part)
        Line += " \u00b7 " + Parts[Part];
    return Line;
}
