#pragma once

#include <fstream>
#include <string>
#include <vector>

// The messages of a log file, each line without its prefix, date, time and CR LF.
inline std::vector<std::string> LogMessagesOf(const std::string& LogFile) {
    std::vector<std::string> Messages;
    std::ifstream File(LogFile, std::ios::binary);
    for (std::string Line; std::getline(File, Line);) {
        if (!Line.empty() && Line.back() == '\r')
            Line.pop_back();
        Messages.push_back(Line.substr(Line.find('|') + 1));
    }
    return Messages;
}
