// Whole batches from the main window with the real evc.exe on generated
// RealMedia files; the batch sees and ends only the encoders it started.
#include "ChildProcess.h"
#include "DurationProbe.h"
#include "ListJournal.h"
#include "LogFile.h"
#include "MediaProbe.h"
#include "OwnChildren.h"
#include "SourceListView.h"
#include "Unit_Converting.h"
#include "WindowFixture.h"
#include "ui_Unit_Converting.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <gmock/gmock.h>
#include <set>
#include <spawn.h>
#include <unistd.h>

using testing::Contains;
using testing::HasSubstr;

extern char** environ;

namespace {

const std::string Media = KORVALIN_TEST_MEDIA;

class Batch : public WindowTest {
protected:
    Batch() {
        SystemInUse = &Children;
        ProberInUse = &RealProber;
        std::filesystem::create_symlink(EVC_PROGRAM, Temp.Path("evc.exe"));
    }
    void StartWithFiles(const QStringList& Files) {
        Start();
        Main().edtOutputFolder->setText(QString::fromStdString(Temp.Path("out")));
        CommonLib->AddSourceFiles(*Main().dxTreeSourceFileInfo, Files);
    }
    bool WaitForTheEnd() {
        return QTest::qWaitFor([] { return !CustomProc->Batch.Running(); }, 60000);
    }
    static bool EncoderLeft() {
        for (const pid_t Child : ChildrenOf(getpid()))
            if (IsProcessAlive(Child))
                return true;
        return false;
    }
    TOwnChildren Children;
    const TMediaDurationProber RealProber;
};

TEST_F(Batch, ConvertsEveryCheckedRowWithTheOptionsOfItsTime) {
    const QString Whole = QString::fromStdString(Media + "clip_rv20_ac3.rm");
    const QString Trimmed = QString::fromStdString(Media + "clip_rv10_ac3.rm");
    StartWithFiles({Whole, Trimmed});
    TSourceListView& List = *Main().dxTreeSourceFileInfo;
    ASSERT_EQ(List.RowCount(), 2);
    TRowCells Row = List.Row(1);
    Row[StartTimeColumn] = "00:00:01";
    Row[EndTimeColumn] = "00:00:04";
    List.SetRow(1, Row);
    std::set<std::pair<int, int>> FileBar; // the per-file bar's positions and ranges
    QProgressBar* Bar = frmConverting->ui->ProgressBar1;
    QObject::connect(Bar, &QProgressBar::valueChanged, [&](int Value) {
        FileBar.insert({Value, Bar->maximum()});
    });
    QTest::keyClick(FrmMainForm->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(frmConverting->isVisible());
    EXPECT_FALSE(Main().btnConvert->isEnabled());
    // While the first file is encoded, the output type changes for the second.
    ASSERT_TRUE(QTest::qWaitFor([] { return CustomProc->Batch.ProgressTicks > 0; }, 20000));
    Main().cbbOutputFiletype->setCurrentIndex(4);
    CustomProc->ApplyProfile();
    ASSERT_TRUE(WaitForTheEnd());

    EXPECT_EQ(CustomProc->Batch.DoneCount, 2);
    EXPECT_FALSE(frmConverting->isVisible());
    EXPECT_TRUE(Main().btnConvert->isEnabled());
    const TMediaInfo Video = ProbeMedia(Temp.Path("out/clip_rv20_ac3.3gp"));
    EXPECT_THAT(Video.Brand, testing::StartsWith("3gp"));
    EXPECT_EQ(Video.VideoCodec, "mpeg4");
    EXPECT_NEAR(Video.Duration, 6, 0.5);
    const TMediaInfo Audio = ProbeMedia(Temp.Path("out/clip_rv10_ac3.mp3"));
    EXPECT_EQ(Audio.AudioCodec, "mp3");
    EXPECT_NEAR(Audio.Duration, 3, 0.5);
    EXPECT_THAT(FileBar, testing::IsSupersetOf({std::pair(6, 6), std::pair(3, 3)})); // both ends
    const std::vector<std::string> Log = LogMessagesOf(Temp.Path("log.txt"));
    EXPECT_EQ(
        std::count_if(Log.begin(), Log.end(),
                      [](const std::string& Line) { return Line.starts_with("parameter: "); }),
        2);
    EXPECT_FALSE(EncoderLeft());
    const QModelIndex Name = List.model()->index(0, FileNameColumn);
    EXPECT_EQ(Name.data(Qt::AccessibleDescriptionRole).toString().toStdString(),
              "Converted to " + Temp.Path("out/clip_rv20_ac3.3gp"));
    EXPECT_FALSE(Name.data(Qt::DecorationRole).isNull()) << "the row carries its mark";
    EXPECT_TRUE(Dialogs.Messages.empty()) << "nothing failed";
    EXPECT_THAT(Children.Actions, testing::ElementsAre()); // "Show output directory" is off
}

TEST_F(Batch, StoppingEndsTheEncoderAndLeavesNoOutput) {
    StartWithFiles({QString::fromStdString(Media + "long_rv10_ac3.rm")});
    Main().chkShowOutputDirectory->setChecked(true);
    Dialogs.ConfirmAnswers = {false, true}; // No first: nothing happens
    Click(Main().btnConvert);
    ASSERT_TRUE(QTest::qWaitFor([] { return CustomProc->Batch.ProgressTicks > 0; }, 20000));
    Click(frmConverting->ui->btnStop);
    EXPECT_TRUE(frmConverting->isVisible());
    Click(frmConverting->ui->btnStop);
    EXPECT_FALSE(frmConverting->isVisible());
    ASSERT_TRUE(WaitForTheEnd());
    EXPECT_FALSE(EncoderLeft());
    EXPECT_TRUE(std::filesystem::is_empty(Temp.Path("out"))) << "not even a hidden partial file";
    EXPECT_THAT(Dialogs.Prompts, Contains("Are you sure you want to stop the work ? "));
    EXPECT_TRUE(Children.Actions.empty()) << "no end-of-batch action after Stop";
    EXPECT_TRUE(Dialogs.Messages.empty());
}

// An encoder of another program, here one the test starts, is neither ended
// by a Stop nor waited for.
TEST_F(Batch, AnotherProgramsEncoderSurvivesAStopAndDoesNotHoldTheBatch) {
    std::filesystem::create_directory(Temp.Path("other"));
    std::string Other = Temp.Path("other/evc.exe");
    std::filesystem::copy_file(FAKE_ENCODER, Other);
    char* Argv[] = {Other.data(), const_cast<char*>("--sleep"), const_cast<char*>("60000"),
                    nullptr};
    pid_t OtherPid = 0;
    ASSERT_EQ(posix_spawn(&OtherPid, Argv[0], nullptr, nullptr, Argv, environ), 0);
    StartWithFiles({QString::fromStdString(Media + "long_rv10_ac3.rm"),
                    QString::fromStdString(Media + "short_rv10_ac3.rm")});
    Dialogs.ConfirmAnswers = {true};
    Click(Main().btnConvert);
    ASSERT_TRUE(QTest::qWaitFor([] { return CustomProc->Batch.ProgressTicks > 0; }, 20000));
    Click(frmConverting->ui->btnStop);
    EXPECT_TRUE(WaitForTheEnd());
    EXPECT_TRUE(IsProcessAlive(OtherPid));
    kill(OtherPid, SIGKILL);
    EXPECT_EQ(WaitForExit(OtherPid, std::chrono::seconds(5)), 128 + SIGKILL);
}

TEST_F(Batch, AFileThatCannotBeWrittenIsNamedWithTheEncodersReason) {
    const std::string Source = Media + "clip_rv20_ac3.rm";
    StartWithFiles({QString::fromStdString(Source)});
    Main().edtOutputFolder->setText("/sys"); // takes no new file, whoever asks
    Click(Main().btnConvert);
    ASSERT_TRUE(WaitForTheEnd());
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    EXPECT_THAT(Dialogs.Messages[0].first.toStdString(),
                testing::StartsWith("These files were not converted:\n" + Source +
                                    " (Cannot write '/sys/clip_rv20_ac3.3gp': "));
}

TEST_F(Batch, ClosingTheMainWindowEndsTheEncoderAndTheBatchWithoutAsking) {
    StartWithFiles({QString::fromStdString(Media + "long_rv10_ac3.rm"),
                    QString::fromStdString(Media + "clip_rv20_ac3.rm")});
    Click(Main().btnConvert);
    ASSERT_TRUE(QTest::qWaitFor([] { return CustomProc->Batch.ProgressTicks > 0; }, 20000));
    FrmMainForm->close();
    EXPECT_FALSE(EncoderLeft());
    EXPECT_TRUE(std::filesystem::is_empty(Temp.Path("out"))); // the second file never started
    ASSERT_TRUE(WaitForTheEnd());
    EXPECT_FALSE(EncoderLeft());
    EXPECT_TRUE(Dialogs.Prompts.empty());
    EXPECT_TRUE(ReadJournalText(Temp.Read("list-journal.txt")).Converting) << "kept for next time";
}

// The journal, once it tells that the first row was converted.
bool FirstRowConvertedIn(const std::string& Journal) {
    try {
        const TListJournal Read = ReadJournalText(Journal);
        return !Read.Rows.empty() && Read.Rows[0].Outcome.Kind == TRowOutcome::TKind::Converted;
    } catch (const EUnreadableJournal&) {
        return false; // not written yet
    }
}

// The windows in a child process of the test, killed while the second of three
// files converts: its encoder ends with it and leaves no partial file, and the
// next start offers the list back with the converted row left out.
TEST_F(Batch, AKilledWindowsEncoderEndsAndTheNextStartOffersTheRest) {
    const char* const ChildFolder = "KORVALIN_FOLDER_OF_KILLED_WINDOW";
    const QStringList Files = {QString::fromStdString(Media + "three_seconds_rv20_ac3.rm"),
                               QString::fromStdString(Media + "long_rv10_ac3.rm"),
                               QString::fromStdString(Media + "clip_rv20_ac3.rm")};
    if (const char* Folder = std::getenv(ChildFolder)) { // the child, on the test's folder
        Folders = TAppFolders(Folder);
        StartWithFiles(Files);
        Main().edtOutputFolder->setText(QString(Folder) + "out");
        Click(Main().btnConvert);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return CustomProc->Batch.FileIndex == 1 && CustomProc->Batch.ProgressTicks > 0 &&
                       FirstRowConvertedIn(TTempFolder::ReadFile(Folders.ListJournalFile()));
            },
            60000));
        std::puts("second file converting");
        std::fflush(stdout);
        QTest::qWait(60000);
        FAIL() << "not killed";
    }
    std::string Said;
    const TChildResult Child = RunChild(
        {"/proc/self/exe", std::string("--gtest_filter=Batch.") +
                               testing::UnitTest::GetInstance()->current_test_info()->name()},
        [&](pid_t Pid, const std::string& Output) {
            if ((Said += Output).find("second file converting") != std::string::npos)
                kill(Pid, SIGKILL);
        },
        std::chrono::minutes(2),
        // The child's own folder goes with the test's.
        {std::string(ChildFolder) + "=" + Temp.Folder(), "TMPDIR=" + Temp.Folder()});
    ASSERT_EQ(Child.ExitCode, 128 + SIGKILL) << Child.Output;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !ProcessNames(Temp.Path("out")); }, 5000));
    std::vector<std::string> Outputs;
    for (const auto& Entry : std::filesystem::directory_iterator(Temp.Path("out")))
        Outputs.push_back(Entry.path().filename());
    EXPECT_THAT(Outputs, testing::ElementsAre("three_seconds_rv20_ac3.3gp")) << "no partial file";

    Dialogs.ConfirmAnswers = {true};
    Start();
    TSourceListView& List = *Main().dxTreeSourceFileInfo;
    ASSERT_TRUE(QTest::qWaitFor([&] { return List.RowCount() == 3; }, 20000));
    EXPECT_THAT(Dialogs.Prompts, testing::ElementsAre("Korvalin was closed while converting. "
                                                      "Restore the list?"));
    for (int Row = 0; Row < 3; ++Row)
        EXPECT_EQ(List.Row(Row)[FileNameColumn], Files[Row].toStdString());
    EXPECT_EQ(List.Row(0)[CheckStatusColumn], "False");
    EXPECT_EQ(List.Rows().Outcome(0).Text, Temp.Path("out/three_seconds_rv20_ac3.3gp"));
    for (const int Rest : {1, 2}) {
        EXPECT_EQ(List.Row(Rest)[CheckStatusColumn], "True");
        EXPECT_EQ(List.Rows().Outcome(Rest).Kind, TRowOutcome::TKind::None);
    }
    FrmMainForm->close(); // no batch: the list is not kept
    EXPECT_FALSE(Temp.Exists("list-journal.txt"));
}

// The recording system and no encoder beside the program: every run fails to start.
using BatchWithoutEncoder = WindowTest;

TEST_F(BatchWithoutEncoder, CloseBoxAsksThenLetsTheEndActionsRun) {
    Prober.Default = 60;
    Start();
    CommonLib->AddSourceFiles(*Main().dxTreeSourceFileInfo,
                              {QString::fromStdString(Temp.Write("a.rm", "x"))});
    Main().chkShowOutputDirectory->setChecked(true);
    Main().edtOutputFolder->setText(QString::fromStdString(Temp.Path("out")));
    Dialogs.ConfirmAnswers = {false, true};
    Click(Main().btnConvert);
    ASSERT_TRUE(frmConverting->isVisible());
    frmConverting->close();
    EXPECT_TRUE(frmConverting->isVisible()); // No: the batch goes on
    frmConverting->close();
    EXPECT_FALSE(frmConverting->isVisible());
    EXPECT_TRUE(Main().btnConvert->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([] { return !CustomProc->Batch.Running(); }, 20000));
    EXPECT_THAT(Dialogs.Prompts, testing::ElementsAre("Are you sure to stop processing ?",
                                                      "Are you sure to stop processing ?"));
    EXPECT_THAT(System.Actions, Contains("open " + Temp.Path("out/")));
    EXPECT_TRUE(Dialogs.Messages.empty()); // the file the user stopped is not reported as failed
}

TEST_F(BatchWithoutEncoder, StatusSpansTheBarAndTheTimeLeftFollowsTheEncoder) {
    Prober.Default = 60;
    Start();
    CommonLib->AddSourceFiles(*Main().dxTreeSourceFileInfo,
                              {QString::fromStdString(Temp.Write("a.rm", "x")),
                               QString::fromStdString(Temp.Write("b.rm", "x"))});
    // The first of two 60 s files, as the batch leaves it before its encoder starts.
    CustomProc->Batch.FileIndex = 0;
    CustomProc->Trim.CutDuration = "60";
    CommonLib->Params.CodecParam = " -vcodec mpeg4";
    CommonLib->Params.OutputExt = ".3gp";
    frmConverting->StartFile();
    frmConverting->show();
    const QLabel* TimeLeft = frmConverting->ui->lblTimeLeft;
    EXPECT_EQ(TimeLeft->text(), "Estimating\u2026");
    // An encoder converting 8 s of the file every second.
    QElapsedTimer Clock;
    Clock.start();
    for (int Seconds = 0; Clock.elapsed() < 3500; QTest::qWait(100)) {
        Seconds = static_cast<int>(Clock.elapsed() * 8 / 1000);
        frmConverting->ShowConvertProgress(QString("frame=  250 q=2.0 size=     512kB time=%1.00 "
                                                   "bitrate= 419.4kbits/s %2")
                                               .arg(Seconds)
                                               .arg(QString(200, 'x')));
    }
    const std::optional<TTimeLeft> Left = frmConverting->TimeLeft();
    ASSERT_TRUE(Left);
    EXPECT_NEAR(Left->Speed, 8, 1.5);
    EXPECT_NEAR(Left->FileSeconds, (60 - 28) / 8.0, 1.5);
    EXPECT_GT(Left->BatchSeconds, Left->FileSeconds + 2 + 7); // the pause and the second file
    EXPECT_THAT(TimeLeft->text().toStdString(), HasSubstr("\u00d7 real time"));
    EXPECT_THAT(TimeLeft->text().toStdString(), HasSubstr("for all"));

    // The encoder's long text runs across the whole bar, and the window keeps its size.
    const QWidget* Panel = frmConverting->ui->statState->findChild<QLabel*>();
    EXPECT_GT(Panel->width(), frmConverting->ui->statState->width() - 30);
    EXPECT_EQ(frmConverting->size(), QSize(460, 232));
    frmConverting->hide();
}

TEST_F(Batch, EmptyListOnlyWarns) {
    Start();
    Click(Main().btnConvert);
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    EXPECT_EQ(Dialogs.Messages[0].first,
              "Please add media files you want to convert into the list.");
    EXPECT_FALSE(frmConverting->isVisible());
}

} // namespace
