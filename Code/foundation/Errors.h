#pragma once

#include <stdexcept>
#include <string>

// Runtime errors of the engine. Their texts are the ones the user sees in the
// error box, so they keep the wording of the classic runtime messages.

// A file that exists could not be opened for reading.
class EFOpenError : public std::runtime_error {
public:
    EFOpenError(const std::string& FileName, const std::string& Reason)
        : std::runtime_error("Cannot open file \"" + FileName + "\". " + Reason) {}
};

// A file could not be created or written.
class EFCreateError : public std::runtime_error {
public:
    EFCreateError(const std::string& FileName, const std::string& Reason)
        : std::runtime_error("Cannot create file \"" + FileName + "\". " + Reason) {}
};

// A caller broke an operation's precondition.
class EAssertionFailed : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Appending to a text file (the log) failed; the text is the system's reason.
class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that should have been a number was not.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
