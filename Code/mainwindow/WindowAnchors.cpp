#include "WindowAnchors.h"

#include <QWidget>

void TWindowAnchors::Add(QWidget* Control, int Anchor, QSize DesignSize) {
    Design = DesignSize;
    Entries.push_back({Control, Anchor, Control->geometry()});
}

void TWindowAnchors::Apply(QSize WindowSize) const {
    const int Wider = WindowSize.width() - Design.width();
    const int Taller = WindowSize.height() - Design.height();
    for (const TEntry& Entry : Entries) {
        QRect Place = Entry.Design;
        if (Entry.Anchor & StretchRight)
            Place.setWidth(Place.width() + Wider);
        if (Entry.Anchor & StretchDown)
            Place.setHeight(Place.height() + Taller);
        if (Entry.Anchor & MoveRight)
            Place.translate(Wider, 0);
        if (Entry.Anchor & MoveDown)
            Place.translate(0, Taller);
        Entry.Control->setGeometry(Place);
    }
}
