#pragma once

#include <cstdint>
#include <string>

// What the preview does at each tick of its clock while it plays.
struct TPreviewTick {
    std::string TimeText;      // the current time to show
    bool PauseAtStart = false; // the end time set with the end marker is reached
    bool StopAtStart = false;  // the end of the file is reached
};

// The time text of whole seconds: "hh:mm:ss", each part at least two digits.
std::string ClockText(int64_t Seconds);

// Position and the position at the tick before in units of 100 ns, duration
// in milliseconds; EndStopText is the end time last set with the end marker,
// empty when none was. The end time counts as reached when the clock shows it
// or passed it since the tick before, as a late tick may skip a second.
TPreviewTick PreviewTick(int64_t Position, int64_t PreviousPosition, int64_t DurationMs,
                         const std::string& EndStopText);
