#include "SoundPicture.h"

#include "MediaGraph.h"
#include "TrimBar.h"
#include "TrimBarPanel.h"
#include "VideoArea.h"
#include "Waveform.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

namespace {
// As many as a wide window's preview shows; a narrower one draws the loudest
// of the columns each of its pixels covers.
constexpr size_t Columns = 1000;
constexpr int SweepIntervalMs = 200;
} // namespace

TSoundPicture::TSoundPicture(TVideoArea& Video, const TTrimBarPanel& Bar, const IMediaGraph& Graph)
    : Video(Video), Bar(Bar), Graph(Graph) {
    Sweep.setInterval(SweepIntervalMs);
    connect(&Sweep, &QTimer::timeout, this, &TSoundPicture::Follow);
}

TSoundPicture::~TSoundPicture() {
    Reading.request_stop();
}

void TSoundPicture::Show(const std::string& Path) {
    Clear();
    QThreadPool::globalInstance()->start(
        [Picture = QPointer(this), Path, Stop = Reading.get_token()] {
            std::vector<float> Levels = ReadWaveform(Path, Columns, Stop);
            QMetaObject::invokeMethod(qApp, [Picture, Levels = std::move(Levels), Stop] {
                if (!Picture || Stop.stop_requested() || Levels.empty())
                    return; // another file, or none, is in the preview by now; or no sound
                Picture->Video.ShowWaveform(Levels);
                Picture->Follow();
                Picture->Sweep.start();
            });
        });
}

void TSoundPicture::Clear() {
    Reading.request_stop();
    Reading = {};
    Sweep.stop();
    if (Video.HasWaveform())
        Video.ShowWaveform({});
}

void TSoundPicture::Follow() {
    const int64_t Length = Graph.DurationMs() * 10000;
    const TrimBar::TStrips Strips = Bar.Strips();
    Video.SetWaveformMarks(Length > 0 ? static_cast<double>(Graph.CurrentPosition()) / Length : 0,
                           TrimBar::StartPercent(Strips.Left) / 100.0,
                           TrimBar::EndPercent(Strips.Right) / 100.0);
}
