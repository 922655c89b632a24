#pragma once

#include "ConvertParameter.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// A command line that cannot be carried out as it stands; its text says why.
class EUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TProgressStyle { Auto, Bar, Json, None };

// What korvalin-convert was asked to do.
struct TConvertRequest {
    bool ShowHelp = false;
    bool ShowVersion = false;
    int OutputType = -1;
    std::string TypeName; // as given: "mp4"
    int Quality = 2;      // normal
    std::string Profile;  // a custom profile's name; empty for the quality's preset
    // The options set one by one: name and command-line value, in their order.
    std::vector<std::pair<std::string, std::string>> Overrides;
    std::string StartTime, EndTime; // hh:mm:ss; empty: the source's start, its end
    std::string OutputFolder = ".";
    int Jobs = 0;           // 0: one per core
    std::string RecordFile; // empty: korvalin-convert.jsonl in the output folder
    TProgressStyle Progress = TProgressStyle::Auto;
    std::optional<std::string> ListFile; // "-" for standard input
    std::optional<long long> ListIndex;  // 1-based
    std::vector<std::string> Inputs;     // files and folders
};

// Reads the arguments (without the program's name). Throws EUsageError for an
// unknown option, a missing or bad value, or a choice that contradicts another.
// Option values are checked against the Options dialog's lists.
TConvertRequest ParseConvertArguments(const std::vector<std::string>& Arguments);

// Applies the request's quality and option overrides to a selection made for
// its output type, with ProfileTuple (empty for none) between them.
TOptionSelection SelectionOf(const TConvertRequest& Request, const std::string& ProfileTuple);

// The usage text that --help prints.
std::string ConvertUsage();
