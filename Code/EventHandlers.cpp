#include "EventHandlers.h"

#include "Globals.h"
#include "UserDialogs.h"

#include <QApplication>
#include <QMessageBox>

void RunHandler(const std::function<void()>& Handler) {
    try {
        Handler();
    } catch (const std::exception& Error) {
        const QString Text = QString::fromLocal8Bit(Error.what());
        if (ApplicationServices.Dialogs)
            ApplicationServices.Dialogs->ShowMessage(Text, TMessageKind::Error);
        else
            QMessageBox::critical(nullptr, QApplication::applicationName(), Text);
    }
}
