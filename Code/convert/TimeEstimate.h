#pragma once

#include <optional>
#include <string>
#include <vector>

// How long a batch still takes, from the encoder's reported position against
// the time that passed. Times are seconds on a steady clock.

struct TTimeLeft {
    double Speed = 0;        // seconds of media converted per second
    double FileSeconds = 0;  // left for the file being converted
    double BatchSeconds = 0; // left for it and every file after it, pauses included
};

class TTimeEstimator {
public:
    // A batch of files of these lengths in seconds, in the order it takes them.
    void StartBatch(std::vector<double> FileLengths);
    // The batch turns to its file Index at Now; the encoder starts after the
    // driver's pause.
    void StartFile(double Now, size_t Index);
    // The encoder has converted Position seconds of the current file at Now.
    void Report(double Now, double Position);
    // What is left at Now; nothing until the batch has made two seconds of
    // progress. Each estimate runs down with the clock and moves only part of
    // the way towards what the latest report says, so that it does not jump.
    std::optional<TTimeLeft> TimeLeft(double Now) const;

private:
    std::optional<TTimeLeft> Measured(double Now, double Position) const;

    std::vector<double> Lengths;
    size_t Current = 0;
    double EncoderStart = 0;
    std::optional<double> FirstProgressAt; // when this file's position first moved
    double FirstPosition = 0;
    double StartupSeconds = 0;   // from an encoder's start to its first progress
    std::optional<double> Speed; // the latest measured, kept from file to file
    std::optional<TTimeLeft> Shown;
    double ShownAt = 0;
};

// "Estimating…" until there is an estimate, then for example
// "4.2× real time · About 20 s left for this file, 1 min 20 s for all".
std::string TimeLeftText(const std::optional<TTimeLeft>& Left);

// A duration as people say it, rounded: "45 s", "1 min 20 s", "2 h 5 min".
std::string DurationText(double Seconds);
