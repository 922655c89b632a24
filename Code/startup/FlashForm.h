#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>
#include <functional>
#include <memory>

namespace Ui {
class TFrmFlashForm;
}

// The splash: the picture alone, centred on the desktop. A quarter of a second
// after it appears it runs the start-up work, and it closes once that is done
// and it has been on screen for two seconds.
class TFrmFlashForm : public QDialog {
    Q_OBJECT

public:
    TFrmFlashForm(QWidget* Owner, const QImage& Picture, std::function<void()> Work);
    ~TFrmFlashForm() override;

    // Only the splash itself closes itself, once it is done.
    void reject() override;

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    void FormShow();
    void Timer1Timer();
    void Timer2Timer();
    void CloseWhenDone();

    const std::unique_ptr<Ui::TFrmFlashForm> ui;
    const std::function<void()> Work;
    QTimer Timer1; // the start-up work, once
    QTimer Timer2; // counts the seconds on screen
    int Ticks = 0;
    bool WorkDone = false;
};
