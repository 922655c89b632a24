#pragma once

#include <optional>
#include <string>

// The arithmetic of the progress window, apart from its controls.

// A progress bar's range end and position.
struct TBarState {
    int Maximum = 1;
    int Position = 0;
};

// The total bar over a batch: TotalCount × 100 steps, the current file's share
// counted from its bar, with truncating division. Nothing when the file bar's
// range makes the division impossible.
std::optional<TBarState> TotalBar(const TBarState& FileBar, int DoneCount, int TotalCount);

// "Current: 2 , Total: 3." while file DoneCount + 1 of TotalCount is converted.
std::string CounterText(int DoneCount, int TotalCount);

// The file bar's range for a cut of CutDuration seconds (decimal text); nothing
// when the text is empty, not a number, or no positive number of seconds, for
// which the bar stands full.
std::optional<int> FileBarMaximum(const std::string& CutDuration);

// The seconds an encoder status text reports: the text split at "=", the field
// at index 2 for audio-only commands (codec arguments beginning with "-acodec"
// and an output other than ".3gp"), at index 4 otherwise, read up to its first
// "." leniently. Nothing when the text has too few fields, the field is empty,
// or it reads "10000000000".
std::optional<int> ReportedSeconds(const std::string& StatusText, const std::string& CodecParam,
                                   const std::string& OutputExt);

// The animation step after Step: 1, 2, 3, 4, 5, 1, ...
int NextAnimationStep(int Step);
// The status line for a step: "Installing convert information  |" while the
// file bar stands below 3 seconds, "Converting  |" from then on.
std::string AnimationText(int Step, int FileBarPosition);
