#include "TrimBar.h"

#include "StrFunc.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace TrimBar {
namespace {

// Pixels the markers can travel over: the bar less both markers and a border.
int Travel(int Width) {
    return Width - 2 * MarkerWidth - 2;
}

// Room the markers and the strips need before a click may move a marker.
constexpr int ClickRoom = 45;

// The whole part of a leniently read number, kept within a range that the
// seconds of three such parts cannot overflow.
int64_t WholePart(double Number) {
    constexpr double Largest = 1e15;
    return std::isnan(Number)
               ? 0
               : static_cast<int64_t>(std::trunc(std::clamp(Number, -Largest, Largest)));
}

} // namespace

int StartPercent(int Left, int Width) {
    const int StartMarkerEdge = Left; // the start marker stands right after the left strip
    return (StartMarkerEdge + MarkerWidth - 22) * 121 / Width;
}

int EndPercent(int Right, int Width) {
    const int EndMarkerEdge = Width - Right - MarkerWidth;
    return (EndMarkerEdge + MarkerWidth - MarkerWidth - 22) * 121 / Width;
}

int32_t SecondsAt(int Percent, int32_t Duration) {
    return static_cast<int32_t>(static_cast<int64_t>(Percent) * Duration / 100);
}

std::optional<TStrips> PlacedStrips(int64_t Start, int64_t End, int64_t Duration,
                                    const TStrips& Now, int Width) {
    if (Duration <= 0)
        return std::nullopt;
    // Seconds / Duration × travel, rounded to nearest with halves to even, in
    // whole numbers so that an exact half is seen as one.
    const auto Share = [&](int64_t Seconds) {
        const int64_t Scaled = std::abs(Seconds) * Travel(Width);
        int64_t Rounded = Scaled / Duration;
        const int64_t Twice = 2 * (Scaled % Duration);
        if (Twice > Duration || (Twice == Duration && Rounded % 2 == 1))
            ++Rounded;
        return static_cast<int>(Seconds < 0 ? -Rounded : Rounded);
    };
    const int Left = Share(Start) + 1;
    const int Right = Travel(Width) - Share(End) + 1;
    return TStrips{std::abs(Left - Now.Left) > 1 ? Left : Now.Left,
                   std::abs(Right - Now.Right) > 2 ? Right : Now.Right};
}

std::optional<int64_t> LenientSeconds(const std::string& TimeText) {
    const std::vector<std::string> Parts = SplitString(TimeText, ':');
    if (Parts.size() <= 2)
        return std::nullopt;
    int64_t Seconds = 0;
    for (size_t Index = 0; Index < 3; ++Index)
        Seconds = Seconds * 60 + WholePart(ExtractNumber(Parts[Index]));
    return Seconds;
}

int ClickStep(bool Ctrl, bool Shift) {
    if (Ctrl && !Shift)
        return 1;
    if (Shift && !Ctrl)
        return 10;
    return 5;
}

bool CanStepLeftStrip(const TStrips& Now, int Step, int Width) {
    return Now.Left + Now.Right + ClickRoom <= Width && Now.Left > Step;
}

bool CanStepRightStrip(const TStrips& Now, int Step, int Width) {
    return Now.Left + Now.Right + ClickRoom <= Width && Now.Right > Step;
}

bool MarkersTouch(const TStrips& Now, int Width) {
    const int StartMarkerEdge = Now.Left;
    const int EndMarkerEdge = Width - Now.Right - MarkerWidth;
    return EndMarkerEdge - StartMarkerEdge < MarkerWidth + 1;
}

int DraggedLeftStrip(int X, const TStrips& Now, int Width) {
    return std::max(1, std::min(X, Width - Now.Right - 2 * MarkerWidth - 1));
}

int DraggedRightStrip(int X, const TStrips& Now, int Width) {
    return std::max(1, std::min(Width - X - MarkerWidth, Width - Now.Left - 2 * MarkerWidth - 1));
}

} // namespace TrimBar
