#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The arithmetic of the trim bar under the preview: a bar of Width pixels
// holding the left strip (Left pixels), the start marker, the middle strip, the
// end marker and the right strip (Right pixels). Both markers are 19 pixels
// wide. Percentages use truncating division and are never clamped, so the end
// marker at its rightmost place stands for 101 percent.
namespace TrimBar {

inline constexpr int DesignWidth = 260;
inline constexpr int MarkerWidth = 19;

// The start marker's percentage of the file.
int StartPercent(int Left, int Width = DesignWidth);
// The end marker's percentage of the file.
int EndPercent(int Right, int Width = DesignWidth);
// Whole seconds at a percentage of a file of Duration seconds, rounded down.
int32_t SecondsAt(int Percent, int32_t Duration);

// The strip widths that place the markers at Start and End seconds of a file of
// Duration seconds (rounded to nearest, halves to even). A strip moves only
// when its target differs by more than 1 (left) or 2 (right) pixels. Nothing
// when the duration is not positive.
struct TStrips {
    int Left = 0;
    int Right = 0;
};
std::optional<TStrips> PlacedStrips(int64_t Start, int64_t End, int64_t Duration,
                                    const TStrips& Now, int Width = DesignWidth);

// The seconds of a time text read leniently: split at ":", and when there are
// more than two parts, the first three read as hours, minutes and seconds,
// each leniently as a number, truncated. Nothing for fewer parts.
std::optional<int64_t> LenientSeconds(const std::string& TimeText);

// The step of a click on an outer strip: 1 pixel with Ctrl alone, 10 with
// Shift alone, 5 otherwise.
int ClickStep(bool Ctrl, bool Shift);
// Whether a click may take that step: the markers must not be too close, and
// the clicked strip stays at least 1 pixel wide.
bool CanStepLeftStrip(const TStrips& Now, int Step, int Width = DesignWidth);
bool CanStepRightStrip(const TStrips& Now, int Step, int Width = DesignWidth);

// Whether the markers touch, with no middle strip between them.
bool MarkersTouch(const TStrips& Now, int Width = DesignWidth);
// The outer strip's width while its marker is dragged with its left edge to
// X: every strip, the middle one too, keeps at least 1 pixel.
int DraggedLeftStrip(int X, const TStrips& Now, int Width = DesignWidth);
int DraggedRightStrip(int X, const TStrips& Now, int Width = DesignWidth);

} // namespace TrimBar
