#pragma once

#include <istream>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

// The RealMedia files a folder holds, its sub-folders' among them: names
// ending in .rm or .rmvb in any letter case, as full paths in sorted order.
// Links to folders are not followed, so that no link leads round in circles.
// Throws EUsageError when the folder cannot be read. A stop requested through
// Stop ends the search early, with what was found so far.
std::vector<std::string> RealMediaFilesIn(const std::string& Folder, std::stop_token Stop = {});

// The paths of a list, one a line: blank lines are passed over and a
// carriage return before the line feed is dropped. With Index (from 1) only
// that line's path; EUsageError when the list holds fewer.
std::vector<std::string> PathsOfList(std::istream& List, std::optional<long long> Index);

// The sources named on the command line, in order: a file as it is, a folder
// as its RealMedia files. Paths are made absolute. Throws EUsageError for a
// path that does not exist.
std::vector<std::string> SourcesOf(const std::vector<std::string>& Inputs);
