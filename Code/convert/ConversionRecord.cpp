#include "ConversionRecord.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <string_view>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>
#include <unordered_set>

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

// The source's path as a line of ours writes it, quoted and escaped; empty
// for a line of another form.
std::string_view QuotedSourcePath(std::string_view Line) {
    constexpr std::string_view Lead = "\"source\":{\"path\":";
    const size_t Start = Line.find(Lead);
    if (Start == std::string_view::npos)
        return {};
    const size_t Quote = Start + Lead.size();
    for (size_t At = Quote + 1; At < Line.size(); ++At) {
        if (Line[At] == '\\')
            ++At;
        else if (Line[At] == '"')
            return Line.substr(Quote, At + 1 - Quote);
    }
    return {};
}

// A path as a line of the record holds it: quoted and escaped. Keys are made
// of this form, so that a name that is not UTF-8 is found again too.
std::string QuotedText(const std::string& Text) {
    return json(Text).dump(-1, ' ', false, NonUtf8);
}

// A recorded SHA-256; all zeros, which no file has, for one of another form.
TRecordIndex::TSha256 ShaOf(const json& Recorded) {
    TRecordIndex::TSha256 Sha{};
    const std::string& Text = Recorded.get_ref<const std::string&>();
    if (Text.size() == Sha.size())
        std::copy(Text.begin(), Text.end(), Sha.begin());
    return Sha;
}

// Each source's key names its settings by number: the settings of a record's
// lines are mostly the same, and are kept once.
std::string KeyOf(const std::string& Source, size_t SettingsNumber) {
    return Source + '\n' + std::to_string(SettingsNumber);
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
    Line["script"] = Entry.Script;
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
    int Error = 0;
    while (flock(File, LOCK_EX) != 0 && (Error = errno) == EINTR)
        Error = 0;
    const off_t Before = Error == 0 ? lseek(File, 0, SEEK_END) : -1;
    for (size_t Written = 0; Error == 0 && Written < Text.size();) {
        const ssize_t Count = write(File, Text.data() + Written, Text.size() - Written);
        if (Count < 0 && errno != EINTR)
            Error = errno;
        Written += Count > 0 ? static_cast<size_t>(Count) : 0;
    }
    // Takes back a line written in part, so that the next one starts a line of its own.
    if (Error != 0 && Before >= 0 && ftruncate(File, Before) != 0)
        Error = errno;
    close(File); // releases the lock
    if (Error != 0)
        throw std::system_error(Error, std::generic_category(), "cannot write " + RecordFile);
}

TRecordIndex TRecordIndex::Load(const std::string& RecordFile,
                                const std::vector<std::string>& Sources) {
    // Hashes, not the paths again: a line of another source whose hash matches
    // by chance is only kept under its own path, which no source looks up.
    const std::hash<std::string_view> Hash;
    std::unordered_set<size_t> Wanted;
    for (const std::string& Source : Sources)
        Wanted.insert(Hash(QuotedText(Source)));
    TRecordIndex Index;
    std::ifstream Record(RecordFile);
    for (std::string Line; std::getline(Record, Line);) {
        const std::string_view Source = QuotedSourcePath(Line);
        if (!Wanted.contains(Hash(Source)))
            continue;
        try { // a line of another form or with values of other kinds is passed over
            const json Entry = json::parse(Line);
            const std::string Outcome = Entry.at("outcome");
            if (Outcome != "converted" && Outcome != "incomplete")
                continue;
            const json Settings = {{"type", Entry.at("type")},
                                   {"options", Entry.at("options")},
                                   {"trim", Entry.at("trim")}};
            const auto Pooled =
                Index.SettingsNumbers.emplace(CanonicalText(Settings), Index.SettingsNumbers.size())
                    .first;
            const json& Made = Entry.at("source");
            const json& Output = Entry.at("output");
            Index.Made[KeyOf(std::string(Source), Pooled->second)] = {
                Outcome == "converted", Made.at("size").get<uint64_t>(), ShaOf(Made.at("sha256")),
                ShaOf(Output.at("sha256")), Output.at("path")};
        } catch (const nlohmann::json::exception&) {
        }
    }
    return Index;
}

const TRecordIndex::TMade* TRecordIndex::Find(const std::string& Source,
                                              const std::string& Settings) const {
    const auto Known = SettingsNumbers.find(Settings);
    if (Known == SettingsNumbers.end())
        return nullptr;
    const auto Found = Made.find(KeyOf(QuotedText(Source), Known->second));
    return Found == Made.end() ? nullptr : &Found->second;
}
