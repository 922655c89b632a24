#pragma once

#include "TimeEstimate.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <memory>

class TElidedLabel;

namespace Ui {
class TfrmConverting;
}

// The progress window of a batch conversion: the file being converted, a bar
// for it and one for the whole batch, an animated status line, the encoder's
// latest text, the speed and the time left, and the way to stop.
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
    // What the window estimates of the batch, as its label shows it.
    std::optional<TTimeLeft> TimeLeft() const { return Estimator.TimeLeft(Now()); }

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
    void StartBatch();
    // The file's own name kept whole, the folder cut first.
    void ShowCurrentFile();
    void ShowTimeLeft();
    double Now() const { return static_cast<double>(BatchClock.elapsed()) / 1000; }

    QTimer tmrChanging;
    TElidedLabel* Panel; // the status bar's one panel
    QString LatestText;  // the encoder's latest text, whole
    int AnimationStep = 0;
    QElapsedTimer BatchClock;
    TTimeEstimator Estimator;
    std::vector<int> BatchRows; // the checked rows when the batch started, in order
};
