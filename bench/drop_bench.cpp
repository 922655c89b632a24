// How the window copes with a large drop: N RealMedia files (500 when not
// given) dropped on the main window (offscreen), probed for real. Prints the
// total time until the last row is there and the longest time the
// user-interface thread went without turning its event loop.
//
//   build/bench/drop_bench [N]
#include "BenchFiles.h"
#include "BenchProgram.h"
#include "KorvalinApplication.h"
#include "SourceListView.h"
#include "ui_Unit_Convert.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TKorvalinApplication Application(argc, argv);
    const int Count = argc > 1 ? std::atoi(argv[1]) : 500;
    const fs::path Folder = FreshBenchFolder("korvalin-drop-bench");
    QList<QUrl> Urls;
    for (const fs::path& File : CopiesOfAClip(Folder, Count))
        Urls << QUrl::fromLocalFile(QString::fromStdString(File.string()));
    if (Urls.isEmpty())
        return 1;
    const TBenchProgram Program(Folder);
    const TSourceListView& List = *FrmMainForm->ui->dxTreeSourceFileInfo;

    TEventLoopWatch Watch;
    QMimeData Data;
    Data.setUrls(Urls);
    const auto Start = std::chrono::steady_clock::now();
    QDragEnterEvent Enter(QPoint(5, 5), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(FrmMainForm, &Enter);
    QDropEvent Drop(QPointF(5, 5), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(FrmMainForm, &Drop);
    Watch.Start();
    while (List.RowCount() < Urls.size())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double Total =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    for (int Row = 0; Row < List.RowCount(); ++Row)
        if (List.Row(Row)[FileNameColumn] != Urls[Row].toLocalFile().toStdString()) {
            std::printf("row %d is not in the order of the paths\n", Row);
            return 1;
        }
    std::printf("%d dropped files added in %.2f s; longest event-loop gap %.1f ms\n", Count, Total,
                Watch.LongestGapMilliseconds());
    fs::remove_all(Folder);
    return 0;
}
