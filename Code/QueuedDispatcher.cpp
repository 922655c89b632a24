#include "QueuedDispatcher.h"

#include "EventHandlers.h"

#include <QMetaObject>

void TQueuedDispatcher::Post(std::function<void()> Call) {
    QMetaObject::invokeMethod(
        &Receiver, [Call = std::move(Call)] { RunHandler(Call); }, Qt::QueuedConnection);
}
