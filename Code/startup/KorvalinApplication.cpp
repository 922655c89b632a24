#include "KorvalinApplication.h"

#include "EventHandlers.h"

#include <QIcon>
#include <clocale>

TKorvalinApplication::TKorvalinApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Korvalin");
    // The desktop entry and the icon that an installation brings; a copy
    // run from its own folder goes without them.
    setDesktopFileName("org.example.Korvalin");
    setWindowIcon(QIcon::fromTheme("org.example.Korvalin"));
    // Texts and files follow the user's locale; numbers stay in the C format,
    // which libmpv requires of the process that creates a player.
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
}

bool TKorvalinApplication::notify(QObject* Receiver, QEvent* Event) {
    bool Result = false;
    RunHandler([&] { Result = QApplication::notify(Receiver, Event); });
    return Result;
}
