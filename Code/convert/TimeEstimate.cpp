#include "TimeEstimate.h"

#include "BatchDriver.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr double LeastProgressSeconds = 2;
constexpr double Pull = 0.3; // the share of the gap to the measured estimate closed per report
constexpr double PauseBeforeFile = TBatchDriver::PauseBeforeFile / 1000.0;
constexpr double EncoderAppears = TBatchDriver::EncoderAppears / 1000.0;

// Where the shown value would be by now, moved part of the way to the measured one.
double Smoothed(double Shown, double Passed, double Measured) {
    const double RunDown = std::max(Shown - Passed, 0.0);
    return RunDown + Pull * (Measured - RunDown);
}

} // namespace

void TTimeEstimator::StartBatch(std::vector<double> FileLengths) {
    *this = TTimeEstimator();
    Lengths = std::move(FileLengths);
}

void TTimeEstimator::StartFile(double Now, size_t Index) {
    EncoderStart = Now + PauseBeforeFile;
    Current = Index;
    FirstProgressAt.reset();
    FirstPosition = 0;
    // The new file's own estimate at once; the batch's runs on smoothly.
    if (const std::optional<TTimeLeft> Latest = Measured(Now, 0); Latest && Shown) {
        Shown->FileSeconds = Latest->FileSeconds;
        Shown->BatchSeconds = Smoothed(Shown->BatchSeconds, Now - ShownAt, Latest->BatchSeconds);
        ShownAt = Now;
    }
}

void TTimeEstimator::Report(double Now, double Position) {
    if (!FirstProgressAt && Position > 0) {
        FirstProgressAt = Now;
        FirstPosition = Position;
        StartupSeconds = std::max(Now - EncoderStart, 0.0);
    }
    if (FirstProgressAt && Now - *FirstProgressAt >= LeastProgressSeconds &&
        Position > FirstPosition)
        Speed = (Position - FirstPosition) / (Now - *FirstProgressAt);
    const std::optional<TTimeLeft> Latest = Measured(Now, Position);
    if (!Latest)
        return;
    if (Shown) {
        const double Passed = Now - ShownAt;
        Shown->Speed = Latest->Speed;
        Shown->FileSeconds = Smoothed(Shown->FileSeconds, Passed, Latest->FileSeconds);
        Shown->BatchSeconds = Smoothed(Shown->BatchSeconds, Passed, Latest->BatchSeconds);
    } else {
        Shown = Latest;
    }
    ShownAt = Now;
}

std::optional<TTimeLeft> TTimeEstimator::TimeLeft(double Now) const {
    if (!Shown)
        return std::nullopt;
    TTimeLeft Left = *Shown;
    Left.FileSeconds = std::max(Left.FileSeconds - (Now - ShownAt), 0.0);
    Left.BatchSeconds = std::max(Left.BatchSeconds - (Now - ShownAt), 0.0);
    return Left;
}

std::optional<TTimeLeft> TTimeEstimator::Measured(double Now, double Position) const {
    if (!Speed || Current >= Lengths.size())
        return std::nullopt;
    TTimeLeft Left;
    Left.Speed = *Speed;
    const double Waiting = std::max(EncoderStart - Now, 0.0); // the pause before the encoder
    const double Encoding = std::max(Now - EncoderStart, 0.0);
    const double StartupLeft = FirstProgressAt ? 0 : std::max(StartupSeconds - Encoding, 0.0);
    // The driver looks for the encoder's end only once it has had time to appear.
    Left.FileSeconds = Waiting + std::max(StartupLeft + (Lengths[Current] - Position) / *Speed,
                                          EncoderAppears - Encoding);
    Left.BatchSeconds = Left.FileSeconds;
    for (size_t Later = Current + 1; Later < Lengths.size(); ++Later)
        Left.BatchSeconds +=
            PauseBeforeFile + std::max(EncoderAppears, StartupSeconds + Lengths[Later] / *Speed);
    return Left;
}

std::string DurationText(double Seconds) {
    const long long Whole = std::max(1LL, static_cast<long long>(std::ceil(Seconds)));
    const long long Hours = Whole / 3600, Minutes = Whole / 60 % 60, Rest = Whole % 60;
    if (Hours > 0)
        return std::to_string(Hours) + " h" +
               (Minutes > 0 ? " " + std::to_string(Minutes) + " min" : "");
    if (Minutes > 0)
        return std::to_string(Minutes) + " min" +
               (Rest > 0 ? " " + std::to_string(Rest) + " s" : "");
    return std::to_string(Rest) + " s";
}

std::string TimeLeftText(const std::optional<TTimeLeft>& Left) {
    if (!Left)
        return "Estimating\u2026";
    char Speed[32];
    const auto Written =
        std::to_chars(Speed, Speed + sizeof Speed, Left->Speed, std::chars_format::fixed, 1);
    std::string Text = std::string(Speed, Written.ptr) + "\u00d7 real time \u00b7 About " +
                       DurationText(Left->FileSeconds) + " left";
    if (Left->BatchSeconds > Left->FileSeconds + 0.5)
        Text += " for this file, " + DurationText(Left->BatchSeconds) + " for all";
    return Text;
}
