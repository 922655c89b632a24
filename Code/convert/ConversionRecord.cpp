#include "ConversionRecord.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

// Keys in the order written, so that a line reads from its start to its end.
using json = nlohmann::ordered_json;

namespace {

// A file name on a Linux disk may be any bytes; what is not UTF-8 is written
// with replacement characters rather than refused.
constexpr json::error_handler_t NonUtf8 = json::error_handler_t::replace;

json FileJson(const std::string& Path, const std::optional<TFileDigest>& Digest, double Seconds) {
    json File = {{"path", Path}};
    if (Digest) {
        File["size"] = Digest->Size;
        File["sha256"] = Digest->Sha256;
    }
    if (Seconds > 0)
        File["seconds"] = Seconds;
    return File;
}

json SettingsJson(const TConversionEntry& Entry) {
    json Options = json::object();
    for (const auto& [Name, Value] : Entry.Options)
        Options[Name] = Value;
    return {{"type", Entry.Type},
            {"options", Options},
            {"trim", {{"start", Entry.StartTime}, {"end", Entry.EndTime}}}};
}

// Settings compared as values, whatever order a line holds their keys in.
std::string CanonicalText(const json& Settings) {
    return nlohmann::json(Settings).dump(-1, ' ', false, NonUtf8);
}

std::string KeyOf(const std::string& Source, const std::string& Settings) {
    return Source + '\n' + Settings;
}

} // namespace

std::string SettingsKey(const TConversionEntry& Entry) {
    return CanonicalText(SettingsJson(Entry));
}

std::string RecordLine(const TConversionEntry& Entry) {
    json Line = {{"started", Entry.Started},
                 {"ended", Entry.Ended},
                 {"host", Entry.Host},
                 {"source", FileJson(Entry.Source, Entry.SourceDigest, Entry.SourceSeconds)}};
    Line.update(SettingsJson(Entry));
    Line["command"] = Entry.Command;
    Line["versions"] = {{"korvalin-convert", Entry.ConverterVersion},
                        {"evc.exe", Entry.EncoderVersion},
                        {"ffmpeg", Entry.FfmpegVersion}};
    Line["output"] = Entry.Output.empty()
                         ? json()
                         : FileJson(Entry.Output, Entry.OutputDigest, Entry.OutputSeconds);
    Line["outcome"] = Entry.Outcome;
    Line["reason"] = Entry.Reason;
    return Line.dump(-1, ' ', false, NonUtf8);
}

void AppendRecordLine(const std::string& RecordFile, const std::string& Line) {
    const int File = open(RecordFile.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (File < 0)
        throw std::system_error(errno, std::generic_category(), "cannot open " + RecordFile);
    const std::string Text = Line + "\n";
    int Error = flock(File, LOCK_EX) == 0 ? 0 : errno;
    for (size_t Written = 0; Error == 0 && Written < Text.size();) {
        const ssize_t Count = write(File, Text.data() + Written, Text.size() - Written);
        if (Count < 0 && errno != EINTR)
            Error = errno;
        Written += Count > 0 ? static_cast<size_t>(Count) : 0;
    }
    close(File); // releases the lock
    if (Error != 0)
        throw std::system_error(Error, std::generic_category(), "cannot write " + RecordFile);
}

TRecordIndex TRecordIndex::Load(const std::string& RecordFile) {
    TRecordIndex Index;
    std::ifstream Record(RecordFile);
    for (std::string Line; std::getline(Record, Line);) {
        const json Entry = json::parse(Line, nullptr, false);
        if (!Entry.is_object() || !Entry.contains("output") || !Entry["output"].is_object())
            continue;
        const std::string Outcome = Entry.value("outcome", "");
        if (Outcome != "converted" && Outcome != "incomplete")
            continue;
        const json Settings = {{"type", Entry.value("type", "")},
                               {"options", Entry.value("options", json::object())},
                               {"trim", Entry.value("trim", json::object())}};
        const json& Source = Entry["source"];
        const json& Output = Entry["output"];
        Index.Made[KeyOf(Source.value("path", ""), CanonicalText(Settings))] = {
            Outcome == "converted", Source.value("sha256", ""), Output.value("path", ""),
            Output.value("sha256", "")};
    }
    return Index;
}

const TRecordIndex::TMade* TRecordIndex::Find(const std::string& Source,
                                              const std::string& Settings) const {
    const auto Found = Made.find(KeyOf(Source, Settings));
    return Found == Made.end() ? nullptr : &Found->second;
}
