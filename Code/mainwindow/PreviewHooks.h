#pragma once

#include <cstdint>

// What the source list asks of the preview and its trim bar when rows change.
class IPreviewHooks {
public:
    virtual ~IPreviewHooks() = default;
    virtual void StopPreview() = 0;
    // Moves the trim markers to the times of the selected row.
    virtual void SyncTrimMarkers() = 0;
    // Puts both markers back at the ends of the bar.
    virtual void ResetTrimMarkers() = 0;
    // True when the markers stand for a loaded file and the preview can seek.
    virtual bool CanSeek() const = 0;
    virtual void SeekPreview(int64_t Milliseconds) = 0;
};

// Until the preview exists, the list's calls to it change nothing.
class TNoPreview : public IPreviewHooks {
public:
    void StopPreview() override {}
    void SyncTrimMarkers() override {}
    void ResetTrimMarkers() override {}
    bool CanSeek() const override { return false; }
    void SeekPreview(int64_t) override {}
};
