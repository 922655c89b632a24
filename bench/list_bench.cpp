// How the source list copes with an archive: N rows (20,000 when not given)
// added the way a drop adds them, the duration probe replaced by a ready
// answer, then each list action on its own line with the milliseconds it took,
// its repainting included. Prints the longest time the user-interface thread
// went without turning its event loop and the most memory the program held.
//
//   build/bench/list_bench [N]
#include "BenchFiles.h"
#include "BenchProgram.h"
#include "KorvalinApplication.h"
#include "SourceListView.h"
#include "TrimBarPanel.h"
#include "Unit_CommonLib.h"
#include "ui_Unit_Convert.h"

#include <QKeyEvent>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// Every file plays for a minute, at once.
class TReadyProber : public IDurationProber {
public:
    int32_t ProbeDuration(const std::string&) const override { return 60; }
};

// The most memory the process has held, in megabytes.
double PeakMegabytes() {
    std::ifstream Status("/proc/self/status");
    for (std::string Line; std::getline(Status, Line);)
        if (Line.starts_with("VmHWM:"))
            return std::stod(Line.substr(6)) / 1024;
    return 0;
}

void Key(QWidget* Target, int Key, Qt::KeyboardModifiers Modifiers = {}) {
    QKeyEvent Press(QEvent::KeyPress, Key, Modifiers);
    QApplication::sendEvent(Target, &Press);
    QKeyEvent Release(QEvent::KeyRelease, Key, Modifiers);
    QApplication::sendEvent(Target, &Release);
}

// Runs the action, lets the windows repaint, and prints how long both took.
void Time(const char* Name, const std::function<void()>& Action) {
    const auto Start = std::chrono::steady_clock::now();
    Action();
    QCoreApplication::processEvents();
    const double Milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
    std::printf("%s: %.1f ms\n", Name, Milliseconds);
    std::fflush(stdout);
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TKorvalinApplication Application(argc, argv);
    const int Count = argc > 1 ? std::atoi(argv[1]) : 20000;
    const fs::path Folder = FreshBenchFolder("korvalin-list-bench");
    std::ofstream(Folder / "empty.rm").close();
    QStringList Paths;
    for (const fs::path& File : NamesForAFile(Folder, Folder / "empty.rm", Count))
        Paths << QString::fromStdString(File.string());
    const TReadyProber Prober;
    const TBenchProgram Program(Folder, &Prober);
    Ui::TFrmMainForm& Main = *FrmMainForm->ui;
    TSourceListView& List = *Main.dxTreeSourceFileInfo;
    QCoreApplication::processEvents();

    TEventLoopWatch Watch;
    Watch.Start();
    const auto Add = [&] { CommonLib->AddSourceFiles(List, Paths); };
    Time("add", Add);
    Time("select all", [&] { Key(&List, Qt::Key_A, Qt::ControlModifier); });
    Time("marker move", [&] {
        Key(Main.Panel1->findChild<QWidget*>("Splitter1"), Qt::Key_Right);
        Key(Main.Panel1->findChild<QWidget*>("Splitter2"), Qt::Key_Left);
    });
    Time("remove every other row", [&] {
        QItemSelection EveryOther;
        for (int Row = 0; Row < List.RowCount(); Row += 2)
            EveryOther.select(List.model()->index(Row, 0),
                              List.model()->index(Row, SourceColumnCount - 1));
        // Chosen afresh rather than narrowed from everything, which the
        // selection model would compare range by range.
        List.clearSelection();
        List.selectionModel()->select(EveryOther, QItemSelectionModel::Select);
        Main.btnRemoveFile->click();
    });
    Time("remove all", [&] {
        Key(&List, Qt::Key_A, Qt::ControlModifier);
        Main.btnRemoveFile->click();
    });
    Time("refill", Add);
    Time("clear", [&] { Main.btnClearFile->click(); });
    Watch.Stop();
    std::printf("longest event-loop gap: %.1f ms\n", Watch.LongestGapMilliseconds());
    std::printf("peak memory: %.0f MB\n", PeakMegabytes());
    fs::remove_all(Folder);
    return 0;
}
