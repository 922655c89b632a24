#pragma once

#include "AdvanceSystem.h"
#include "MediaGraph.h"

#include <memory>
#include <string>

// The preview graph on libmpv. Pictures are drawn in software on a thread of
// the graph's own and handed over as copies; libmpv's events are read on the
// owner's thread after its wakeup call has been posted there. Between starting
// the player (when the graph is first made active) and ending it, the owner's
// thread never waits for libmpv.
class TMpvGraph : public IMediaGraph {
public:
    // AudioOutput names libmpv's audio driver; empty for the desktop's default.
    TMpvGraph(IOutputDispatcher& Dispatcher, IMediaGraphListener& Listener,
              std::string AudioOutput = {});
    ~TMpvGraph() override;
    TMpvGraph(const TMpvGraph&) = delete;
    TMpvGraph& operator=(const TMpvGraph&) = delete;

    bool Active() const override;
    void SetActive(bool Active) override;
    void Clear() override;
    void RenderFile(const std::string& Path) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    int64_t DurationMs() const override;
    int64_t CurrentPosition() const override;
    void Seek(int64_t Milliseconds) override;
    void SetVideoSize(int Width, int Height) override;

private:
    struct TCore;
    std::shared_ptr<TCore> Core; // the posted calls hold it weakly
};
