#include "KorvalinApplication.h"

#include "Globals.h"
#include "UserDialogs.h"

#include <QMessageBox>

TKorvalinApplication::TKorvalinApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Korvalin");
}

bool TKorvalinApplication::notify(QObject* Receiver, QEvent* Event) {
    try {
        return QApplication::notify(Receiver, Event);
    } catch (const std::exception& Error) {
        const QString Text = QString::fromLocal8Bit(Error.what());
        if (ApplicationServices.Dialogs)
            ApplicationServices.Dialogs->ShowMessage(Text, TMessageKind::Error);
        else
            QMessageBox::critical(nullptr, applicationName(), Text);
    }
    return false;
}
