#pragma once

#include <QDialog>
#include <QStringList>
#include <QTimer>
#include <memory>

namespace Ui {
class TFrmInitFileForm;
}

// The small "Installing File..." window shown while the files picked in the
// open dialog are added: a spinner turns in it, the work starts 300 ms after it
// is shown, and it closes itself when the work is done, also after an error.
class TFrmInitFileForm : public QDialog {
    Q_OBJECT

public:
    explicit TFrmInitFileForm(QWidget* Parent);
    ~TFrmInitFileForm() override;

    // The paths the next showing adds.
    void SetFiles(const QStringList& Paths) { Files = Paths; }

    const std::unique_ptr<Ui::TFrmInitFileForm> ui;

protected:
    void showEvent(QShowEvent* Event) override;
    void done(int Result) override;

private:
    void Timer1Timer();
    void Timer2Timer();

    QTimer Timer1; // turns the spinner
    QTimer Timer2; // starts the work
    int Spinner = 1;
    QStringList Files;
};
