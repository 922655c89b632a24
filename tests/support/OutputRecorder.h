#pragma once

#include "AdvanceSystem.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// A dispatcher like the windows' one: posted calls wait in a queue until the
// owning thread (the test) runs them.
class TQueueDispatcher : public IOutputDispatcher {
public:
    void Post(std::function<void()> Call) override {
        std::lock_guard Lock(Mutex);
        Queue.push_back(std::move(Call));
        Posted.notify_all();
    }
    // Runs what was posted, waiting up to Timeout for the first call.
    void RunPosted(std::chrono::milliseconds Timeout) {
        std::unique_lock Lock(Mutex);
        Posted.wait_for(Lock, Timeout, [this] { return !Queue.empty(); });
        while (!Queue.empty()) {
            std::function<void()> Call = std::move(Queue.front());
            Queue.pop_front();
            Lock.unlock();
            Call();
            Lock.lock();
        }
    }

private:
    std::mutex Mutex;
    std::condition_variable Posted;
    std::deque<std::function<void()>> Queue;
};

// Every delivered text with when and on which thread it arrived.
struct TDelivery {
    std::string Text;
    std::chrono::steady_clock::time_point At;
    std::thread::id Thread;
};

class TOutputRecorder {
public:
    TOutputProc Callback() {
        return [this](const std::string& Text) {
            Deliveries.push_back(
                {Text, std::chrono::steady_clock::now(), std::this_thread::get_id()});
        };
    }
    std::vector<TDelivery> Deliveries;
};
