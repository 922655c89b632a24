#include "ListJournal.h"

#include "FileSystem.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace {

const std::string Signature = "Korvalin list journal\t";
const std::string Version = "1";
const char* const OutcomeWords[] = {"none", "converted", "not-converted"};
// Far above any list's journal: a larger file is not read into memory.
constexpr int64_t LargestJournal = int64_t{256} << 20;

// Paths and reasons may hold any byte but a tab or a line break may not reach
// the file as it is: those and the backslash are written as escapes.
void AppendEscaped(std::string& Line, std::string_view Text) {
    for (const char Letter : Text) {
        switch (Letter) {
        case '\\':
            Line += "\\\\";
            break;
        case '\t':
            Line += "\\t";
            break;
        case '\n':
            Line += "\\n";
            break;
        case '\r':
            Line += "\\r";
            break;
        default:
            Line += Letter;
        }
    }
}

std::string Unescaped(std::string_view Field) {
    std::string Text;
    Text.reserve(Field.size());
    for (size_t Place = 0; Place < Field.size(); ++Place) {
        if (Field[Place] != '\\') {
            Text += Field[Place];
            continue;
        }
        const char Escape = ++Place < Field.size() ? Field[Place] : '\0';
        switch (Escape) {
        case '\\':
            Text += '\\';
            break;
        case 't':
            Text += '\t';
            break;
        case 'n':
            Text += '\n';
            break;
        case 'r':
            Text += '\r';
            break;
        default:
            throw EUnreadableJournal("a row holds a broken escape");
        }
    }
    return Text;
}

std::vector<std::string_view> Fields(std::string_view Line) {
    std::vector<std::string_view> Split;
    for (size_t Start = 0;;) {
        const size_t Tab = Line.find('\t', Start);
        Split.push_back(Line.substr(Start, Tab - Start));
        if (Tab == std::string_view::npos)
            return Split;
        Start = Tab + 1;
    }
}

std::string_view NextLine(std::string_view& Text) {
    const size_t End = Text.find('\n');
    if (End == std::string_view::npos)
        throw EUnreadableJournal("it is cut short");
    const std::string_view Line = Text.substr(0, End);
    Text.remove_prefix(End + 1);
    return Line;
}

bool IsDigit(char Letter) {
    return Letter >= '0' && Letter <= '9';
}

// Hours of two digits or more, then minutes and seconds below 60: the times
// the list writes.
std::string CheckedTime(std::string_view Text) {
    const size_t Hours = Text.size() < 8 ? 0 : Text.size() - 6;
    const bool Valid = Hours > 0 && std::all_of(Text.begin(), Text.begin() + Hours, IsDigit) &&
                       Text[Hours] == ':' && Text[Hours + 1] >= '0' && Text[Hours + 1] <= '5' &&
                       IsDigit(Text[Hours + 2]) && Text[Hours + 3] == ':' &&
                       Text[Hours + 4] >= '0' && Text[Hours + 4] <= '5' && IsDigit(Text[Hours + 5]);
    if (!Valid)
        throw EUnreadableJournal("a row holds the time '" + std::string(Text) + "'");
    return std::string(Text);
}

TJournalRow RowOf(std::string_view Line) {
    const std::vector<std::string_view> Field = Fields(Line);
    if (Field.size() != 7 || Field[0] != "row" || (Field[1] != "1" && Field[1] != "0"))
        throw EUnreadableJournal("a row is not in the journal's form");
    TJournalRow Row{Unescaped(Field[6]), Field[1] == "1", CheckedTime(Field[2]),
                    CheckedTime(Field[3])};
    for (size_t Kind = 0; Kind < std::size(OutcomeWords); ++Kind)
        if (Field[4] == OutcomeWords[Kind])
            Row.Outcome = {static_cast<TRowOutcome::TKind>(Kind), Unescaped(Field[5])};
    if (Row.Path.empty() || Row.Path.find('\0') != std::string::npos ||
        (Row.Outcome.Kind == TRowOutcome::TKind::None && Field[4] != "none"))
        throw EUnreadableJournal("a row is not in the journal's form");
    return Row;
}

} // namespace

TListJournal JournalOf(const TSourceRowStore& Rows, bool Converting) {
    TListJournal Journal{Converting, {}};
    Journal.Rows.reserve(Rows.Count());
    for (size_t Index = 0; Index < Rows.Count(); ++Index) {
        const TRowCells& Cells = Rows.Row(Index);
        Journal.Rows.push_back({Cells[FileNameColumn], Cells[CheckStatusColumn] == "True",
                                Cells[StartTimeColumn], Cells[EndTimeColumn], Rows.Outcome(Index)});
    }
    return Journal;
}

std::string JournalText(const TListJournal& Journal) {
    std::string Text =
        Signature + Version + "\nconverting\t" + (Journal.Converting ? "yes" : "no") + "\n";
    Text.reserve(Text.size() + Journal.Rows.size() * 96);
    for (const TJournalRow& Row : Journal.Rows) {
        Text += Row.Checked ? "row\t1\t" : "row\t0\t";
        Text += Row.StartTime + '\t' + Row.EndTime + '\t';
        Text += OutcomeWords[static_cast<size_t>(Row.Outcome.Kind)];
        Text += '\t';
        AppendEscaped(Text, Row.Outcome.Text);
        Text += '\t';
        AppendEscaped(Text, Row.Path);
        Text += '\n';
    }
    return Text + "rows\t" + std::to_string(Journal.Rows.size()) + "\n";
}

TListJournal ReadJournalText(const std::string& Text) {
    std::string_view Rest = Text;
    const std::string_view Header = NextLine(Rest);
    if (!Header.starts_with(Signature))
        throw EUnreadableJournal("it is not a list journal");
    if (Header.substr(Signature.size()) != Version)
        throw EUnreadableJournal("it was written by another version of Korvalin (" +
                                 std::string(Header.substr(Signature.size())) + ")");
    const std::string_view Converting = NextLine(Rest);
    if (Converting != "converting\tyes" && Converting != "converting\tno")
        throw EUnreadableJournal("it does not say whether a batch was running");
    TListJournal Journal{Converting.ends_with("yes"), {}};
    std::string_view Line = NextLine(Rest);
    for (; !Line.starts_with("rows\t"); Line = NextLine(Rest))
        Journal.Rows.push_back(RowOf(Line));
    // The count closes the journal: a file cut short is never taken for a shorter list.
    if (Line.substr(5) != std::to_string(Journal.Rows.size()) || !Rest.empty())
        throw EUnreadableJournal("its rows do not add up");
    return Journal;
}

TFoundJournal FindJournal(const std::string& FileName, const std::string& SetAsideName) {
    const TPathKind Kind = PathKindOf(FileName);
    if (Kind == TPathKind::Missing)
        return {};
    try {
        if (Kind != TPathKind::RegularFile) // a pipe would hold the start for ever
            throw EUnreadableJournal("it is not a regular file");
        if (FileSizeOf(FileName) > LargestJournal)
            throw EUnreadableJournal("it is far too large");
        std::ifstream File(FileName, std::ios::binary);
        if (!File)
            throw EUnreadableJournal("it cannot be opened");
        return {ReadJournalText(std::string(std::istreambuf_iterator<char>(File), {})), {}};
    } catch (const std::exception& Unreadable) {
        std::error_code Failed;
        std::filesystem::rename(FileName, SetAsideName, Failed);
        return {std::nullopt,
                Failed
                    ? "List journal " + FileName + " cannot be read, since " + Unreadable.what() +
                          ", nor set aside: " + Failed.message()
                    : "List journal set aside as " + SetAsideName + ", since " + Unreadable.what()};
    }
}

std::pair<TRowCells, TRowOutcome> RestoredRow(TRowCells Fresh, const TJournalRow& Kept,
                                              bool BatchInterrupted) {
    Fresh[StartTimeColumn] = Kept.StartTime;
    Fresh[EndTimeColumn] = Kept.EndTime;
    CorrectEditedRow(Fresh, nullptr);
    // A trim that the file's new length has moved is not the one the mark tells of.
    const bool TrimKept =
        Fresh[StartTimeColumn] == Kept.StartTime && Fresh[EndTimeColumn] == Kept.EndTime;
    TRowOutcome Outcome = TrimKept ? Kept.Outcome : TRowOutcome();
    const bool Done = BatchInterrupted && Outcome.Kind == TRowOutcome::TKind::Converted;
    Fresh[CheckStatusColumn] = Kept.Checked && !Done ? "True" : "False";
    return {std::move(Fresh), std::move(Outcome)};
}
