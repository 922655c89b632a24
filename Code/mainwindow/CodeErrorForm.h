#pragma once

#include <QDialog>
#include <memory>

class ISystemActions;

namespace Ui {
class TFrmCodeErrorForm;
}

// Tells the user which files cannot be read and offers the codec download.
class TFrmCodeErrorForm : public QDialog {
    Q_OBJECT

public:
    // Files: the paths that could not be read, listed below the message.
    TFrmCodeErrorForm(QWidget* Parent, ISystemActions& System, const QStringList& Files);
    ~TFrmCodeErrorForm() override;

    const std::unique_ptr<Ui::TFrmCodeErrorForm> ui;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void ListFiles(const QStringList& Files);

    ISystemActions& System;
};
