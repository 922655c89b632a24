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
    // Captioned like every other box of the program, with the title as its prompt.
    QFileDialog Dialog(QApplication::activeWindow(), QApplication::applicationName(), Selected);
    Dialog.setFileMode(QFileDialog::Directory);
    Dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    Dialog.setLabelText(QFileDialog::LookIn, Title);
    if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return Dialog.selectedFiles().first();
}
