#include "ProgressRules.h"

#include "StrFunc.h"

#include <cmath>
#include <limits>

std::optional<TBarState> TotalBar(const TBarState& FileBar, int DoneCount, int TotalCount) {
    const long long Divisor = static_cast<long long>(FileBar.Maximum) + 1;
    if (Divisor == 0)
        return std::nullopt;
    const long long Position = static_cast<long long>(FileBar.Position) * 100 / Divisor +
                               static_cast<long long>(DoneCount) * 100;
    const long long Maximum = static_cast<long long>(TotalCount) * 100;
    constexpr long long Largest = std::numeric_limits<int>::max();
    if (Position > Largest || Maximum > Largest || Position < 0 || Maximum < 0)
        return std::nullopt;
    return TBarState{static_cast<int>(Maximum), static_cast<int>(Position)};
}

std::string CounterText(int DoneCount, int TotalCount) {
    return "Current: " + std::to_string(DoneCount + 1) + " , Total: " + std::to_string(TotalCount) +
           ".";
}

std::optional<int> FileBarMaximum(const std::string& CutDuration) {
    int32_t Seconds = 0;
    if (!TryDecimalToInt(CutDuration, Seconds) || Seconds <= 0)
        return std::nullopt;
    return Seconds;
}

std::optional<int> ReportedSeconds(const std::string& StatusText, const std::string& CodecParam,
                                   const std::string& OutputExt) {
    if (StatusText.empty())
        return std::nullopt;
    const std::vector<std::string> Fields = SplitString(StatusText, '=');
    const bool AudioOnly = Trim(CodecParam).starts_with("-acodec") && OutputExt != ".3gp";
    const size_t Index = AudioOnly ? 2 : 4;
    if (Fields.size() < (AudioOnly ? 4u : 5u) || Fields[Index].empty())
        return std::nullopt;
    const std::string Whole = Fields[Index].substr(0, Fields[Index].find('.'));
    if (Whole == "10000000000")
        return std::nullopt;
    const double Seconds = std::trunc(ExtractNumber(Whole));
    if (!(Seconds >= std::numeric_limits<int>::min() && Seconds <= std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(Seconds);
}

int NextAnimationStep(int Step) {
    return Step >= 5 ? 1 : Step + 1;
}

std::string AnimationText(int Step, int FileBarPosition) {
    static const char* const Marks[] = {"|", "/", "-", "\\", "|"};
    const char* Mark = Marks[(Step >= 1 && Step <= 5 ? Step : 1) - 1];
    return (FileBarPosition < 3 ? "Installing convert information  " : "Converting  ") +
           std::string(Mark);
}
