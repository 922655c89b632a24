#pragma once

#include <QApplication>

// The application object: titled "Korvalin", and an error that escapes an event
// handler is shown in an error box instead of ending the program.
class TKorvalinApplication : public QApplication {
public:
    TKorvalinApplication(int& argc, char** argv);
    bool notify(QObject* Receiver, QEvent* Event) override;
};
