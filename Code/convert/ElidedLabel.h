#pragma once

#include <QLabel>

// A one-line label that takes whatever width its layout gives it, down to its
// minimum width, and shows as much of its text as fits, cut with "…" (at the
// right unless told otherwise) only when the text is longer.
class TElidedLabel : public QLabel {
public:
    explicit TElidedLabel(QWidget* Parent = nullptr);
    void SetElideMode(Qt::TextElideMode Mode) { ElideMode = Mode; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    Qt::TextElideMode ElideMode = Qt::ElideRight;
};
