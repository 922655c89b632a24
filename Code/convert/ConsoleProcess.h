#pragma once

#include <cstddef>
#include <string>

// One child program started the way the encoder is run: detached from any
// terminal, standard input a pipe that is never written, standard output and
// standard error one pipe, the program folder as its working folder and no
// other descriptor inherited. The matching ConsoleProcess_<platform>.cpp is
// chosen by the build.
class TConsoleProcess {
public:
    TConsoleProcess() = default;
    // Closes every pipe end; does not end the child.
    ~TConsoleProcess();
    TConsoleProcess(const TConsoleProcess&) = delete;
    TConsoleProcess& operator=(const TConsoleProcess&) = delete;

    // Starts the command line; false (and nothing left open) when the pipes or
    // the process cannot be created.
    bool Start(const std::string& CommandLine, const std::string& WorkingFolder);

    // False once the child has ended.
    bool IsRunning();

    // The exit code of an ended child, 128 + the signal number when a signal
    // ended it; 0 before then.
    int ExitCode() const { return EndCode; }

    // The child's process group, which its own children share; 0 before it started.
    long Group() const { return Child; }

    // Ends the child and every process of its group at once.
    void EndGroup() const;

    // How many bytes of output are waiting to be read.
    size_t BytesWaiting() const;

    // Reads at most MaxBytes of output.
    std::string Read(size_t MaxBytes);

    // Waits up to Milliseconds for output to arrive, less when some does.
    void WaitForOutput(int Milliseconds) const;

    // Waits up to Milliseconds, less when the child ends meanwhile or has ended.
    void WaitForEnd(int Milliseconds) const;

private:
    void CloseAll();

    int InputWrite = -1; // kept open and never written
    int OutputRead = -1;
    int ChildHandle = -1; // tells when the child ends
    long Child = 0;
    bool Ended = false;
    int EndCode = 0;
};
