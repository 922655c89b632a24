#pragma once

#include "MediaGraph.h"

#include <QFrame>
#include <QTimer>
#include <memory>
#include <vector>

class QPainter;

// The preview's picture on black, or for a file with sound alone its waveform.
// The mouse cursor hides after three seconds without movement over it.
class TVideoArea : public QFrame {
    Q_OBJECT

public:
    explicit TVideoArea(QWidget* Parent = nullptr);

    // Shows a picture drawn at SizeInPixels(); a picture of another size is
    // stretched until the next one comes.
    void ShowFrame(std::shared_ptr<const TVideoFrame> Frame);
    // Shows a waveform (levels from 0 to 1) in place of a picture, until the
    // picture is cleared.
    void ShowWaveform(std::vector<float> Levels);
    // Where the playing position and the trim markers stand on the waveform, as
    // shares of the file's length: a line at the one, the rest dimmer.
    void SetWaveformMarks(double Played, double TrimStart, double TrimEnd);
    void ClearPicture();
    bool HasPicture() const { return Frame != nullptr; }
    bool HasWaveform() const { return !Waveform.empty(); }
    // The area in device pixels, the size the pictures are drawn at.
    QSize SizeInPixels() const;

signals:
    void SizeChanged(QSize Pixels);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;

private:
    void PaintWaveform(QPainter& Painter) const;

    std::shared_ptr<const TVideoFrame> Frame;
    std::vector<float> Waveform;
    double Played = 0, TrimStart = 0, TrimEnd = 1;
    QTimer CursorTimer;
};
