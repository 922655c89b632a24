#pragma once

#include "FileDigest.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// One file of a korvalin-convert run, as the record keeps it: what was
// converted from what, with which settings and programs, and how it ended.
struct TConversionEntry {
    std::string Started, Ended; // UTC, as 2026-12-11T13:45:07Z
    std::string Host;
    std::string Source;
    std::optional<TFileDigest> SourceDigest;
    double SourceSeconds = 0;
    std::string StartTime, EndTime; // the trim
    std::string Type;
    std::vector<std::pair<std::string, std::string>> Options;
    std::string Command;
    std::string Script; // the one line the command's script held
    std::string ConverterVersion, EncoderVersion, FfmpegVersion;
    std::string Output;
    std::optional<TFileDigest> OutputDigest;
    double OutputSeconds = 0;
    std::string Outcome; // converted, incomplete, failed, skipped or stopped
    std::string Reason;  // in words; empty for a file converted
};

// The entry as one line of JSON, without the line feed.
std::string RecordLine(const TConversionEntry& Entry);

// What tells one conversion's settings from another's: the type, the options
// and the trim.
std::string SettingsKey(const TConversionEntry& Entry);

// Appends one line to the record under an exclusive lock, so that runs side
// by side never interleave their lines; the file is made when missing.
// Throws std::system_error when it cannot be written.
void AppendRecordLine(const std::string& RecordFile, const std::string& Line);

// The outputs a record says were made: for each source and settings, the
// latest entry that left an output (converted or incomplete). Lines that are
// not such entries, a line cut short say, are passed over.
class TRecordIndex {
public:
    // A SHA-256 in hexadecimal, kept in place: an archive's index holds
    // tens of thousands of them.
    using TSha256 = std::array<char, 64>;
    struct TMade {
        bool Complete = false;
        uint64_t SourceSize = 0;
        TSha256 SourceSha256{}, OutputSha256{};
        std::string Output;
    };
    static bool SameSha256(const TSha256& Kept, std::string_view Sha256) {
        return Sha256 == std::string_view(Kept.data(), Kept.size());
    }
    // The entries of the given sources alone; nothing when the record does
    // not exist yet. Lines of other sources are passed over unparsed, so that
    // each task of a large job array reads the shared record quickly.
    static TRecordIndex Load(const std::string& RecordFile,
                             const std::vector<std::string>& Sources);
    const TMade* Find(const std::string& Source, const std::string& Settings) const;

private:
    std::unordered_map<std::string, size_t> SettingsNumbers;
    std::unordered_map<std::string, TMade> Made;
};
