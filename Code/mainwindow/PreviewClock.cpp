#include "PreviewClock.h"

#include "TrimBar.h"

#include <cstdio>

std::string ClockText(int64_t Seconds) {
    char Text[64];
    std::snprintf(
        Text, sizeof Text, "%2.2lld:%2.2lld:%2.2lld", static_cast<long long>(Seconds / 3600),
        static_cast<long long>(Seconds % 3600 / 60), static_cast<long long>(Seconds % 3600 % 60));
    return Text;
}

TPreviewTick PreviewTick(int64_t Position, int64_t PreviousPosition, int64_t DurationMs,
                         const std::string& EndStopText) {
    constexpr int64_t PerSecond = 10000000;
    TPreviewTick Tick;
    Tick.TimeText = ClockText(Position / PerSecond);
    const std::optional<int64_t> EndStop = TrimBar::LenientSeconds(EndStopText);
    Tick.PauseAtStart =
        Tick.TimeText == EndStopText ||
        (EndStop && PreviousPosition / PerSecond < *EndStop && Position / PerSecond > *EndStop);
    Tick.StopAtStart = DurationMs > 0 && Position / 10000 >= DurationMs; // 0: not known yet
    return Tick;
}
