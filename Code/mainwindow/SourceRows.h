#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The rules of the source list that need no window: the seven cells of a row,
// which files may be added, and how a row is corrected after an edit.

// The cells of a row, in column order; every cell holds text.
enum TSourceColumn : size_t {
    CheckStatusColumn, // "True" or "False": the batch flag
    FileNameColumn,    // the full path
    FileSizeColumn,    // size text
    DurationColumn,    // time text
    StartTimeColumn,   // time text
    EndTimeColumn,     // time text
    CutDurationColumn, // time text, for display only
    SourceColumnCount
};
using TRowCells = std::array<std::string, SourceColumnCount>;

// A new row: checked, the whole file from "00:00:00" to its end.
TRowCells NewSourceRow(const std::string& Path, const std::string& SizeText,
                       const std::string& DurationText);

// The first occurrence of every path, in order; letter case counts.
std::vector<std::string> RemoveDuplicates(const std::vector<std::string>& Paths);

// True when the file name ends in ".rm" or ".rmvb", in any letter case.
bool HasSourceExtension(const std::string& Path);

// "1023 B", "1.49 KB", "3 GB": two decimals kept by truncation, written in the
// shortest form with the given decimal separator. A negative size counts as 0.
std::string FormatFileSize(int64_t Bytes, char DecimalSeparator);
// The same with the user's locale's decimal separator.
std::string FormatFileSize(int64_t Bytes);

// hh:mm:ss with at least two digits each; a negative number gives "00:00:00".
std::string FormatDuration(int64_t Seconds);

// Whole seconds of a time text read at fixed places: hours from characters 1-2,
// minutes from 4-5, seconds from 7-8. Throws EConvertError when a place does
// not hold an integer.
int64_t SecondsAtFixedPlaces(const std::string& TimeText);

// Corrects a row whose start or end time was edited: fills an empty start or
// end, keeps the start below the duration and the end after the start and
// within the duration, and works out the cut. Every comparison uses the times
// as they were when the correction began. SeekPreview, when given, is called
// with the corrected start in milliseconds. Throws EConvertError at a time that
// cannot be read; the cells filled before stay.
void CorrectEditedRow(TRowCells& Row, const std::function<void(int64_t)>& SeekPreview);
