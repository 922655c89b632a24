#pragma once

#include <QDialog>
#include <memory>

class ISystemActions;

namespace Ui {
class TFrmCodeErrorForm;
}

// Tells the user that a file cannot be read and offers the codec download.
class TFrmCodeErrorForm : public QDialog {
    Q_OBJECT

public:
    TFrmCodeErrorForm(QWidget* Parent, ISystemActions& System);
    ~TFrmCodeErrorForm() override;

    const std::unique_ptr<Ui::TFrmCodeErrorForm> ui;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    ISystemActions& System;
};
