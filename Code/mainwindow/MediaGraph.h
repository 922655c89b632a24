#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// One picture of the preview: Width × Height pixels of four bytes each (red,
// green, blue, unused), each row starting Stride bytes after the one above.
struct TVideoFrame {
    int Width = 0;
    int Height = 0;
    size_t Stride = 0;
    std::vector<uint8_t> Pixels;
};

// What a media graph reports, always on the thread that owns the graph.
class IMediaGraphListener {
public:
    virtual ~IMediaGraphListener() = default;
    // The file handed to RenderFile is open: Code 0 when it has both sound and
    // picture, SoundAlone when it has sound and no picture, another positive
    // code when it opened only in part.
    static constexpr int SoundAlone = 2;
    virtual void Rendered(int Code) = 0;
    // No pipeline could be built for the file handed to RenderFile.
    virtual void RenderFailed() = 0;
    // A new picture, already letter-boxed to the size last asked for.
    virtual void FrameReady(std::shared_ptr<const TVideoFrame> Frame) = 0;
};

// The playback pipeline of the preview, built for one file at a time. Loading
// a file takes time, so RenderFile only starts it and the outcome arrives at
// the listener. Operations that fail throw.
class IMediaGraph {
public:
    virtual ~IMediaGraph() = default;
    virtual bool Active() const = 0;
    virtual void SetActive(bool Active) = 0;
    // Stops and unloads the file; the graph stays active or inactive.
    virtual void Clear() = 0;
    // Throws, reporting nothing, when the graph is inactive or Path does not
    // lead to a regular file.
    virtual void RenderFile(const std::string& Path) = 0;
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    // The file's length in milliseconds; 0 while unknown.
    virtual int64_t DurationMs() const = 0;
    // The position in units of 100 ns; the length once the end is reached.
    virtual int64_t CurrentPosition() const = 0;
    // Moves to an absolute position, exactly.
    virtual void Seek(int64_t Milliseconds) = 0;
    // The size the pictures are drawn at, in device pixels.
    virtual void SetVideoSize(int Width, int Height) = 0;
};

class IOutputDispatcher;
// Builds a media graph that reports to Listener through Dispatcher.
using TMediaGraphFactory =
    std::function<std::unique_ptr<IMediaGraph>(IOutputDispatcher&, IMediaGraphListener&)>;
