#include "SourceRows.h"

#include "Errors.h"
#include "FileFunc.h"
#include "StrFunc.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <unordered_set>

namespace {

// At least two digits, with leading zeros.
std::string TwoDigits(int64_t Number) {
    return (Number < 10 ? "0" : "") + std::to_string(Number);
}

} // namespace

TRowCells NewSourceRow(const std::string& Path, const std::string& SizeText,
                       const std::string& DurationText) {
    return {"True", Path, SizeText, DurationText, "00:00:00", DurationText, DurationText};
}

std::vector<std::string> RemoveDuplicates(const std::vector<std::string>& Paths) {
    std::vector<std::string> Unique;
    std::unordered_set<std::string> Seen;
    for (const std::string& Path : Paths)
        if (Seen.insert(Path).second)
            Unique.push_back(Path);
    return Unique;
}

bool HasSourceExtension(const std::string& Path) {
    const std::string Extension = TFileFunc().FileExtension(Path);
    return SameAsciiText(Extension, ".rm") || SameAsciiText(Extension, ".rmvb");
}

std::string FormatFileSize(int64_t Bytes, char DecimalSeparator) {
    constexpr int64_t OneGiB = 1073741824;
    static const char* const Units[] = {" B", " KB", " MB", " GB"};
    Bytes = std::max<int64_t>(Bytes, 0);
    double Value = static_cast<double>(Bytes);
    size_t Unit = 0;
    if (Bytes >= OneGiB) {
        Value = Value / 1024 / 1024 / 1024;
        Unit = 3;
    } else {
        for (; Value >= 1024 && Unit < 3; ++Unit)
            Value /= 1024;
    }
    Value = std::trunc(Value * 100) / 100;
    char Text[64];
    const auto Written = std::to_chars(Text, Text + sizeof Text, Value).ptr;
    std::string Number(Text, Written);
    std::replace(Number.begin(), Number.end(), '.', DecimalSeparator);
    return Number + Units[Unit];
}

std::string FormatFileSize(int64_t Bytes) {
    const char* Separator = std::localeconv()->decimal_point;
    return FormatFileSize(Bytes, Separator && *Separator ? *Separator : '.');
}

std::string FormatDuration(int64_t Seconds) {
    int64_t Milliseconds = Seconds * 1000;
    if (Milliseconds < 0)
        return "00:00:00";
    std::string Text;
    for (const int64_t Part : {int64_t{3600000}, int64_t{60000}}) {
        Text += TwoDigits(Milliseconds / Part) + ":";
        Milliseconds %= Part;
    }
    return Text + TwoDigits(Milliseconds / 1000);
}

int64_t SecondsAtFixedPlaces(const std::string& TimeText) {
    int64_t Seconds = 0;
    for (const size_t Place : {0, 3, 6}) {
        const std::string Digits = Place < TimeText.size() ? TimeText.substr(Place, 2) : "";
        int32_t Value = 0;
        if (!TryDecimalToInt(Digits, Value))
            throw EConvertError("'" + Digits + "' is not a valid integer value");
        Seconds = Seconds * 60 + Value;
    }
    return Seconds;
}

void CorrectEditedRow(TRowCells& Row, const std::function<void(int64_t)>& SeekPreview) {
    const std::string Duration = Row[DurationColumn];
    if (Row[StartTimeColumn].empty())
        Row[StartTimeColumn] = "00:00:00";
    if (Row[EndTimeColumn].empty())
        Row[EndTimeColumn] = Duration;
    const int64_t D = SecondsAtFixedPlaces(Duration);
    const int64_t S = SecondsAtFixedPlaces(Row[StartTimeColumn]);
    const int64_t E = SecondsAtFixedPlaces(Row[EndTimeColumn]);
    if (S >= D)
        Row[StartTimeColumn] = Duration.substr(0, 8);
    if (S >= E) // the start as corrected, so that the end never passes the file's end
        Row[EndTimeColumn] = Row[StartTimeColumn].substr(0, 8);
    if (SeekPreview)
        SeekPreview(SecondsAtFixedPlaces(Row[StartTimeColumn]) * 1000);
    if (E >= D)
        Row[EndTimeColumn] = Duration;
    Row[CutDurationColumn] = FormatDuration(std::min(D, E) - S);
}
