#pragma once

#include <QDialog>
#include <memory>
#include <string>

class ISystemActions;

namespace Ui {
class TFrmCodeErrorForm;
}

// Tells the user which files cannot be read, each with why, and offers the
// help page on what to do.
class TFrmCodeErrorForm : public QDialog {
    Q_OBJECT

public:
    // Files: the paths that could not be read, each with its reason, listed
    // below the message; HelpPage: the page the link opens.
    TFrmCodeErrorForm(QWidget* Parent, ISystemActions& System, std::string HelpPage,
                      const QStringList& Files);
    ~TFrmCodeErrorForm() override;

    const std::unique_ptr<Ui::TFrmCodeErrorForm> ui;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void ListFiles(const QStringList& Files);

    ISystemActions& System;
    const std::string HelpPage;
};
