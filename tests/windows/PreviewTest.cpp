#include "LogFile.h"
#include "PreviewPlayer.h"
#include "SourceListView.h"
#include "TrimBarPanel.h"
#include "VideoArea.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QLabel>
#include <gmock/gmock.h>

namespace {

using TrimBar::TStrips;

class Preview : public WindowTest {
protected:
    Preview() { Prober.Seconds = {{"a.rm", 100}, {"b.rm", 100}}; }

    void AddRows(const std::vector<std::string>& Names) {
        QStringList Files;
        for (const std::string& Name : Names)
            Files << QString::fromStdString(Temp.Write(Name, "x"));
        CommonLib->AddSourceFiles(List(), Files);
    }
    TSourceListView& List() const { return *Main().dxTreeSourceFileInfo; }
    TTrimBarPanel& Bar() const { return *Main().Panel1; }
    const TPlayerState& Player() const { return FrmMainForm->Preview->State(); }
    std::string Cell(int Row, int Column) const { return List().Row(Row)[Column]; }
    std::string Clock() const { return Main().pnlCurTime->text().toStdString(); }
    bool LogoShown() const { return !Main().panLogo->isHidden(); }

    // Drags a marker by Pixels, as the mouse does.
    void Drag(const char* Marker, int Pixels) {
        QWidget* Face = Bar().findChild<QWidget*>(Marker);
        const QPoint Grab(9, 9);
        QTest::mousePress(Face, Qt::LeftButton, {}, Grab);
        QTest::mouseMove(Face, Grab + QPoint(Pixels, 0));
        QTest::mouseRelease(Face, Qt::LeftButton, {}, Grab + QPoint(Pixels, 0));
    }
    void ClickStrip(const char* Strip, Qt::KeyboardModifiers Keys) {
        QTest::mouseClick(Bar().findChild<QWidget*>(Strip), Qt::LeftButton, Keys, QPoint(0, 5));
    }
    void ClickRow(int Row) {
        const QRect Cell = List().visualRect(List().model()->index(Row, FileNameColumn));
        QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, Cell.center());
    }
    // Play on the selected row, and the graph reports the file open.
    void PlayOpened() {
        Click(Main().btnPlay);
        Graph->Listener.Rendered(0);
        EXPECT_EQ(Graph->Calls.back(),
                  "seek " + std::to_string(Player().PreviewStartSeconds * 1000));
        Graph->Calls.clear();
    }
};

TEST_F(Preview, DraggedMarkersWriteTheSelectedRowsTimes) {
    Start();
    AddRows({"a.rm"});
    ASSERT_EQ(Bar().Strips().Left, 1); // placed for 0 to 100 s: the design widths stay
    Drag("Splitter1", 53);
    EXPECT_EQ(Bar().Strips().Left, 54);
    EXPECT_EQ(Cell(0, StartTimeColumn), "00:00:23");
    EXPECT_EQ(Cell(0, CutDurationColumn), "00:01:17");
    EXPECT_EQ(Player().PreviewStartSeconds, 23);

    Drag("Splitter2", -30);
    Drag("Splitter2", 300); // as far right as it goes: 101 percent
    EXPECT_EQ(Bar().Strips().Right, 1);
    EXPECT_EQ(Cell(0, EndTimeColumn), "00:01:41");
    EXPECT_EQ(Player().EndStopText, "00:01:41");
    EXPECT_EQ(Cell(0, CutDurationColumn), "00:01:18");

    Drag("Splitter1", 500); // stops a pixel short of the end marker
    EXPECT_EQ(Bar().Strips().Left, 220);
}

TEST_F(Preview, MarkersAreWholeFromTheStartAndMoveByKeysAsByTheMouse) {
    Start();
    QWidget* StartMarker = Bar().findChild<QWidget*>("Splitter1");
    QWidget* EndMarker = Bar().findChild<QWidget*>("Splitter2");
    for (const QWidget* Marker : {StartMarker, EndMarker}) // before any file is added
        EXPECT_EQ(Marker->geometry().bottom(), Bar().height() - 1) << "a marker is cut";
    AddRows({"a.rm"});
    StartMarker->setFocus();
    for (int Press = 0; Press < 5; ++Press)
        QTest::keyClick(StartMarker, Qt::Key_Right, Qt::ShiftModifier); // 10 pixels
    for (int Press = 0; Press < 3; ++Press)
        QTest::keyClick(StartMarker, Qt::Key_Right, Qt::ControlModifier); // 1 pixel
    EXPECT_EQ(Bar().Strips().Left, 54);
    EXPECT_EQ(Cell(0, StartTimeColumn), "00:00:23"); // as the same drag writes it
    QTest::keyClick(StartMarker, Qt::Key_Left);      // 5 pixels
    EXPECT_EQ(Bar().Strips().Left, 49);
    QTest::keyClick(StartMarker, Qt::Key_Tab);
    EXPECT_TRUE(EndMarker->hasFocus());
    QTest::keyClick(EndMarker, Qt::Key_Left);
    EXPECT_EQ(Bar().Strips().Right, 6);
    EXPECT_EQ(Cell(0, EndTimeColumn), "00:01:39");
    for (QWidget* Marker : {StartMarker, EndMarker})
        EXPECT_FALSE(
            QAccessible::queryAccessibleInterface(Marker)->text(QAccessible::Name).isEmpty());
}

TEST_F(Preview, ClicksOnTheOuterStripsStepTheirMarkers) {
    Start();
    AddRows({"a.rm"});
    struct TCase {
        const char* Strip;
        Qt::KeyboardModifiers Keys;
        TStrips Before, After;
        std::string Start, End;
    };
    const TCase Cases[] = {
        {"Panel3", Qt::ControlModifier, {1, 1}, {1, 1}, "00:00:00", "00:01:40"}, // R stays 1
        {"Panel3", {}, {1, 6}, {1, 1}, "00:00:00", "00:01:41"},
        {"Panel3", Qt::ShiftModifier, {1, 30}, {1, 20}, "00:00:00", "00:01:32"},
        {"Panel2", Qt::ControlModifier, {54, 1}, {53, 1}, "00:00:23", "00:01:40"},
        {"Panel2", Qt::ShiftModifier, {10, 1}, {10, 1}, "00:00:00", "00:01:40"}, // L stays 1+
        {"Panel2",
         Qt::ControlModifier | Qt::ShiftModifier,
         {20, 1},
         {15, 1},
         "00:00:05",
         "00:01:40"},
        {"Panel2", {}, {120, 100}, {120, 100}, "00:00:00", "00:01:40"}, // markers too close
        {"Panel4", {}, {50, 50}, {50, 50}, "00:00:00", "00:01:40"},     // the middle: nothing
    };
    for (const TCase& Case : Cases) {
        List().SetRow(0, {"True", List().Row(0)[FileNameColumn], "1 B", "00:01:40", "00:00:00",
                          "00:01:40", "00:01:40"});
        Bar().SetStrips(Case.Before);
        ClickStrip(Case.Strip, Case.Keys);
        EXPECT_EQ(Bar().Strips().Left, Case.After.Left) << Case.Strip << Case.Before.Left;
        EXPECT_EQ(Bar().Strips().Right, Case.After.Right) << Case.Strip << Case.Before.Right;
        EXPECT_EQ(Cell(0, StartTimeColumn), Case.Start) << Case.Strip << Case.Before.Left;
        EXPECT_EQ(Cell(0, EndTimeColumn), Case.End) << Case.Strip << Case.Before.Right;
    }
}

TEST_F(Preview, PlaysPausesAndStopsTheSelectedRow) {
    Start();
    AddRows({"a.rm", "b.rm"});
    Drag("Splitter1", 53); // the preview opens at 23 s
    Click(Main().btnPlay);
    EXPECT_EQ(Graph->Calls.back(), "render a.rm");
    EXPECT_TRUE(LogoShown()) << "nothing plays until the file is open";
    Graph->Listener.Rendered(0);
    EXPECT_EQ(Graph->Calls,
              (std::vector<std::string>{"clear", "render a.rm", "pause", "play", "seek 23000"}));
    EXPECT_TRUE(Player().IsPlaying);
    EXPECT_FALSE(LogoShown());
    EXPECT_EQ(System.Actions.back(), "awake");

    Graph->Calls.clear();
    Click(Main().btnPlay); // a running preview goes on
    ClickRow(0);           // the row in the preview keeps playing
    EXPECT_TRUE(Graph->Calls.empty());

    QTest::keyClick(FrmMainForm->windowHandle(), Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(Graph->Calls, std::vector<std::string>{"pause"});
    EXPECT_FALSE(Player().IsPlaying);
    EXPECT_FALSE(LogoShown());
    Click(Main().btnPlay);
    EXPECT_EQ(Graph->Calls.back(), "play");

    Graph->Calls.clear();
    ClickRow(1); // another row stops the preview
    EXPECT_EQ(Graph->Calls, (std::vector<std::string>{"stop", "clear"}));
    EXPECT_TRUE(Player().PreviewFile.isEmpty());
    EXPECT_TRUE(LogoShown());
    EXPECT_EQ(Clock(), "00:00:00");
    EXPECT_EQ(System.Actions.back(), "may sleep");

    PlayOpened(); // row b plays from its own start, not from the one dragged on row a
    EXPECT_EQ(Player().PreviewStartSeconds, 0);
    EXPECT_EQ(Player().EndStopText, "") << "its end is the file's end";
}

TEST_F(Preview, TheClockPausesAtTheEndMarkerAndStopsAtTheEndOfTheFile) {
    Start();
    AddRows({"a.rm"});
    Bar().SetStrips({1, 3});
    ClickStrip("Panel3", Qt::ControlModifier); // the end at 00:01:40
    PlayOpened();
    Graph->Duration = 120000;
    Graph->Position = 1'005'000'000; // 100.5 s
    FrmMainForm->Preview->dstrckbrMainformTimer();
    EXPECT_EQ(Graph->Calls, (std::vector<std::string>{"seek 0", "pause"}));
    EXPECT_EQ(Clock(), "00:00:00") << "the clock shows where the picture is";
    EXPECT_FALSE(Player().IsPlaying);

    FrmMainForm->Preview->SeekPreview(115000); // beyond the end marker, as a moved start does
    Click(Main().btnPlay);
    Graph->Calls.clear();
    Graph->Position = 1'200'000'000;
    FrmMainForm->Preview->dstrckbrMainformTimer();
    EXPECT_EQ(Graph->Calls, (std::vector<std::string>{"seek 0", "stop", "clear"}));
    EXPECT_TRUE(Player().PreviewFile.isEmpty());
    EXPECT_EQ(Clock(), "00:00:00");
}

TEST_F(Preview, FilesThatDoNotPlayFullyAreLoggedAndClearAndEmptyList) {
    Start();
    AddRows({"a.rm"});
    Click(Main().btnPlay);
    Graph->Listener.Rendered(1); // opened only in part: the name stays
    EXPECT_EQ(Graph->Calls.back(), "clear");
    EXPECT_FALSE(Player().PreviewFile.isEmpty());
    EXPECT_FALSE(Player().IsPlaying);
    FrmMainForm->Preview->StopPreview();
    Click(Main().btnPlay);
    Graph->Listener.RenderFailed();
    EXPECT_TRUE(Player().PreviewFile.isEmpty());
    EXPECT_TRUE(Main().lblPlayFailure->isVisible()) << "the user is told, not only the log";
    EXPECT_EQ(LogMessagesOf(Temp.Path("log.txt")),
              (std::vector<std::string>{"Playing Video error.", "Playing Video error."}));

    Click(Main().btnClearFile);
    EXPECT_EQ(Bar().Strips().Left, 2);
    EXPECT_EQ(Bar().Strips().Right, 2);
    AddRows({"b.rm"}); // 0 to 100 s: the targets of 1 are too close to move to
    EXPECT_EQ(Bar().Strips().Left, 2);
    EXPECT_EQ(Bar().Strips().Right, 2);

    PlayOpened();
    EXPECT_FALSE(Main().lblPlayFailure->isVisible()); // until the next Play
    FrmMainForm->close();                             // the graph goes with the window
    EXPECT_FALSE(Graph->IsActive);
    EXPECT_EQ(Graph->Calls.back(), "clear");
}

TEST_F(Preview, PlaysAGeneratedFileThroughTheRealPlayer) {
    RealGraph = true;
    const TMediaDurationProber RealProber;
    ProberInUse = &RealProber;
    Start();
    CommonLib->AddSourceFiles(List(), {QString(KORVALIN_TEST_MEDIA) + "clip_rv20_ac3.rm"});
    Click(Main().btnPlay);
    const auto Coloured = [&] { // the logo covers the picture until it plays
        if (LogoShown())
            return false;
        const QImage Picture = Main().DSVideoWindowEx1->grab().toImage();
        for (int Y = 0; Y < Picture.height(); Y += 4)
            for (int X = 0; X < Picture.width(); X += 4)
                if (qGray(Picture.pixel(X, Y)) > 64)
                    return true;
        return false;
    };
    EXPECT_TRUE(QTest::qWaitFor(Coloured, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Clock() != "00:00:00"; }, 5000));
    TVideoArea& Video = *Main().DSVideoWindowEx1;
    QTest::mouseMove(&Video, QPoint(50, 50));
    EXPECT_NE(Video.cursor().shape(), Qt::BlankCursor);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Video.cursor().shape() == Qt::BlankCursor; }, 4000))
        << "the cursor hides after three seconds without movement";
    Click(Main().btnStop);
    EXPECT_FALSE(Main().DSVideoWindowEx1->HasPicture());
    EXPECT_TRUE(LogoShown());
}

// A file with sound and no picture plays like a video, its waveform in the
// picture's place: loud where the tone plays, dimmer outside the markers.
TEST_F(Preview, SoundAlonePlaysOverItsWaveform) {
    RealGraph = true;
    const TMediaDurationProber RealProber;
    ProberInUse = &RealProber;
    Start();
    CommonLib->AddSourceFiles(List(),
                              {QString(KORVALIN_TEST_MEDIA) + "silence_tone_silence_ac3.rm"});
    TVideoArea& Video = *Main().DSVideoWindowEx1;
    Click(Main().btnPlay);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Video.HasWaveform() && !LogoShown(); }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Clock() != "00:00:00"; }, 5000));
    Click(Main().btnPause);
    EXPECT_FALSE(Player().IsPlaying);
    Drag("Splitter2", -40); // the end marker inwards: the last part turns dim
    EXPECT_NE(List().Row(0)[EndTimeColumn], "00:00:06");

    // The height of the waveform's column at a share of the width, in its own
    // bright or dim colour (the line of the position is white).
    const auto HeightAt = [&](double Share, bool Bright) {
        QTest::qWait(300); // the sweep has caught up with the markers
        const QImage Picture = Video.grab().toImage();
        const int X = static_cast<int>(Share * Picture.width());
        int Height = 0;
        for (int Y = 0; Y < Picture.height(); ++Y) {
            const QColor Pixel = Picture.pixelColor(X, Y);
            Height += Pixel.green() > Pixel.red() + 20 && (Pixel.green() > 150) == Bright;
        }
        return Height;
    };
    const int Full = Video.height();
    EXPECT_GT(HeightAt(0.5, true), Full * 3 / 4) << "the tone, between the markers";
    EXPECT_LT(HeightAt(0.15, true), Full / 10) << "the silence before it";
    EXPECT_GT(HeightAt(0.6, false) + HeightAt(0.6, true), Full * 3 / 4);
    EXPECT_GT(HeightAt(0.9, false), 0) << "silence past the end marker, drawn dim";
    Click(Main().btnStop);
    EXPECT_FALSE(Video.HasWaveform());
    EXPECT_TRUE(LogoShown());
    EXPECT_THAT(LogMessagesOf(Temp.Path("log.txt")),
                testing::Not(testing::Contains("Playing Video error.")));
}

} // namespace
