#include "ElidedPath.h"

QString ElidePath(const QString& Path, const QFontMetrics& Metrics, int Width) {
    if (Metrics.horizontalAdvance(Path) <= Width)
        return Path;
    const qsizetype NameStart = Path.lastIndexOf('/') + 1;
    // Whole folders give way from the start: "…/long folder/name.rm", then "…/name.rm".
    for (qsizetype Cut = Path.indexOf('/', 1); Cut >= 0 && Cut < NameStart;
         Cut = Path.indexOf('/', Cut + 1)) {
        const QString Shown = QStringLiteral("…") + Path.mid(Cut);
        if (Metrics.horizontalAdvance(Shown) <= Width)
            return Shown;
    }
    return Metrics.elidedText(Path.mid(NameStart), Qt::ElideMiddle, Width);
}
