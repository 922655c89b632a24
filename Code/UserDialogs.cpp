#include "UserDialogs.h"

#include "CodeErrorForm.h"
#include "DialogFrame.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLayout>
#include <QMessageBox>

void TQtUserDialogs::ShowMessage(const QString& Text, TMessageKind Kind) {
    static const QMessageBox::Icon Icons[] = {QMessageBox::Critical, QMessageBox::Warning,
                                              QMessageBox::Question, QMessageBox::Information};
    QMessageBox Box(Icons[static_cast<int>(Kind)], QApplication::applicationName(), Text,
                    QMessageBox::Ok, QApplication::activeWindow());
    Box.exec();
}

bool TQtUserDialogs::Confirm(const QString& Question) {
    return QMessageBox::question(QApplication::activeWindow(), QApplication::applicationName(),
                                 Question) == QMessageBox::Yes;
}

std::optional<QString> TQtUserDialogs::InputText(const QString& Prompt, const QString& Initial) {
    QInputDialog Box(QApplication::activeWindow(), FixedDialogFrame);
    Box.setWindowTitle(QApplication::applicationName());
    Box.setLabelText(Prompt);
    Box.setTextValue(Initial);
    Box.adjustSize(); // lays the box out, so that it has its layout
    Box.layout()->setSizeConstraint(QLayout::SetFixedSize);
    if (Box.exec() != QDialog::Accepted)
        return std::nullopt;
    return Box.textValue();
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

namespace {

// Qt's form of a filter: "Name (*.a *.b);;Name (*.c)". Qt reads the patterns
// from the brackets, so a name that already shows them keeps its text.
QString QtNameFilters(const QString& Filter) {
    const QStringList Parts = Filter.split('|');
    QStringList Filters;
    for (qsizetype Index = 0; Index + 1 < Parts.size(); Index += 2) {
        const QString Patterns = Parts[Index + 1].split(';', Qt::SkipEmptyParts).join(' ');
        const QString& Name = Parts[Index];
        Filters << (Name.endsWith("(" + Patterns + ")") ? Name : Name + " (" + Patterns + ")");
    }
    return Filters.join(";;");
}

} // namespace

QStringList TQtUserDialogs::OpenFiles(const QString& InitialFolder, const QString& Filter) {
    QFileDialog Dialog(QApplication::activeWindow(), "Open", InitialFolder, QtNameFilters(Filter));
    Dialog.setFileMode(QFileDialog::ExistingFiles);
    Dialog.setOptions(QFileDialog::DontUseNativeDialog);
    return Dialog.exec() == QDialog::Accepted ? Dialog.selectedFiles() : QStringList();
}

void TQtUserDialogs::ShowCodecError(const QStringList& Files) {
    TFrmCodeErrorForm(QApplication::activeWindow(), System, UnreadableHelp, Files).exec();
}
