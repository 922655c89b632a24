#pragma once

#include "MediaGraph.h"
#include "PreviewHooks.h"
#include "QueuedDispatcher.h"
#include "SoundPicture.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class QLabel;
class TSourceListView;
class TTrimBarPanel;
class TVideoArea;

// The controls of the preview in the main window.
struct TPreviewControls {
    TSourceListView& List;
    TVideoArea& Video;
    QWidget& Logo;        // covers the video area while nothing plays
    QWidget& PlayFailure; // over the logo from a file that cannot play to the next Play
    QLabel& CurTime;
    TTrimBarPanel& Bar;
};

// The player state: which file is loaded and where the markers last put the
// start and end.
struct TPlayerState {
    QString PreviewFile; // empty when nothing is loaded
    bool IsPlaying = false;
    int32_t PreviewStartSeconds = 0; // a newly opened preview starts here
    int32_t MarkedDuration = 0;      // of the row the markers were placed for
    QString EndStopText;             // the preview pauses at this time; empty: at no time
    bool MarkersReady = false;
};

// The small player above the trim bar: plays the selected row, keeps the
// clock, and turns marker moves into start and end times of the selected rows.
class TPreviewPlayer : public QObject, public IPreviewHooks, public IMediaGraphListener {
public:
    TPreviewPlayer(const TPreviewControls& Controls, const TMediaGraphFactory& CreateGraph,
                   QObject* Parent);
    ~TPreviewPlayer() override;

    void btnPlayClick();
    void btnPauseClick();
    void btnStopClick();

    void PlayPreview();
    void PausePreview();
    // Loads the file and, once it is open, plays it from the start time.
    void OpenPreview(const QString& Path);
    void StopPreview() override;
    void SyncTrimMarkers() override;
    void ResetTrimMarkers() override;
    bool CanSeek() const override;
    void SeekPreview(int64_t Milliseconds) override;

    // The start marker moved: the selected rows start there.
    void SetStartTimeAndPlay();
    // The end marker moved: the selected rows end there.
    void Splitter2Moved();
    // The clock, every second while the preview plays.
    void dstrckbrMainformTimer();
    // Unloads everything as the window closes.
    void ClearGraph();

    const TPlayerState& State() const { return Player; }

private:
    void Rendered(int Code) override;
    void RenderFailed() override;
    void FrameReady(std::shared_ptr<const TVideoFrame> Frame) override;
    void PlayingFailed();
    void ShowLogo(bool Visible);
    void ShowTime(int64_t Seconds);
    void SetPlaying(bool Playing);

    TPreviewControls Controls;
    TPlayerState Player;
    // Declared before the graph: libmpv's threads post through it until the
    // graph is gone.
    TQueuedDispatcher Dispatcher{*this};
    std::unique_ptr<IMediaGraph> Graph;
    TSoundPicture Sound{Controls.Video, Controls.Bar, *Graph};
    QTimer Clock;
    int64_t LastTickPosition = 0; // where the clock's previous tick found the preview
};
