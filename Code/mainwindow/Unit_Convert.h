#pragma once

#include <QMainWindow>
#include <memory>

namespace Ui {
class TFrmMainForm;
}

// The main window.
class TFrmMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TFrmMainForm(QWidget* Parent = nullptr);
    ~TFrmMainForm() override;

private:
    std::unique_ptr<Ui::TFrmMainForm> ui;
};
