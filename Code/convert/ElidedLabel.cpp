#include "ElidedLabel.h"

#include <QPainter>
#include <QStyle>

TElidedLabel::TElidedLabel(QWidget* Parent) : QLabel(Parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred); // never widens its window
}

void TElidedLabel::paintEvent(QPaintEvent*) {
    QPainter Painter(this);
    const QRect Area = contentsRect();
    const QString Shown = fontMetrics().elidedText(text(), ElideMode, Area.width());
    style()->drawItemText(&Painter, Area, static_cast<int>(alignment()), palette(), isEnabled(),
                          Shown, foregroundRole());
}
