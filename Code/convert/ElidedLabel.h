#pragma once

#include <QLabel>

// A one-line label that takes whatever width its layout gives it, down to its
// minimum width, and shows as much of its text as fits, cut at the right with
// "…" only when the text is longer.
class TElidedLabel : public QLabel {
public:
    explicit TElidedLabel(int MinimumWidth);

protected:
    void paintEvent(QPaintEvent* Event) override;
};
