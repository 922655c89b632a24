#include "CodeErrorForm.h"
#include "InitFileForm.h"
#include "LogFile.h"
#include "PreviewPlayer.h"
#include "SourceListView.h"
#include "Unit_ConfigInfo.h"
#include "WindowFixture.h"
#include "ui_CodeErrorForm.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QListWidget>
#include <QMimeData>
#include <QTimeEdit>
#include <QTimer>
#include <gmock/gmock.h>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>

using testing::Contains;
using testing::ElementsAre;
using testing::Pair;

namespace {

class SourceList : public WindowTest {
protected:
    SourceList() {
        Prober.Seconds = {
            {"a.rm", 5400}, {"A.rm", 30}, {"MOVIE.RMVB", 600}, {"b.rm", 600}, {"c.rm", 600}};
    }
    TSourceListView& List() const { return *Main().dxTreeSourceFileInfo; }
    // A file of the given size in the test's folder; its full path.
    QString File(const std::string& Name, size_t Size = 100) {
        return QString::fromStdString(Temp.Write(Name, std::string(Size, 'x')));
    }
    void Drop(QWidget* Target, const QStringList& Files) {
        QMimeData Data;
        QList<QUrl> Urls;
        for (const QString& Path : Files)
            Urls << QUrl::fromLocalFile(Path);
        Data.setUrls(Urls);
        QDragEnterEvent Enter(QPoint(5, 5), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Target, &Enter);
        QDropEvent Drop(QPointF(5, 5), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Target, &Drop);
    }
    // The time editor of the first row's cell, opened by a click as the user opens it.
    QTimeEdit* OpenEditor(int Column) {
        const QRect Cell = List().visualRect(List().model()->index(0, 0));
        const int X = List().header()->sectionViewportPosition(Column) + 5;
        QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, QPoint(X, Cell.center().y()));
        return qobject_cast<QTimeEdit*>(List().indexWidget(List().model()->index(0, Column)));
    }
    void AddThreeRows() {
        CommonLib->AddSourceFiles(List(), {File("a.rm"), File("b.rm"), File("c.rm")});
        ASSERT_EQ(List().RowCount(), 3);
    }
};

TEST_F(SourceList, AddsPlayableRealMediaFilesInOrderOnce) {
    Start();
    const QString A = File("a.rm", 1536);
    const QString Short =
        QString::fromStdString(Temp.Write("short.rm", ".RMF" + std::string(96, 0)));
    // What a name that is not valid text becomes on its way in.
    const QString Undecodable = QString::fromStdString(Temp.Path("caf")) + QChar(0xFFFD) + ".rm";
    CommonLib->AddSourceFiles(List(), {A, Short, File("movie.rm.avi"), File("movie.rmx"), A,
                                       File("A.rm"), File("MOVIE.RMVB"), File("noise.rm"),
                                       File("quote\".rm"), Undecodable});
    ASSERT_EQ(List().RowCount(), 3);
    EXPECT_THAT(List().Row(0), ElementsAre("True", A.toStdString(), "1.5 KB", "01:30:00",
                                           "00:00:00", "01:30:00", "01:30:00"));
    EXPECT_THAT(Paths(), ElementsAre(A.toStdString(), Temp.Path("A.rm"), Temp.Path("MOVIE.RMVB")));
    ASSERT_EQ(Dialogs.Messages.size(), 2u); // the quote, then one dialog for both unreadable
    EXPECT_THAT(Dialogs.Messages[0].first.toStdString(), testing::HasSubstr("quote\".rm"));
    EXPECT_EQ(Dialogs.Messages[1].first,
              "codec error: " + Short + " (100 B: shorter than a second, or damaged or cut off), " +
                  File("noise.rm") + " (100 B: not a RealMedia file), " + Undecodable +
                  " (the file's name is not valid text; rename it)");
    EXPECT_TRUE(List().selectionModel()->isRowSelected(0));
}

TEST_F(SourceList, OpenButtonAddsThePickedFilesAndKeepsTheirFolder) {
    std::filesystem::create_directory(Temp.Path("films"));
    const QString A = File("films/a.rm"), B = File("films/b.rm");
    Dialogs.FileAnswers = {QStringList{B, A, B}};
    Start();
    QTest::keyClick(FrmMainForm->windowHandle(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_FALSE(FrmInitFileForm->isVisible());
    EXPECT_THAT(Paths(), ElementsAre(B.toStdString(), A.toStdString()));
    ASSERT_EQ(Dialogs.Prompts.size(), 1u);
    EXPECT_EQ(Dialogs.Prompts[0], "open " + QDir::homePath() +
                                      "/ Supported Files|*.rm;*.rmvb;|RM Files (*.rm)|*.rm|"
                                      "RMVB Files (*.rmvb)|*.rmvb");
    EXPECT_THAT(Temp.Read("Config/UserSettings.ini"),
                testing::HasSubstr("InitDir=" + Temp.Path("films/")));
}

TEST_F(SourceList, FileThatVanishesAfterProbingStopsTheAddingWithAMessage) {
    const QString A = File("a.rm"), Bad = File("bad.rm"), B = File("b.rm"), C = File("c.rm");
    Prober.OnProbe = [&](const std::string& Path) {
        if (Path == B.toStdString())
            std::filesystem::remove(Path);
    };
    Dialogs.FileAnswers = {QStringList{A, Bad, B, C}};
    Start();
    Click(Main().btnOpenFile);
    EXPECT_FALSE(FrmInitFileForm->isVisible()); // closed after the error too
    EXPECT_THAT(Paths(), ElementsAre(A.toStdString()));
    ASSERT_EQ(Dialogs.Messages.size(), 2u); // what could not be read is still told, first
    EXPECT_EQ(Dialogs.Messages[0].first, "codec error: " + Bad + " (100 B: not a RealMedia file)");
    EXPECT_THAT(Dialogs.Messages[1].first.toStdString(), testing::StartsWith("Cannot open file"));
    // Cleared after the partial add, the list takes the same files again.
    Click(Main().btnClearFile);
    CommonLib->AddSourceFiles(List(), {C, A});
    EXPECT_THAT(Paths(), ElementsAre(C.toStdString(), A.toStdString()));
}

TEST_F(SourceList, RowsKeepThePathOrderWhicheverWorkerFinishesFirst) {
    // The first file takes longest: the files after it are probed meanwhile.
    std::atomic<bool> LaterProbed = false;
    Prober.OnProbe = [&](const std::string& Path) {
        if (!Path.ends_with("/a.rm"))
            LaterProbed = true;
        for (int Wait = 0; Path.ends_with("/a.rm") && !LaterProbed && Wait < 100; ++Wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    };
    Start();
    const QString A = File("a.rm"), B = File("b.rm"), C = File("c.rm");
    Drop(List().viewport(), {A, B, A, C, B}); // each file once
    ASSERT_TRUE(QTest::qWaitFor([&] { return List().RowCount() == 3; }));
    EXPECT_THAT(Paths(), ElementsAre(A.toStdString(), B.toStdString(), C.toStdString()));
    Drop(List().viewport(), {C, File("MOVIE.RMVB"), A}); // and once in the list
    ASSERT_TRUE(QTest::qWaitFor([&] { return List().RowCount() == 4; }));
    EXPECT_EQ(Paths().back(), Temp.Path("MOVIE.RMVB"));
    EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(SourceList, RemovingAScatteredSelectionKeepsExactlyTheOtherRows) {
    QStringList Files;
    for (int Index = 0; Index < 10; ++Index) {
        Files << File("f" + std::to_string(Index) + ".rm");
        Prober.Seconds["f" + std::to_string(Index) + ".rm"] = 60 + Index;
    }
    Start();
    struct TCase {
        int Focused;
        int FocusedAfter; // -1: the row above the focused one went too
    };
    for (const TCase Case : {TCase{7, 3}, TCase{4, -1}}) {
        SCOPED_TRACE(Case.Focused);
        Click(Main().btnClearFile);
        CommonLib->AddSourceFiles(List(), Files);
        List().clearSelection(); // of the first row, which the adding selected
        for (const int Row : {1, 3, 4, 7})
            List().selectionModel()->select(List().model()->index(Row, 0),
                                            QItemSelectionModel::Select |
                                                QItemSelectionModel::Rows);
        List().selectionModel()->setCurrentIndex(List().model()->index(Case.Focused, 0),
                                                 QItemSelectionModel::NoUpdate);
        Click(Main().btnRemoveFile);
        std::vector<std::string> Kept;
        for (const int Row : {0, 2, 5, 6, 8, 9})
            Kept.push_back(Files[Row].toStdString());
        EXPECT_EQ(Paths(), Kept);
        if (Case.FocusedAfter < 0) {
            EXPECT_TRUE(List().SelectedRows().empty());
            continue;
        }
        EXPECT_EQ(List().currentIndex().row(), Case.FocusedAfter);
        EXPECT_THAT(List().SelectedRows(), ElementsAre(Case.FocusedAfter));
        EXPECT_EQ(FrmMainForm->Preview->State().MarkedDuration, 66) << "markers on f6.rm";
    }
    CommonLib->AddSourceFiles(List(), {Files[3]}); // a removed path is gone from the index too
    EXPECT_EQ(Paths().back(), Files[3].toStdString());
}

TEST_F(SourceList, DroppedFilesAreAddedOnTheListAndOnTheWindow) {
    Start();
    const QString A = File("a.rm"), B = File("b.rm");
    Drop(List().viewport(), {A, A});
    Drop(FrmMainForm, {B, Temp.Folder().c_str()});
    EXPECT_TRUE(QTest::qWaitFor([&] { return List().RowCount() == 2; }));
    EXPECT_THAT(Paths(), ElementsAre(A.toStdString(), B.toStdString()));
    EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(SourceList, APipeAmongDroppedFilesIsUnreadableAndHoldsNothingUp) {
    const TMediaDurationProber RealProber;
    ProberInUse = &RealProber;
    Start();
    const std::string Pipe = Temp.Path("x.rm");
    ASSERT_EQ(mkfifo(Pipe.c_str(), 0600), 0);
    const std::string Clip = std::string(KORVALIN_TEST_MEDIA) + "clip_rv20_ac3.rm";
    // A writer that comes and goes ends any wait on the pipe, and tells of it:
    // opening it so succeeds only while someone waits to read it.
    bool Rescued = false;
    QTimer Rescue;
    Rescue.setSingleShot(true);
    QObject::connect(&Rescue, &QTimer::timeout, [&] {
        const int Writer = open(Pipe.c_str(), O_WRONLY | O_NONBLOCK);
        Rescued = Writer >= 0;
        if (Writer >= 0)
            close(Writer);
    });
    Rescue.start(10000);
    Drop(List().viewport(), {QString::fromStdString(Pipe), QString::fromStdString(Clip)});
    EXPECT_TRUE(QTest::qWaitFor([&] { return List().RowCount() == 1; }, 15000));
    EXPECT_FALSE(Rescued) << "adding waited on the pipe";
    EXPECT_THAT(Paths(), ElementsAre(Clip));
    EXPECT_THAT(Dialogs.Messages, ElementsAre(Pair("codec error: " + QString::fromStdString(Pipe) +
                                                       " (it is not a regular file)",
                                                   TMessageKind::Error)));
}

TEST_F(SourceList, LongNamesDeepPathsAndAThousandFilesInOneDrop) {
    const std::string LongName = std::string(247, 'n') + ".rm"; // 250 bytes, the most a name has
    std::string Deep = Temp.Folder();
    while (Deep.size() < 4000) {
        Deep += std::string(200, 'd') + "/";
        std::filesystem::create_directory(Deep);
    }
    Prober.Seconds = {{LongName, 60}};
    Start();
    CommonLib->AddSourceFiles(List(), {File(LongName), QString::fromStdString(Deep + "a.rm")});
    EXPECT_THAT(Paths(), ElementsAre(Temp.Path(LongName)));
    EXPECT_THAT(Dialogs.Messages, ElementsAre(Pair("codec error: " + QString::fromStdString(Deep) +
                                                       "a.rm (the file no longer exists)",
                                                   TMessageKind::Error)));

    Prober.Default = 90;
    QStringList Many;
    for (int Index = 0; Index < 1000; ++Index)
        Many << File("f" + std::to_string(Index) + ".rm");
    Drop(List().viewport(), Many);
    EXPECT_TRUE(QTest::qWaitFor([&] { return List().RowCount() == 1001; }));
    EXPECT_EQ(List().Row(1000)[FileNameColumn], Temp.Path("f999.rm"));
}

TEST_F(SourceList, RemovingTheFocusedMiddleRowFocusesTheRowAbove) {
    Start();
    AddThreeRows();
    const std::function<void()> Removals[] = {
        [&] { Click(Main().btnRemoveFile); },
        [&] { QTest::keyClick(FrmMainForm->windowHandle(), Qt::Key_Delete); }};
    for (const std::function<void()>& Remove : Removals) {
        List().setCurrentIndex(List().model()->index(1, 0)); // b, then c
        List().setFocus();
        Remove();
        EXPECT_EQ(List().currentIndex().row(), 0);
        EXPECT_TRUE(List().selectionModel()->isRowSelected(0));
    }
    EXPECT_THAT(Paths(), ElementsAre(Temp.Path("a.rm")));
    List().model()->setData(List().model()->index(0, CheckStatusColumn), Qt::Unchecked,
                            Qt::CheckStateRole);
    EXPECT_EQ(List().Row(0)[CheckStatusColumn], "False");
    QTest::keyClick(FrmMainForm->windowHandle(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(List().RowCount(), 0);
}

TEST_F(SourceList, EditedTimesAreCorrectedAsTheyChange) {
    Start();
    CommonLib->AddSourceFiles(List(), {File("b.rm")}); // ten minutes
    auto* Editor = OpenEditor(EndTimeColumn);
    ASSERT_NE(Editor, nullptr);
    Editor->setTime(QTime(0, 5, 0)); // the end's edit goes on until it is finished
    EXPECT_EQ(List().Row(0)[EndTimeColumn], "00:10:00");
    QTest::keyClick(Editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the edit ends once the key is handled
    EXPECT_THAT(List().Row(0), ElementsAre("True", testing::_, testing::_, "00:10:00", "00:00:00",
                                           "00:05:00", "00:05:00"));

    Editor = OpenEditor(StartTimeColumn);
    ASSERT_NE(Editor, nullptr);
    Editor->setTime(QTime(0, 6, 0)); // a start is corrected at once
    EXPECT_THAT(List().Row(0), ElementsAre("True", testing::_, testing::_, "00:10:00", "00:06:00",
                                           "00:06:00", "00:00:00"));
}

TEST_F(SourceList, EveryValueFitsItsColumnAndTheNameTakesTheRest) {
    Prober.Seconds = {{"Holiday on the coast.rm", 5}};
    Start();
    const std::string Deep = "folder with a long name/another folder/and one more/";
    std::filesystem::create_directories(Temp.Path(Deep));
    CommonLib->AddSourceFiles(List(), {File(Deep + "Holiday on the coast.rm", 405297)});
    ASSERT_EQ(List().RowCount(), 1);
    const TRowCells Row = List().Row(0);
    ASSERT_EQ(Row[FileSizeColumn], "395.79 KB");
    int Others = 0;
    for (const size_t Column :
         {FileSizeColumn, DurationColumn, StartTimeColumn, EndTimeColumn, CutDurationColumn}) {
        const QString Text = QString::fromStdString(Row[Column]);
        EXPECT_GE(List().columnWidth(int(Column)), List().fontMetrics().horizontalAdvance(Text) + 8)
            << Row[Column] << " is cut";
        Others += List().columnWidth(int(Column));
    }
    Others += List().columnWidth(CheckStatusColumn);
    EXPECT_EQ(List().columnWidth(FileNameColumn), List().viewport()->width() - Others);
    EXPECT_EQ(
        List().model()->index(0, FileNameColumn).data(Qt::ToolTipRole).toString().toStdString(),
        Temp.Path(Deep + "Holiday on the coast.rm"));
}

TEST_F(SourceList, ADraggedColumnStaysAndEveryColumnKeepsItsShareWhenResized) {
    Start();
    AddThreeRows();
    QHeaderView& Header = *List().header();
    const int Before = List().columnWidth(FileNameColumn);
    const QPoint Divider(Header.sectionViewportPosition(FileNameColumn) + Before - 1, 5);
    QTest::mousePress(Header.viewport(), Qt::LeftButton, {}, Divider);
    QTest::mouseMove(Header.viewport(), Divider + QPoint(60, 0));
    QTest::mouseRelease(Header.viewport(), Qt::LeftButton, {}, Divider + QPoint(60, 0));
    QApplication::processEvents();
    EXPECT_NEAR(List().columnWidth(FileNameColumn), Before + 60, 2) << "the drag sprang back";

    const double Ratio =
        double(List().columnWidth(FileNameColumn)) / List().columnWidth(FileSizeColumn);
    List().resize(List().width() + 150, List().height());
    QApplication::processEvents();
    EXPECT_NEAR(double(List().columnWidth(FileNameColumn)) / List().columnWidth(FileSizeColumn),
                Ratio, 0.05 * Ratio);
    int Sum = 0;
    for (int Column = 0; Column < int(SourceColumnCount); ++Column)
        Sum += List().columnWidth(Column);
    EXPECT_EQ(Sum, List().viewport()->width());
}

TEST_F(SourceList, CodecErrorDialogNamesTheFilesAndOffersItsHelpPage) {
    Start();
    const QStringList Files = {"/films/a.rm", "/films/" + QString(300, 'n') + ".rm"};
    TFrmCodeErrorForm Dialog(FrmMainForm, System, "/app/Help/unreadable.html", Files);
    EXPECT_EQ(Dialog.windowTitle(), "Error Info");
    EXPECT_EQ(Dialog.width(), 413);
    const QLabel* Message = Dialog.ui->lblMessage;
    EXPECT_LE(Message->heightForWidth(Message->width()), Message->height()) << "clipped";
    const QListWidget& List = *Dialog.ui->lstFiles;
    ASSERT_EQ(List.count(), 2);
    EXPECT_EQ(List.item(1)->toolTip(), Files[1]);
    EXPECT_GE(List.viewport()->height(), 2 * List.sizeHintForRow(0)) << "both names in sight";
    EXPECT_LE(List.geometry().bottom(), Dialog.height());
    EXPECT_GT(List.y(), Dialog.ui->btnOK->geometry().bottom()) << "below the message and link";
    Dialog.show();
    Click(Dialog.ui->lblLink);
    EXPECT_THAT(System.Actions, testing::Contains("document /app/Help/unreadable.html"));
    Click(Dialog.ui->btnOK);
    EXPECT_FALSE(Dialog.isVisible());
}

// A journal found at start-up: one that cannot be read is set aside with a
// line in the log and nothing asked; a list is offered back, with a gone file
// named in the log and left out, or on No discarded.
TEST_F(SourceList, AJournalFoundAtStartUpIsSetAsideOfferedOrDiscarded) {
    Temp.Write("list-journal.txt", "Korvalin list journal\t7\n");
    Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Temp.Exists("list-journal.unreadable.txt"); }, 5000));
    EXPECT_THAT(LogMessagesOf(Temp.Path("log.txt")),
                Contains(testing::HasSubstr("list-journal.unreadable.txt, since it was written by "
                                            "another version of Korvalin (7)")));
    ReleaseApplication();

    const std::string Kept = File("b.rm").toStdString(), Gone = Temp.Path("gone.rm");
    const std::string Journal = "Korvalin list journal\t1\nconverting\tno\n"
                                "row\t0\t00:01:00\t00:02:00\tnone\t\t" +
                                Kept +
                                "\n"
                                "row\t1\t00:00:00\t00:10:00\tnone\t\t" +
                                Gone + "\nrows\t2\n";
    Temp.Write("list-journal.txt", Journal);
    Dialogs.ConfirmAnswers = {true};
    Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return List().RowCount() == 1; }, 5000));
    EXPECT_THAT(List().Row(0), ElementsAre("False", Kept, "100 B", "00:10:00", "00:01:00",
                                           "00:02:00", "00:01:00"));
    EXPECT_THAT(LogMessagesOf(Temp.Path("log.txt")),
                Contains("File of the restored list no longer exists: " + Gone));
    ReleaseApplication();

    Temp.Write("list-journal.txt", Journal);
    Dialogs.ConfirmAnswers = {false};
    Start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Temp.Exists("list-journal.txt"); }, 5000));
    EXPECT_EQ(List().RowCount(), 0);
    EXPECT_THAT(Dialogs.Prompts, testing::Each("Korvalin was closed with 2 files in the list. "
                                               "Restore the list?"));
    EXPECT_EQ(Dialogs.Prompts.size(), 2u);
}

} // namespace
