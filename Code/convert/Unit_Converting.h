#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmConverting;
}

// The progress window of a batch conversion.
class TfrmConverting : public QDialog {
    Q_OBJECT

public:
    explicit TfrmConverting(QWidget* Parent);
    ~TfrmConverting() override;

    const std::unique_ptr<Ui::TfrmConverting> ui;
};
