#include "VideoArea.h"

#include <QPainter>

namespace {
constexpr int CursorHideMs = 3000;
}

TVideoArea::TVideoArea(QWidget* Parent) : QFrame(Parent) {
    setMouseTracking(true);
    CursorTimer.setSingleShot(true);
    CursorTimer.setInterval(CursorHideMs);
    connect(&CursorTimer, &QTimer::timeout, this, [this] { setCursor(Qt::BlankCursor); });
}

void TVideoArea::ShowFrame(std::shared_ptr<const TVideoFrame> NewFrame) {
    Frame = std::move(NewFrame);
    update();
}

void TVideoArea::ClearPicture() {
    Frame.reset();
    update();
}

QSize TVideoArea::SizeInPixels() const {
    return size() * devicePixelRatio();
}

void TVideoArea::paintEvent(QPaintEvent*) {
    QPainter Painter(this);
    Painter.fillRect(rect(), Qt::black);
    if (!Frame)
        return;
    // The picture is letter-boxed already; it only has to fill the area.
    const QImage Picture(Frame->Pixels.data(), Frame->Width, Frame->Height,
                         static_cast<qsizetype>(Frame->Stride), QImage::Format_RGBX8888);
    Painter.drawImage(rect(), Picture);
}

void TVideoArea::resizeEvent(QResizeEvent* Event) {
    QFrame::resizeEvent(Event);
    emit SizeChanged(SizeInPixels());
}

void TVideoArea::mouseMoveEvent(QMouseEvent* Event) {
    unsetCursor();
    CursorTimer.start();
    QFrame::mouseMoveEvent(Event);
}
