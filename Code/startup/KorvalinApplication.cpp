#include "KorvalinApplication.h"

#include "EventHandlers.h"

TKorvalinApplication::TKorvalinApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Korvalin");
}

bool TKorvalinApplication::notify(QObject* Receiver, QEvent* Event) {
    bool Result = false;
    RunHandler([&] { Result = QApplication::notify(Receiver, Event); });
    return Result;
}
