#include "PreviewPlayer.h"

#include "AppFunc.h"
#include "Globals.h"
#include "MpvGraph.h"
#include "PreviewClock.h"
#include "QtText.h"
#include "SourceListView.h"
#include "SystemActions.h"
#include "TrimBarPanel.h"
#include "Unit_CommonLib.h"
#include "VideoArea.h"

#include <QLabel>
#include <algorithm>

namespace {
constexpr int ClockIntervalMs = 1000;

int32_t WholeSeconds(int64_t Seconds) {
    return static_cast<int32_t>(std::clamp<int64_t>(Seconds, 0, INT32_MAX));
}
// The strips after the list is emptied: the markers back at the ends.
constexpr TrimBar::TStrips EmptyListStrips{2, 2};
} // namespace

TPreviewPlayer::TPreviewPlayer(const TPreviewControls& Controls,
                               const TMediaGraphFactory& CreateGraph, QObject* Parent)
    : QObject(Parent), Controls(Controls),
      Graph(CreateGraph ? CreateGraph(Dispatcher, *this)
                        : std::make_unique<TMpvGraph>(Dispatcher, *this)) {
    Clock.setInterval(ClockIntervalMs);
    Clock.setTimerType(Qt::PreciseTimer); // a second each, so that none is skipped
    connect(&Clock, &QTimer::timeout, this, [this] { dstrckbrMainformTimer(); });
    connect(&Controls.Video, &TVideoArea::SizeChanged, this,
            [this](QSize Pixels) { Graph->SetVideoSize(Pixels.width(), Pixels.height()); });
    Graph->SetVideoSize(Controls.Video.SizeInPixels().width(),
                        Controls.Video.SizeInPixels().height());
    connect(&Controls.Bar, &TTrimBarPanel::StartMarkerMoved, this,
            [this] { SetStartTimeAndPlay(); });
    connect(&Controls.Bar, &TTrimBarPanel::EndMarkerMoved, this, [this] { Splitter2Moved(); });
}

TPreviewPlayer::~TPreviewPlayer() = default;

void TPreviewPlayer::btnPlayClick() {
    Controls.PlayFailure.hide();
    if (!Player.PreviewFile.isEmpty()) {
        if (!Player.IsPlaying) // a running preview goes on as it is
            PlayPreview();
        return;
    }
    for (const int Index : Controls.List.SelectedRows()) // the last one stays loaded
        OpenPreview(FromEngineText(Controls.List.Row(Index)[FileNameColumn]));
}

void TPreviewPlayer::btnPauseClick() {
    if (!Player.PreviewFile.isEmpty() && Player.IsPlaying)
        PausePreview();
}

void TPreviewPlayer::btnStopClick() {
    StopPreview();
}

void TPreviewPlayer::PlayPreview() {
    if (!Graph->Active())
        return;
    try {
        Graph->Play();
        LastTickPosition = Graph->CurrentPosition();
        SetPlaying(true);
        ShowLogo(false);
    } catch (...) {
        ShowLogo(true);
    }
}

void TPreviewPlayer::PausePreview() {
    if (!Graph->Active())
        return;
    try {
        Graph->Pause();
        SetPlaying(false);
        ShowLogo(false);
        ShowTime(Graph->CurrentPosition() / 10000000); // the clock stops where the picture does
    } catch (...) {
        ShowLogo(true);
    }
}

void TPreviewPlayer::StopPreview() {
    if (!Graph->Active())
        return;
    try {
        Graph->Stop();
        Graph->SetActive(false);
        Graph->Clear();
    } catch (...) { // stopped all the same: nothing is left running or loaded
    }
    Player.PreviewFile.clear();
    ShowTime(0);
    SetPlaying(false);
    ShowLogo(true);
    Sound.Clear();
    Controls.Video.ClearPicture();
}

void TPreviewPlayer::OpenPreview(const QString& Path) {
    try {
        Graph->SetActive(false);
        Graph->Clear();
        Graph->SetActive(true);
        Sound.Clear();
        Player.PreviewFile = Path;
        Graph->RenderFile(ToEngineText(Path)); // the outcome comes to Rendered or RenderFailed
    } catch (...) {
        Player.PreviewFile.clear();
        PlayingFailed();
    }
}

void TPreviewPlayer::Rendered(int Code) {
    if (Code == SoundAlone) { // a radio show, say: its waveform takes the picture's place
        Sound.Show(ToEngineText(Player.PreviewFile));
    } else if (Code != 0) { // opened only in part: the file stays named, the graph empty
        PlayingFailed();
        return;
    }
    PausePreview();
    PlayPreview();
    if (Player.MarkersReady)
        SeekPreview(int64_t{Player.PreviewStartSeconds} * 1000);
}

void TPreviewPlayer::RenderFailed() {
    Player.PreviewFile.clear();
    PlayingFailed();
}

void TPreviewPlayer::PlayingFailed() {
    AppFunc->WriteLog("Playing Video error.");
    Controls.PlayFailure.show();
    Graph->Clear();
    Sound.Clear();
    Controls.Video.ClearPicture();
}

void TPreviewPlayer::FrameReady(std::shared_ptr<const TVideoFrame> Frame) {
    if (!Player.PreviewFile.isEmpty())
        Controls.Video.ShowFrame(std::move(Frame));
}

void TPreviewPlayer::dstrckbrMainformTimer() {
    const int64_t Position = Graph->CurrentPosition();
    const TPreviewTick Tick = PreviewTick(Position, std::exchange(LastTickPosition, Position),
                                          Graph->DurationMs(), ToEngineText(Player.EndStopText));
    Controls.CurTime.setText(QString::fromStdString(Tick.TimeText));
    if (Tick.PauseAtStart) { // the end set with the end marker
        SeekPreview(0);
        PausePreview();
    }
    if (Tick.StopAtStart) { // the end of the file
        SeekPreview(0);
        StopPreview();
    }
}

void TPreviewPlayer::SyncTrimMarkers() {
    Controls.PlayFailure.hide(); // the note was about the row before
    for (const int Index : Controls.List.SelectedRows()) {
        const TRowCells Cells = Controls.List.Row(Index);
        if (FromEngineText(Cells[FileNameColumn]) == Player.PreviewFile)
            continue; // the file in the preview keeps its markers
        StopPreview();
        const auto Seconds = [&](size_t Column) {
            return TrimBar::LenientSeconds(Cells[Column]).value_or(0);
        };
        const int64_t Duration = Seconds(DurationColumn);
        const int64_t Start = Seconds(StartTimeColumn), End = Seconds(EndTimeColumn);
        Player.MarkedDuration = WholeSeconds(Duration);
        // The preview of this row starts and pauses at its own times.
        Player.PreviewStartSeconds = WholeSeconds(Start);
        Player.EndStopText = End < Duration ? FromEngineText(Cells[EndTimeColumn]) : QString();
        if (const auto Strips = TrimBar::PlacedStrips(Start, End, Duration, Controls.Bar.Strips()))
            Controls.Bar.SetStrips(*Strips);
        Player.MarkersReady = true;
    }
}

void TPreviewPlayer::ResetTrimMarkers() {
    Controls.Bar.SetStrips(EmptyListStrips);
}

bool TPreviewPlayer::CanSeek() const {
    return Player.MarkersReady && Graph->Active();
}

void TPreviewPlayer::SeekPreview(int64_t Milliseconds) {
    try {
        Graph->Seek(Milliseconds);
        LastTickPosition = Milliseconds * 10000;
        ShowTime(Milliseconds / 1000); // also while paused, when the clock does not tick
    } catch (...) {                    // a seek that fails leaves the preview where it is
    }
}

void TPreviewPlayer::SetStartTimeAndPlay() {
    TrimBar::TStrips Strips = Controls.Bar.Strips();
    if (TrimBar::MarkersTouch(Strips)) {
        Strips.Left = std::max(1, Strips.Left - 1);
        Controls.Bar.SetStrips(Strips);
    }
    Player.PreviewStartSeconds =
        TrimBar::SecondsAt(TrimBar::StartPercent(Strips.Left), Player.MarkedDuration);
    Controls.List.SetSelectedTimes(StartTimeColumn, FormatDuration(Player.PreviewStartSeconds));
    if (CanSeek())
        SeekPreview(int64_t{Player.PreviewStartSeconds} * 1000);
}

void TPreviewPlayer::Splitter2Moved() {
    TrimBar::TStrips Strips = Controls.Bar.Strips();
    if (TrimBar::MarkersTouch(Strips)) {
        Strips.Right = std::max(1, Strips.Right - 1);
        Controls.Bar.SetStrips(Strips);
    }
    const std::string EndText = FormatDuration(
        TrimBar::SecondsAt(TrimBar::EndPercent(Strips.Right), Player.MarkedDuration));
    Player.EndStopText = FromEngineText(EndText);
    Controls.List.SetSelectedTimes(EndTimeColumn, EndText);
}

void TPreviewPlayer::ClearGraph() {
    Graph->SetActive(false);
    Graph->Clear();
    SetPlaying(false);
}

void TPreviewPlayer::ShowTime(int64_t Seconds) {
    Controls.CurTime.setText(QString::fromStdString(ClockText(Seconds)));
}

void TPreviewPlayer::ShowLogo(bool Visible) {
    Controls.Logo.setVisible(Visible);
}

void TPreviewPlayer::SetPlaying(bool Playing) {
    Player.IsPlaying = Playing;
    if (Playing)
        Clock.start();
    else
        Clock.stop();
    if (CommonLib)
        CommonLib->System.KeepScreenAwake(Playing);
}
