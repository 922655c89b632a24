#include "UserDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

void TQtUserDialogs::ShowMessage(const QString& Text, TMessageKind Kind) {
    static const QMessageBox::Icon Icons[] = {QMessageBox::Critical, QMessageBox::Warning,
                                              QMessageBox::Question, QMessageBox::Information};
    QMessageBox Box(Icons[static_cast<int>(Kind)], QApplication::applicationName(), Text,
                    QMessageBox::Ok, QApplication::activeWindow());
    Box.exec();
}

std::optional<QString> TQtUserDialogs::InputText(const QString& Prompt, const QString& Initial) {
    bool Accepted = false;
    const QString Text =
        QInputDialog::getText(QApplication::activeWindow(), QApplication::applicationName(), Prompt,
                              QLineEdit::Normal, Initial, &Accepted);
    return Accepted ? std::optional(Text) : std::nullopt;
}

std::optional<QString> TQtUserDialogs::BrowseFolder(const QString& Title, const QString& Selected) {
    const QString Folder =
        QFileDialog::getExistingDirectory(QApplication::activeWindow(), Title, Selected);
    return Folder.isEmpty() ? std::nullopt : std::optional(Folder);
}
