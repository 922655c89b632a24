#include "VideoArea.h"

#include <QPainter>
#include <algorithm>

namespace {
constexpr int CursorHideMs = 3000;
const QColor Sound(120, 200, 140), Trimmed(45, 75, 55), PlayedLine(Qt::white);
} // namespace

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

void TVideoArea::ShowWaveform(std::vector<float> Levels) {
    Waveform = std::move(Levels);
    update();
}

void TVideoArea::SetWaveformMarks(double NowPlayed, double Start, double End) {
    if (NowPlayed == Played && Start == TrimStart && End == TrimEnd)
        return;
    Played = NowPlayed;
    TrimStart = Start;
    TrimEnd = End;
    if (HasWaveform())
        update();
}

void TVideoArea::ClearPicture() {
    Frame.reset();
    Waveform.clear();
    update();
}

QSize TVideoArea::SizeInPixels() const {
    return size() * devicePixelRatio();
}

void TVideoArea::paintEvent(QPaintEvent*) {
    QPainter Painter(this);
    Painter.fillRect(rect(), Qt::black);
    if (HasWaveform() || !Frame) { // the player's black pictures of sound alone stay unseen
        PaintWaveform(Painter);
        return;
    }
    // The picture is letter-boxed already; it only has to fill the area.
    const QImage Picture(Frame->Pixels.data(), Frame->Width, Frame->Height,
                         static_cast<qsizetype>(Frame->Stride), QImage::Format_RGBX8888);
    Painter.drawImage(rect(), Picture);
}

void TVideoArea::PaintWaveform(QPainter& Painter) const {
    const int Width = width(), Middle = height() / 2;
    if (Waveform.empty() || Width <= 0 || Middle <= 0)
        return;
    // A column of pixels for each share of the length, mirrored about the
    // middle: the loudest of the levels it covers, so that no loud moment is lost.
    const size_t Count = Waveform.size();
    for (int X = 0; X < Width; ++X) {
        const size_t First =
            std::min(Count - 1, Count * static_cast<size_t>(X) / static_cast<size_t>(Width));
        const size_t End =
            std::max(First + 1, Count * static_cast<size_t>(X + 1) / static_cast<size_t>(Width));
        const float Level =
            *std::max_element(Waveform.begin() + static_cast<std::ptrdiff_t>(First),
                              Waveform.begin() + static_cast<std::ptrdiff_t>(std::min(End, Count)));
        const int Half = std::max(1, static_cast<int>(Level * static_cast<float>(Middle)));
        const double Share = (X + 0.5) / Width;
        Painter.setPen(Share >= TrimStart && Share <= TrimEnd ? Sound : Trimmed);
        Painter.drawLine(X, Middle - Half, X, Middle + Half);
    }
    Painter.setPen(PlayedLine);
    const int At = std::clamp(static_cast<int>(Played * Width), 0, Width - 1);
    Painter.drawLine(At, 0, At, height());
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
