#pragma once

#include <QApplication>

// The application object, titled "Korvalin". As a last resort it shows an
// error that escaped an event handler and goes on.
class TKorvalinApplication : public QApplication {
public:
    TKorvalinApplication(int& argc, char** argv);
    bool notify(QObject* Receiver, QEvent* Event) override;
};
