#include "RunDisplay.h"

#include "SourceRows.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

// Text for a terminal: a file name may hold any byte, and control characters
// would move the cursor or worse.
std::string Printable(std::string Text) {
    for (char& Byte : Text)
        if (static_cast<unsigned char>(Byte) < 0x20 || Byte == 0x7f)
            Byte = '?';
    return Text;
}

// The line that tells how a file ended: "converted  SOURCE -> OUTPUT", with
// the reason in parentheses when there is one.
std::string EndLine(const TConversionEntry& Entry) {
    std::string Line = Entry.Outcome +
                       std::string(11 - std::min<size_t>(Entry.Outcome.size(), 10), ' ') +
                       Entry.Source;
    if (!Entry.Output.empty())
        Line += " -> " + Entry.Output;
    if (!Entry.Reason.empty())
        Line += " (" + Entry.Reason + ")";
    return Printable(Line);
}

class TSilentDisplay : public IJobProgress {
public:
    void Started(int, const std::string&, double) override {}
    void Position(int, double) override {}
    void Ended(int, const TConversionEntry&) override {}
};

class TLineDisplay : public IJobProgress {
public:
    explicit TLineDisplay(std::ostream& Out) : Out(Out) {}
    void Started(int, const std::string&, double) override {}
    void Position(int, double) override {}
    void Ended(int, const TConversionEntry& Entry) override {
        const std::lock_guard Lock(Writing);
        Out << EndLine(Entry) << std::endl;
    }

private:
    std::ostream& Out;
    std::mutex Writing;
};

class TJsonDisplay : public IJobProgress {
public:
    explicit TJsonDisplay(std::ostream& Out) : Out(Out) {}
    void Started(int Job, const std::string& Source, double Seconds) override {
        const std::lock_guard Lock(Writing);
        Jobs[Job] = {Source, Seconds, Clock::now()};
        Write({{"event", "started"}, {"job", Job + 1}, {"file", Source}, {"length", Seconds}});
    }
    void Position(int Job, double Seconds) override {
        const std::lock_guard Lock(Writing);
        const TJob& Running = Jobs[Job];
        const double Elapsed = std::chrono::duration<double>(Clock::now() - Running.Since).count();
        Write({{"event", "position"},
               {"job", Job + 1},
               {"file", Running.Source},
               {"position", Seconds},
               {"length", Running.Length},
               {"speed", Elapsed > 0 ? Seconds / Elapsed : 0}});
    }
    void Ended(int Job, const TConversionEntry& Entry) override {
        const std::lock_guard Lock(Writing);
        Write({{"event", "ended"},
               {"job", Job + 1},
               {"file", Entry.Source},
               {"outcome", Entry.Outcome},
               {"output", Entry.Output},
               {"reason", Entry.Reason}});
    }

private:
    struct TJob {
        std::string Source;
        double Length = 0;
        Clock::time_point Since;
    };
    void Write(const nlohmann::json& Object) {
        Out << Object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << std::endl;
    }
    std::ostream& Out;
    std::mutex Writing;
    std::unordered_map<int, TJob> Jobs;
};

std::string Bar(double Fraction, int Width) {
    const int Filled = static_cast<int>(std::clamp(Fraction, 0.0, 1.0) * Width);
    return "[" + std::string(static_cast<size_t>(Filled), '#') +
           std::string(static_cast<size_t>(Width - Filled), '-') + "]";
}

std::string TimeOf(double Seconds) {
    return FormatDuration(static_cast<int64_t>(Seconds));
}

// The bars, redrawn in place at most ten times a second by a thread of their own.
class TBarDisplay : public IJobProgress {
public:
    TBarDisplay(std::ostream& Out, size_t Columns, int JobCount, size_t Files)
        : Out(Out), Columns(Columns), Jobs(static_cast<size_t>(JobCount)), Files(Files),
          Drawer([this] { Draw(); }) {}
    ~TBarDisplay() override {
        {
            const std::lock_guard Lock(State);
            Finished = true;
        }
        Wake.notify_one();
        Drawer.join();
    }
    void Started(int Job, const std::string& Source, double Seconds) override {
        const std::lock_guard Lock(State);
        Jobs[static_cast<size_t>(Job)] = {
            Printable(std::filesystem::path(Source).filename().string()), Seconds, 0, Clock::now(),
            true};
        Changed = true;
    }
    void Position(int Job, double Seconds) override {
        const std::lock_guard Lock(State);
        Jobs[static_cast<size_t>(Job)].Position = Seconds;
        Changed = true;
    }
    void Ended(int Job, const TConversionEntry& Entry) override {
        const std::lock_guard Lock(State);
        TJob& Ending = Jobs[static_cast<size_t>(Job)];
        DoneSeconds += Ending.Active ? Ending.Position : 0;
        Ending.Active = false;
        ++Done;
        EndedLines.push_back(EndLine(Entry));
        Changed = true;
    }

private:
    struct TJob {
        std::string Name;
        double Length = 0, Position = 0;
        Clock::time_point Since;
        bool Active = false;
    };
    void Draw() {
        std::unique_lock Lock(State);
        while (!Finished) {
            Wake.wait_for(Lock, std::chrono::milliseconds(100));
            if (Changed || Finished)
                DrawNow();
        }
    }
    void DrawNow() {
        // Back to the first bar, and away with the old bars and all below them.
        std::string Text = DrawnLines > 0 ? "\x1b[" + std::to_string(DrawnLines) + "F\x1b[J" : "";
        for (const std::string& Line : EndedLines)
            Text += Line + "\n";
        EndedLines.clear();
        double Fraction = static_cast<double>(Done), Converted = DoneSeconds;
        DrawnLines = 0;
        for (size_t Number = 0; Number < Jobs.size() && !Finished; ++Number) {
            const TJob& Job = Jobs[Number];
            const double Part = Job.Active && Job.Length > 0 ? Job.Position / Job.Length : 0;
            const double Elapsed = std::chrono::duration<double>(Clock::now() - Job.Since).count();
            Fraction += Job.Active ? Part : 0;
            Converted += Job.Active ? Job.Position : 0;
            std::string Line = std::to_string(Number + 1) + " " + Bar(Part, 24) + " ";
            if (Job.Active)
                Line += TimeOf(Job.Position) + "/" + TimeOf(Job.Length) + " " +
                        Speed(Job.Position, Elapsed) + " " + Job.Name;
            Text += FitLine(Line) + "\n";
            ++DrawnLines;
        }
        const double Elapsed = std::chrono::duration<double>(Clock::now() - Begun).count();
        const double Share = Files > 0 ? Fraction / static_cast<double>(Files) : 1;
        std::string Total = "  " + Bar(Share, 24) + " " + std::to_string(Done) + "/" +
                            std::to_string(Files) + " files " + Speed(Converted, Elapsed);
        if (Share > 0 && Share < 1)
            Total += " left " + TimeOf(Elapsed * (1 - Share) / Share);
        Text += FitLine(Total) + "\n";
        ++DrawnLines;
        Out << Text << std::flush;
        Changed = false;
    }
    // A bar's line cut to the terminal's width, at a character's start: a line
    // that wrapped would throw the redrawing off.
    std::string FitLine(std::string Line) const {
        if (Line.size() < Columns)
            return Line;
        size_t End = Columns - 1;
        while (End > 0 && (static_cast<unsigned char>(Line[End]) & 0xC0) == 0x80)
            --End;
        Line.resize(End);
        return Line;
    }
    static std::string Speed(double MediaSeconds, double Elapsed) {
        const int Tenths = Elapsed > 0 ? static_cast<int>(MediaSeconds / Elapsed * 10) : 0;
        return std::to_string(Tenths / 10) + "." + std::to_string(Tenths % 10) + "x";
    }

    std::ostream& Out;
    const size_t Columns;
    std::mutex State;
    std::condition_variable Wake;
    std::vector<TJob> Jobs;
    std::vector<std::string> EndedLines;
    const size_t Files;
    size_t Done = 0;
    double DoneSeconds = 0;
    int DrawnLines = 0;
    bool Changed = true, Finished = false;
    const Clock::time_point Begun = Clock::now();
    std::thread Drawer; // last: it starts drawing at once
};

} // namespace

std::unique_ptr<IJobProgress> MakeRunDisplay(TProgressStyle Style, std::ostream& Out,
                                             int TerminalColumns, int Jobs, size_t Files) {
    // Bars asked for where no terminal tells its width are drawn for the usual 80 columns.
    const size_t Columns = TerminalColumns > 0 ? static_cast<size_t>(TerminalColumns) : 80;
    switch (Style) {
    case TProgressStyle::Auto:
        if (TerminalColumns > 0)
            return std::make_unique<TBarDisplay>(Out, Columns, Jobs, Files);
        return std::make_unique<TLineDisplay>(Out);
    case TProgressStyle::Bar:
        return std::make_unique<TBarDisplay>(Out, Columns, Jobs, Files);
    case TProgressStyle::Json:
        return std::make_unique<TJsonDisplay>(Out);
    case TProgressStyle::None:
        break;
    }
    return std::make_unique<TSilentDisplay>();
}
