#include "AdvanceSystem.h"

#include "AppFunc.h"
#include "ConsoleProcess.h"

#include <string_view>

namespace {

constexpr size_t MaxPiece = 1023;
constexpr int PauseAfterDelivery = 500; // milliseconds
// How long a pass waits for output when the pipe is empty, so that the loop
// does not spin; the child's end is noticed within this time.
constexpr int EmptyPipeWaitMilliseconds = 50;

// Keeps the encoder's lines that begin with "evc: " while its output goes by
// in pieces that may cut a line anywhere: the last one, and the notes before it.
class TEncoderWordsScanner {
public:
    void Add(std::string_view Piece) {
        for (const char Byte : Piece) {
            if (Byte == '\n' || Byte == '\r')
                EndLine();
            else if (Line.size() < MaxLine) // a runaway line cannot grow without end
                Line += Byte;
        }
    }
    void Finish(TRunEnd& End) {
        EndLine();
        End.EncoderWords = Words;
        End.EncoderNotes = Notes;
    }

private:
    void EndLine() {
        if (Line.starts_with(Prefix)) {
            if (!Words.empty() && Notes.size() < MaxNotes)
                Notes.push_back(Words);
            Words = Line.substr(Prefix.size());
        }
        Line.clear();
    }
    static constexpr std::string_view Prefix = "evc: ";
    static constexpr size_t MaxLine = 4096;
    static constexpr size_t MaxNotes = 16;
    std::string Line, Words;
    std::vector<std::string> Notes;
};

} // namespace

bool RunConsoleCommand(const std::string& CommandLine, const TOutputProc& OnOutput, TRunEnd* End,
                       TRunControl* Control) {
    TConsoleProcess Process;
    if (!Process.Start(CommandLine, TAppFunc().AppFolder()))
        return false;
    if (Control)
        Control->Started(Process.Group());
    TEncoderWordsScanner Scanner;
    bool Running = true;
    while (Running) {
        if (Control && Control->EndRequested())
            Process.EndGroup();
        Running = Process.IsRunning(); // before looking at the pipe: the last words still count
        if (Process.BytesWaiting() == 0) {
            if (Running)
                Process.WaitForOutput(EmptyPipeWaitMilliseconds);
            continue;
        }
        std::string Text;
        do { // only the newest piece matters to the progress display
            Text = Process.Read(MaxPiece);
            Scanner.Add(Text);
        } while (!Text.empty() && Process.BytesWaiting() > 0);
        OnOutput(Text);
        Process.WaitForEnd(PauseAfterDelivery); // over at once when the child has ended
    }
    if (End) {
        End->ExitCode = Process.ExitCode();
        Scanner.Finish(*End);
    }
    return true;
}

TAdvanceSystem::TAdvanceSystem(std::string CommandLine, TOutputProc OnOutput,
                               IOutputDispatcher& Dispatcher, const TAppFunc& AppFunc,
                               TRunEndProc OnEnd)
    : CommandLine(std::move(CommandLine)), OnOutput(std::move(OnOutput)), Dispatcher(Dispatcher),
      AppFunc(AppFunc), OnEnd(std::move(OnEnd)) {}

TAdvanceSystem::~TAdvanceSystem() {
    WaitFor();
}

void TAdvanceSystem::Execute() {
    TRunEnd End;
    End.Started = RunConsoleCommand(
        CommandLine,
        [this](const std::string& Text) {
            Dispatcher.Post([Callback = OnOutput, Text] { Callback(Text); });
        },
        &End, Run.get());
    if (!End.Started)
        AppFunc.TryWriteLog("Run command error.");
    if (OnEnd)
        Dispatcher.Post([Callback = OnEnd, End] { Callback(End); });
}
