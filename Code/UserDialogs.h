#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class ISystemActions;

// The icon of a message box; the numbers are the kinds ShowMessageBox takes.
enum class TMessageKind { Error = 0, Warning = 1, Question = 2, Information = 3 };

// The dialogs the program asks the user through. The running program shows Qt
// dialogs captioned with the application title; window tests answer them.
class IUserDialogs {
public:
    virtual ~IUserDialogs() = default;
    // A message box with an OK button; returns when it was closed.
    virtual void ShowMessage(const QString& Text, TMessageKind Kind) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool Confirm(const QString& Question) = 0;
    // A single-line input box; nothing when the user cancelled.
    virtual std::optional<QString> InputText(const QString& Prompt, const QString& Initial) = 0;
    // A folder browser starting at Selected (when it exists); nothing when cancelled.
    virtual std::optional<QString> BrowseFolder(const QString& Title, const QString& Selected) = 0;
    // The open dialog for several existing files, with a filter of the form
    // "Name|*.a;*.b|Name|*.c"; the chosen paths in the dialog's order, none
    // when cancelled.
    virtual QStringList OpenFiles(const QString& InitialFolder, const QString& Filter) = 0;
    // Tells which files cannot be read, each with why, in one dialog, and
    // offers the help page on it; returns when the user has closed it.
    virtual void ShowCodecError(const QStringList& Files) = 0;
};

class TQtUserDialogs : public IUserDialogs {
public:
    // The codec error dialog opens its link, the help page UnreadableHelp,
    // through System.
    TQtUserDialogs(ISystemActions& System, std::string UnreadableHelp)
        : System(System), UnreadableHelp(std::move(UnreadableHelp)) {}
    void ShowMessage(const QString& Text, TMessageKind Kind) override;
    bool Confirm(const QString& Question) override;
    std::optional<QString> InputText(const QString& Prompt, const QString& Initial) override;
    std::optional<QString> BrowseFolder(const QString& Title, const QString& Selected) override;
    QStringList OpenFiles(const QString& InitialFolder, const QString& Filter) override;
    void ShowCodecError(const QStringList& Files) override;

private:
    ISystemActions& System;
    const std::string UnreadableHelp;
};
