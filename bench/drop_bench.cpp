// How the window copes with a large drop: 500 RealMedia files dropped on the
// main window (offscreen), probed for real. Prints the total time until the
// last row is there and the longest time the user-interface thread went
// without turning its event loop.
//
//   build/bench/drop_bench
#include "DurationProbe.h"
#include "Globals.h"
#include "KorvalinApplication.h"
#include "SourceListView.h"
#include "SystemActions.h"
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

namespace {

// Nothing the benchmark does acts on the system.
class TNoSystem : public ISystemActions {
public:
    std::vector<TProcessEntry> ListProcesses() override { return {}; }
    bool TerminateProcess(uint32_t) override { return false; }
    void PowerOff() override {}
    void OpenFolder(const std::string&) override {}
    void OpenWebAddress(const std::string&) override {}
    void TrimWorkingSet() override {}
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TKorvalinApplication Application(argc, argv);
    const fs::path Folder = fs::temp_directory_path() / "korvalin-drop-bench";
    fs::remove_all(Folder);
    fs::create_directories(Folder / "Config");
    const fs::path Source = Folder / "source.rm";
    const std::string Make = "ffmpeg -v error -f lavfi -i testsrc=size=320x240:rate=25 -f lavfi "
                             "-i sine=sample_rate=44100 -t 30 -c:v rv20 -c:a ac3 -ac 2 " +
                             Source.string();
    if (std::system(Make.c_str()) != 0)
        return 1;
    QList<QUrl> Urls;
    for (int I = 0; I < 500; ++I) {
        const fs::path File = Folder / ("clip " + std::to_string(I) + ".rm");
        fs::copy_file(Source, File);
        Urls << QUrl::fromLocalFile(QString::fromStdString(File.string()));
    }

    TNoSystem System;
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
