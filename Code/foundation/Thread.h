#pragma once

#include <thread>

// A worker thread object: created suspended, started explicitly, runs Execute
// once. It never frees itself; its owner destroys it, which waits for the end.
// A derived class whose Execute uses its own members must call WaitFor in its
// destructor, before those members go.
class TThread {
public:
    TThread() = default;
    virtual ~TThread() { WaitFor(); }
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Runs Execute on a new thread; a second call does nothing.
    void Start() {
        if (!Worker.joinable())
            Worker = std::thread([this] { Execute(); });
    }
    // Returns when Execute has returned (at once when never started).
    void WaitFor() {
        if (Worker.joinable())
            Worker.join();
    }

protected:
    virtual void Execute() = 0;

private:
    std::thread Worker;
};
