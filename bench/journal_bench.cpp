// What the list's journal costs for an archive: N rows (20,000 when not given)
// with long paths and the marks of a batch half done. Prints the milliseconds
// of each part, the best of several rounds: the copy of the rows, which the
// user-interface thread makes, then the text and the safe write with its sync
// to the disk, which the writer's thread does, and reading it back at start-up.
//
//   build/bench/journal_bench [N]
#include "BenchFiles.h"
#include "FileSystem.h"
#include "ListJournal.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>

namespace {

double BestMilliseconds(const std::function<void()>& Work) {
    double Best = 1e9;
    for (int Round = 0; Round < 7; ++Round) {
        const auto Start = std::chrono::steady_clock::now();
        Work();
        Best = std::min(Best, std::chrono::duration<double, std::milli>(
                                  std::chrono::steady_clock::now() - Start)
                                  .count());
    }
    return Best;
}

} // namespace

int main(int argc, char* argv[]) {
    const size_t Count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 20000;
    TSourceRowStore Rows;
    for (size_t Row = 0; Row < Count; ++Row) {
        const std::string Path = "/home/someone/Archive/Radio and television " +
                                 std::to_string(Row / 100) + "/Holiday on the coast, part " +
                                 std::to_string(Row) + " (rebroadcast).rmvb";
        Rows.Append(NewSourceRow(Path, "12.5 MB", "00:45:00"));
        if (Row < Count / 2)
            Rows.SetOutcome(Row, {TRowOutcome::TKind::Converted, "/home/someone/Korvalin/Holiday " +
                                                                     std::to_string(Row) + ".3gp"});
    }
    const std::string File = (FreshBenchFolder("korvalin-journal-bench") / "list-journal.txt");
    TListJournal Journal;
    std::string Text;
    const double Copy = BestMilliseconds([&] { Journal = JournalOf(Rows, true); });
    const double Format = BestMilliseconds([&] { Text = JournalText(Journal); });
    const double Write = BestMilliseconds([&] { ReplaceFileContent(File, Text); });
    const double Read = BestMilliseconds([&] {
        std::ifstream In(File, std::ios::binary);
        Journal = ReadJournalText(std::string(std::istreambuf_iterator<char>(In), {}));
    });
    std::printf("%zu rows, journal of %.1f MB\n", Journal.Rows.size(), Text.size() / 1048576.0);
    std::printf("user-interface thread, copy of the rows: %8.2f ms\n", Copy);
    std::printf("writer thread, text:                     %8.2f ms\n", Format);
    std::printf("writer thread, safe write and sync:      %8.2f ms\n", Write);
    std::printf("work of one journal in all:              %8.2f ms\n", Copy + Format + Write);
    std::printf("start-up, reading it back:               %8.2f ms\n", Read);
}
