// How the window copes with a large drop: N RealMedia files (500 when not
// given) dropped on the main window (offscreen), probed for real; with
// --folder, the folder that holds them is dropped instead. Prints the total
// time until the last row is there and the longest time the user-interface
// thread went without turning its event loop.
//
//   build/bench/drop_bench [N] [--folder]
#include "BenchFiles.h"
#include "BenchProgram.h"
#include "KorvalinApplication.h"
#include "SourceListView.h"
#include "ui_Unit_Convert.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TKorvalinApplication Application(argc, argv);
    const int Count = argc > 1 ? std::atoi(argv[1]) : 500;
    const bool AsFolder = argc > 2 && std::string(argv[2]) == "--folder";
    const fs::path Folder = FreshBenchFolder("korvalin-drop-bench");
    const fs::path Archive = Folder / "archive";
    fs::create_directories(Archive);
    std::vector<std::string> Expected; // the rows, in order
    for (const fs::path& File : CopiesOfAClip(Archive, Count))
        Expected.push_back(File.string());
    if (Expected.empty())
        return 1;
    QList<QUrl> Urls;
    if (AsFolder) { // its clip too, and the rows in path order
        Expected.push_back((Archive / "source.rm").string());
        std::sort(Expected.begin(), Expected.end());
        Urls << QUrl::fromLocalFile(QString::fromStdString(Archive.string()));
    } else {
        for (const std::string& File : Expected)
            Urls << QUrl::fromLocalFile(QString::fromStdString(File));
    }
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
    while (List.RowCount() < static_cast<int>(Expected.size()))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double Total =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    for (int Row = 0; Row < List.RowCount(); ++Row)
        if (List.Row(Row)[FileNameColumn] != Expected[static_cast<size_t>(Row)]) {
            std::printf("row %d is not in the order of the paths\n", Row);
            return 1;
        }
    std::printf("%zu files added from a dropped %s in %.2f s; longest event-loop gap %.1f ms\n",
                Expected.size(), AsFolder ? "folder" : "list", Total,
                Watch.LongestGapMilliseconds());
    fs::remove_all(Folder);
    return 0;
}
