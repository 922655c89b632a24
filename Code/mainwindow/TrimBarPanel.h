#pragma once

#include "TrimBar.h"

#include <QFrame>

class TTrimMarker;

// The trim bar under the preview: the left strip, the start marker, the middle
// strip, the end marker and the right strip, side by side. Dragging a marker
// resizes its outer strip as the mouse moves; a left click on an outer strip
// steps its marker outwards. Both report every move of a marker.
class TTrimBarPanel : public QFrame {
    Q_OBJECT

public:
    explicit TTrimBarPanel(QWidget* Parent = nullptr);

    TrimBar::TStrips Strips() const { return Now; }
    // Places the markers; this is not a move of them.
    void SetStrips(TrimBar::TStrips Strips);

signals:
    void StartMarkerMoved();
    void EndMarkerMoved();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    friend class TTrimMarker;
    void MarkerDragged(const TTrimMarker& Marker, int X);
    void Arrange();

    QWidget* Panel2;        // left strip
    TTrimMarker* Splitter1; // start marker
    QWidget* Panel4;        // middle strip
    TTrimMarker* Splitter2; // end marker
    QWidget* Panel3;        // right strip
    TrimBar::TStrips Now{1, 1};
};
