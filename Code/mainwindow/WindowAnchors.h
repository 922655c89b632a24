#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

// Keeps controls placed relative to the window's edges as it is resized: some
// stretch to the right or downwards, some move with the right or bottom edge.
class TWindowAnchors {
public:
    enum TAnchor { StretchRight = 1, StretchDown = 2, MoveRight = 4, MoveDown = 8 };

    // Remembers the window's design size and the control's design place.
    void Add(QWidget* Control, int Anchor, QSize DesignSize);
    // Places every control for the window's new size.
    void Apply(QSize WindowSize) const;

private:
    struct TEntry {
        QWidget* Control;
        int Anchor;
        QRect Design;
    };
    std::vector<TEntry> Entries;
    QSize Design;
};
