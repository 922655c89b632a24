#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TFrmInitFileForm;
}

// The small "Installing File..." window shown while files are added.
class TFrmInitFileForm : public QDialog {
    Q_OBJECT

public:
    explicit TFrmInitFileForm(QWidget* Parent);
    ~TFrmInitFileForm() override;

    const std::unique_ptr<Ui::TFrmInitFileForm> ui;
};
