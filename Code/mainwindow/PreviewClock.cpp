#include "PreviewClock.h"

#include <cstdio>

std::string ClockText(int64_t Seconds) {
    char Text[64];
    std::snprintf(
        Text, sizeof Text, "%2.2lld:%2.2lld:%2.2lld", static_cast<long long>(Seconds / 3600),
        static_cast<long long>(Seconds % 3600 / 60), static_cast<long long>(Seconds % 3600 % 60));
    return Text;
}

TPreviewTick PreviewTick(int64_t Position, int64_t DurationMs, const std::string& EndStopText) {
    TPreviewTick Tick;
    Tick.TimeText = ClockText(Position / 10000000);
    Tick.PauseAtStart = Tick.TimeText == EndStopText;
    Tick.StopAtStart = DurationMs > 0 && Position / 10000 >= DurationMs; // 0: not known yet
    return Tick;
}
