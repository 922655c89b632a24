#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits a command line into its words the way the Windows start-up code does
// for the programs Korvalin runs: blanks and tabs separate words, double quotes
// group blanks into a word and are removed.
std::vector<std::string> SplitCommandLine(std::string_view CommandLine);

// The words of a command line with the program found as Windows finds it: when
// the first word is not quoted, ever longer blank-separated beginnings of the
// line are tried until IsProgram accepts one, so that an unquoted program path
// with blanks still names the right program.
std::vector<std::string> ResolveCommandLine(std::string_view CommandLine,
                                            bool (*IsProgram)(const std::string& Path));
