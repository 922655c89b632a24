#pragma once

#include "MediaGraph.h"

#include <QFrame>
#include <QTimer>
#include <memory>

// The preview's picture on black. The mouse cursor hides after three seconds
// without movement over it.
class TVideoArea : public QFrame {
    Q_OBJECT

public:
    explicit TVideoArea(QWidget* Parent = nullptr);

    // Shows a picture drawn at SizeInPixels(); a picture of another size is
    // stretched until the next one comes.
    void ShowFrame(std::shared_ptr<const TVideoFrame> Frame);
    void ClearPicture();
    bool HasPicture() const { return Frame != nullptr; }
    // The area in device pixels, the size the pictures are drawn at.
    QSize SizeInPixels() const;

signals:
    void SizeChanged(QSize Pixels);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;

private:
    std::shared_ptr<const TVideoFrame> Frame;
    QTimer CursorTimer;
};
