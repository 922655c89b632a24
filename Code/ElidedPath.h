#pragma once

#include <QFontMetrics>
#include <QString>

// A path as it fits in Width pixels with the file's own name kept whole: the
// whole path when it fits; else whole folders cut from its start
// ("…/coast/Holiday on the coast.rm", "…/Holiday on the coast.rm"); only a
// name too long for the width alone is cut itself, in its middle.
QString ElidePath(const QString& Path, const QFontMetrics& Metrics, int Width);
