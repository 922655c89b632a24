#include "FileAdder.h"

#include "ConvertParameter.h"
#include "ProbeAhead.h"
#include "QtText.h"
#include "QueuedDispatcher.h"
#include "SourceListView.h"
#include "UserDialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <memory>
#include <optional>
#include <unordered_set>

namespace {

// The longest stretch of adding before the windows are served again.
constexpr qint64 SliceMilliseconds = 15;

constexpr QEventLoop::ProcessEventsFlags WindowsOnly = QEventLoop::ExcludeUserInputEvents;

} // namespace

void TFileAdder::Add(const QStringList& Paths) {
    // Decided once for each path: only paths the list may take are probed,
    // each once, and one that cannot be quoted is warned about in its turn.
    const size_t Count = static_cast<size_t>(Paths.size());
    std::vector<std::string> Files(Count), Probed(Count);
    std::vector<char> Unsafe(Count);
    std::unordered_set<std::string> Seen;
    for (size_t Index = 0; Index < Count; ++Index) {
        Files[Index] = ToEngineText(Paths[static_cast<qsizetype>(Index)]);
        const std::string& File = Files[Index];
        if (!HasSourceExtension(File) || List.HasPath(File))
            continue;
        if (!IsSafeSourcePath(File))
            Unsafe[Index] = true;
        else if (Seen.insert(File).second)
            Probed[Index] = File;
    }
    // Shared with the queued calls, which may still be waiting when this returns.
    const auto Results = std::make_shared<std::vector<std::optional<TProbedFile>>>(Count);
    TQueuedDispatcher Dispatcher(List);
    TProbeAhead Workers(
        Probed, Prober, Dispatcher,
        [Results](size_t Index, const TProbedFile& File) { (*Results)[Index] = File; });
    Workers.Start(std::thread::hardware_concurrency());

    std::vector<TRowCells> Ready; // rows not in the list yet, put in at every pause
    QStringList Unreadable;       // told of in one dialog, also when a file stops the adding
    const auto Pause = [&](QEventLoop::ProcessEventsFlags Flags) {
        List.AppendRows(std::exchange(Ready, {}));
        QCoreApplication::processEvents(WindowsOnly | Flags);
    };
    const auto TellUnreadable = [&] {
        if (!Unreadable.isEmpty())
            Dialogs.ShowCodecError(Unreadable);
    };
    QElapsedTimer Slice;
    Slice.start();
    try {
        for (size_t Index = 0; Index < Count; ++Index) {
            const std::string& File = Files[Index];
            if (Unsafe[Index]) {
                Pause({}); // the rows before it are in, as the warning comes
                Dialogs.ShowMessage(FromEngineText(EUnsafeSourcePath(File).what()),
                                    TMessageKind::Warning);
            }
            if (Probed[Index].empty())
                continue;
            while (!(*Results)[Index]) // the windows repaint and the spinner turns meanwhile
                Pause(QEventLoop::WaitForMoreEvents);
            const TProbedFile& Result = *(*Results)[Index];
            const std::string Duration = FormatDuration(Result.Seconds);
            if (Duration == "00:00:00") {
                Unreadable << Paths[static_cast<qsizetype>(Index)] + " (" +
                                  FromEngineText(Result.Unreadable) + ")";
            } else if (Result.SizeError) {
                Pause({});
                std::rethrow_exception(Result.SizeError);
            } else if (!List.HasPath(File)) { // another add may have put it in meanwhile
                Ready.push_back(NewSourceRow(File, FormatFileSize(Result.Size), Duration));
            }
            if (Slice.elapsed() >= SliceMilliseconds) {
                Pause({});
                Slice.restart();
            }
        }
    } catch (...) {
        TellUnreadable();
        throw;
    }
    List.AppendRows(std::move(Ready));
    TellUnreadable();
    List.SelectFirstRow();
}
