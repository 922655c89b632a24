// How the window copes with a large drop: 500 RealMedia files dropped on the
// main window (offscreen), probed for real. Prints the total time until the
// last row is there and the longest time the user-interface thread went
// without turning its event loop.
//
//   build/bench/drop_bench
#include "BenchFiles.h"
#include "DurationProbe.h"
#include "Globals.h"
#include "KorvalinApplication.h"
#include "QuietSystem.h"
#include "SourceListView.h"
#include "Unit_Convert.h"
#include "UserDialogs.h"
#include "ui_Unit_Convert.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TKorvalinApplication Application(argc, argv);
    const fs::path Folder = FreshBenchFolder("korvalin-drop-bench");
    fs::create_directory(Folder / "Config");
    QList<QUrl> Urls;
    for (const fs::path& File : CopiesOfAClip(Folder, 500))
        Urls << QUrl::fromLocalFile(QString::fromStdString(File.string()));
    if (Urls.isEmpty())
        return 1;

    TQuietSystem System;
    TQtUserDialogs Dialogs(System);
    const TMediaDurationProber Prober;
    ApplicationServices = {Folder.string() + "/", &Dialogs, &System, &Prober};
    CreateForms();
    FrmMainForm->show();
    const TSourceListView& List = *FrmMainForm->ui->dxTreeSourceFileInfo;

    // A timer that fires at every turn of the event loop tells how long each turn took.
    auto LastTurn = TClock::now();
    double LongestGap = 0;
    QTimer Turns;
    QObject::connect(&Turns, &QTimer::timeout, [&] {
        const auto Now = TClock::now();
        LongestGap =
            std::max(LongestGap, std::chrono::duration<double, std::milli>(Now - LastTurn).count());
        LastTurn = Now;
    });
    Turns.start(0);

    QMimeData Data;
    Data.setUrls(Urls);
    const auto Start = TClock::now();
    QDragEnterEvent Enter(QPoint(5, 5), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(FrmMainForm, &Enter);
    QDropEvent Drop(QPointF(5, 5), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(FrmMainForm, &Drop);
    LastTurn = TClock::now();
    while (List.RowCount() < Urls.size())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double Total = std::chrono::duration<double>(TClock::now() - Start).count();
    std::printf("500 dropped files added in %.2f s; longest event-loop gap %.1f ms\n", Total,
                LongestGap);
    fs::remove_all(Folder);
    return 0;
}
