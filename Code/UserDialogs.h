#pragma once

#include <QString>
#include <optional>

// The icon of a message box; the numbers are the kinds ShowMessageBox takes.
enum class TMessageKind { Error = 0, Warning = 1, Question = 2, Information = 3 };

// The dialogs the program asks the user through. The running program shows Qt
// dialogs captioned with the application title; window tests answer them.
class IUserDialogs {
public:
    virtual ~IUserDialogs() = default;
    // A message box with an OK button; returns when it was closed.
    virtual void ShowMessage(const QString& Text, TMessageKind Kind) = 0;
    // A single-line input box; nothing when the user cancelled.
    virtual std::optional<QString> InputText(const QString& Prompt, const QString& Initial) = 0;
    // A folder browser starting at Selected (when it exists); nothing when cancelled.
    virtual std::optional<QString> BrowseFolder(const QString& Title, const QString& Selected) = 0;
};

class TQtUserDialogs : public IUserDialogs {
public:
    void ShowMessage(const QString& Text, TMessageKind Kind) override;
    std::optional<QString> InputText(const QString& Prompt, const QString& Initial) override;
    std::optional<QString> BrowseFolder(const QString& Title, const QString& Selected) override;
};
