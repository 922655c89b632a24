#pragma once

#include "Thread.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TAppFunc;

// Receives one piece of the encoder's output.
using TOutputProc = std::function<void(const std::string& Text)>;

// Carries work from the runner's thread to the thread that owns the callbacks
// (the user-interface thread), one queued call at a time, in order.
class IOutputDispatcher {
public:
    virtual ~IOutputDispatcher() = default;
    // Arranges for Call to run on the owner's thread after every call posted
    // before it. Call holds its own copies of what it needs.
    virtual void Post(std::function<void()> Call) = 0;
};

// How an encoder run ended.
struct TRunEnd {
    bool Started = false; // false: the program could not be started
    int ExitCode = 0;     // the child's exit code; 128 + the signal that ended it
    // The encoder's last word on the run: its last output line that began
    // with "evc: ", without those five characters ("cannot write ...").
    std::string EncoderWords;
    // Its earlier lines that began with "evc: ", without those characters:
    // notes on the run such as damage it skipped or the name the output took.
    std::vector<std::string> EncoderNotes = {};
};
using TRunEndProc = std::function<void(const TRunEnd& End)>;

// A run's encoder as the thread that started the run sees it from another
// thread: whether it, or a program it started, is still there, and a request
// to end it that the run carries out within half a second. Only the encoder
// the run started, and what it started, is ever ended.
class TRunControl {
public:
    void RequestEnd() { EndWanted = true; }
    bool EndRequested() const { return EndWanted; }
    // The encoder's process group, which its own children share; 0 until it runs.
    long Group() const { return ProcessGroup; }
    // Set by the run once the encoder has started.
    void Started(long Group) { ProcessGroup = Group; }

private:
    std::atomic<bool> EndWanted = false;
    std::atomic<long> ProcessGroup = 0;
};

// Runs the command line as a console child and hands its newest output to
// OnOutput about twice a second until the child has ended: each pass reads
// everything waiting in pieces of at most 1023 bytes, delivers only the last
// piece and pauses 500 ms, less when the child ends meanwhile. Returns false,
// having delivered nothing, when the program cannot be started; otherwise
// true, with the child's exit code and last word in End when given; the last
// word is also found in pieces that were not delivered. OnOutput runs on the
// calling thread.
// With a Control, the run tells it the encoder's process group and ends the
// encoder when asked to.
bool RunConsoleCommand(const std::string& CommandLine, const TOutputProc& OnOutput,
                       TRunEnd* End = nullptr, TRunControl* Control = nullptr);

// The runner thread of one encoder run: RunConsoleCommand on a thread of its
// own, each text posted through the dispatcher to OnOutput, and at the end how
// the run ended to OnEnd. A program that cannot be started is also logged,
// through AppFunc.
class TAdvanceSystem : public TThread {
public:
    TAdvanceSystem(std::string CommandLine, TOutputProc OnOutput, IOutputDispatcher& Dispatcher,
                   const TAppFunc& AppFunc, TRunEndProc OnEnd = {});
    ~TAdvanceSystem() override;

    // Shared, so that a stop that waits for the encoder outlives the runner,
    // which the batch may free meanwhile.
    std::shared_ptr<TRunControl> Control() const { return Run; }

protected:
    void Execute() override;

private:
    const std::string CommandLine;
    const TOutputProc OnOutput;
    IOutputDispatcher& Dispatcher;
    const TAppFunc& AppFunc;
    const TRunEndProc OnEnd;
    const std::shared_ptr<TRunControl> Run = std::make_shared<TRunControl>();
};
