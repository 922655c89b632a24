#pragma once

#include <QObject>
#include <QTimer>
#include <stop_token>
#include <string>

class IMediaGraph;
class TTrimBarPanel;
class TVideoArea;

// What the preview shows of a file that has sound and no picture: its waveform,
// read on a worker once the file is open, with a line that follows the playing
// position and the part outside the trim markers drawn dimmer.
class TSoundPicture : public QObject {
public:
    TSoundPicture(TVideoArea& Video, const TTrimBarPanel& Bar, const IMediaGraph& Graph);
    // A reading still going is told to stop; its result is dropped.
    ~TSoundPicture() override;

    void Show(const std::string& Path);
    // Stops a reading and takes the waveform away.
    void Clear();

private:
    void Follow();

    TVideoArea& Video;
    const TTrimBarPanel& Bar;
    const IMediaGraph& Graph;
    std::stop_source Reading;
    QTimer Sweep; // moves the line and the shade while the waveform shows
};
