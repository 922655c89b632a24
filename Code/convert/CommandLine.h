#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits a command line into its words the way the Windows start-up code does
// for the programs Korvalin runs: blanks and tabs separate words, double quotes
// group blanks into a word and are removed.
std::vector<std::string> SplitCommandLine(std::string_view CommandLine);
