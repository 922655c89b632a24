#pragma once

#include "AdvanceSystem.h"

#include <QObject>

// Hands work from other threads to the user-interface thread as queued calls
// to a window: each call runs there, in order, and is dropped when the window
// is gone.
class TQueuedDispatcher : public IOutputDispatcher {
public:
    explicit TQueuedDispatcher(QObject& Receiver) : Receiver(Receiver) {}
    void Post(std::function<void()> Call) override;

private:
    QObject& Receiver;
};
