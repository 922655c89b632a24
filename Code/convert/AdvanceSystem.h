#pragma once

#include "Thread.h"

#include <functional>
#include <string>

// Receives one piece of the encoder's output.
using TOutputProc = std::function<void(const std::string& Text)>;

// Carries output texts from the runner's thread to the thread that owns the
// callback (the user-interface thread), one queued call per text, in order.
class IOutputDispatcher {
public:
    virtual ~IOutputDispatcher() = default;
    // Arranges for Callback(Text) to run on the owner's thread after every text
    // posted before it. Text is the dispatcher's own copy.
    virtual void Post(const TOutputProc& Callback, std::string Text) = 0;
};

// Runs the command line as a console child and hands its newest output to
// OnOutput about twice a second until the child has ended: each pass reads
// everything waiting in pieces of at most 1023 bytes, delivers only the last
// piece and pauses 500 ms. Returns false, having delivered nothing, when the
// program cannot be started. OnOutput runs on the calling thread.
bool RunConsoleCommand(const std::string& CommandLine, const TOutputProc& OnOutput);

// The runner thread of one encoder run: RunConsoleCommand on a thread of its
// own, each text posted through the dispatcher.
class TAdvanceSystem : public TThread {
public:
    TAdvanceSystem(std::string CommandLine, TOutputProc OnOutput, IOutputDispatcher& Dispatcher);
    ~TAdvanceSystem() override;

protected:
    void Execute() override;

private:
    const std::string CommandLine;
    const TOutputProc OnOutput;
    IOutputDispatcher& Dispatcher;
};
