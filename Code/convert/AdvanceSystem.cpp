#include "AdvanceSystem.h"

#include "AppFunc.h"
#include "ConsoleProcess.h"

#include <chrono>
#include <thread>

namespace {

constexpr size_t MaxPiece = 1023;
constexpr auto PauseAfterDelivery = std::chrono::milliseconds(500);
// How long a pass waits for output when the pipe is empty, so that the loop
// does not spin; the child's end is noticed within this time.
constexpr int EmptyPipeWaitMilliseconds = 50;

} // namespace

bool RunConsoleCommand(const std::string& CommandLine, const TOutputProc& OnOutput) {
    TConsoleProcess Process;
    if (!Process.Start(CommandLine, TAppFunc().AppFolder()))
        return false;
    bool Running = true;
    while (Running) {
        Running = Process.IsRunning(); // before looking at the pipe: the last words still count
        if (Process.BytesWaiting() == 0) {
            if (Running)
                Process.WaitForOutput(EmptyPipeWaitMilliseconds);
            continue;
        }
        std::string Text;
        do { // only the newest piece matters to the progress display
            Text = Process.Read(MaxPiece);
        } while (!Text.empty() && Process.BytesWaiting() > 0);
        OnOutput(Text);
        std::this_thread::sleep_for(PauseAfterDelivery);
    }
    return true;
}

TAdvanceSystem::TAdvanceSystem(std::string CommandLine, TOutputProc OnOutput,
                               IOutputDispatcher& Dispatcher)
    : CommandLine(std::move(CommandLine)), OnOutput(std::move(OnOutput)), Dispatcher(Dispatcher) {}

TAdvanceSystem::~TAdvanceSystem() {
    WaitFor();
}

void TAdvanceSystem::Execute() {
    RunConsoleCommand(CommandLine,
                      [this](const std::string& Text) { Dispatcher.Post(OnOutput, Text); });
}
