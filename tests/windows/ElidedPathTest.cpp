#include "ElidedPath.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

// The file's own name stays whole while it fits; the folder part gives way first.
TEST(ElidedPath, KeepsTheNameWholeAndCutsTheFolderFirst) {
    const QFontMetrics Metrics(QApplication::font());
    const QString Name = "Holiday on the coast number one.rm";
    const QString Path = "/tmp/bars-and-more/long folder name/" + Name;
    const int NameWidth = Metrics.horizontalAdvance(Name);
    struct TCase {
        int Width;
        QString Starts, Ends;
    };
    for (const TCase& Case : {TCase{Metrics.horizontalAdvance(Path), "/tmp/bars", Name},
                              TCase{Metrics.horizontalAdvance("…/long folder name/" + Name) + 5,
                                    "…/long folder name/", Name},
                              TCase{Metrics.horizontalAdvance("…/" + Name), "…/", Name},
                              TCase{NameWidth / 2, "Holiday", "one.rm"}}) {
        const QString Shown = ElidePath(Path, Metrics, Case.Width);
        EXPECT_TRUE(Shown.startsWith(Case.Starts) && Shown.endsWith(Case.Ends))
            << Shown.toStdString() << " at " << Case.Width;
        EXPECT_LE(Metrics.horizontalAdvance(Shown), Case.Width) << Shown.toStdString();
    }
}

} // namespace
