#pragma once

#include <QDialog>
#include <QTimer>
#include <memory>

class QLabel;

namespace Ui {
class TfrmConverting;
}

// The progress window of a batch conversion: the file being converted, a bar
// for it and one for the whole batch, an animated status line, the encoder's
// latest text, and the way to stop.
class TfrmConverting : public QDialog {
    Q_OBJECT

public:
    explicit TfrmConverting(QWidget* Parent);
    ~TfrmConverting() override;

    // The callback of every runner: one output text of the encoder.
    void ShowConvertProgress(const QString& Text);
    // The encoder's latest text, which the status bar's panel shows.
    QString StatusText() const;
    // A new file: its bar at 0 and no text of the file before it.
    void StartFile();

    const std::unique_ptr<Ui::TfrmConverting> ui;

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    void reject() override;

private:
    void FormShow();
    void tmrChangingTimer();
    void actRefreshProgressExecute();
    void btnStop1Click();
    bool FormClose();
    void StopEncoder() const;

    QTimer tmrChanging;
    QLabel* Panel;      // the status bar's one panel
    QString LatestText; // the encoder's latest text, whole
    int AnimationStep = 0;
};
