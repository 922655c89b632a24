#include "MpvGraph.h"

#include "FileSystem.h"

#include <mpv/client.h>
#include <mpv/render.h>

#include <atomic>
#include <charconv>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace {

std::string SecondsText(int64_t Milliseconds) {
    char Text[32];
    const double Seconds = static_cast<double>(Milliseconds) / 1000.0;
    const auto End = std::to_chars(Text, Text + sizeof Text, Seconds, std::chars_format::fixed, 3);
    return std::string(Text, End.ptr); // always with a point, whatever the locale
}

// 0 when the file has sound and picture, SoundAlone when only sound, 1 when
// only a picture, -1 when neither.
int RenderCode(const mpv_node& TrackList) {
    bool Audio = false, Video = false;
    if (TrackList.format == MPV_FORMAT_NODE_ARRAY) {
        for (int Index = 0; Index < TrackList.u.list->num; ++Index) {
            const mpv_node& Track = TrackList.u.list->values[Index];
            if (Track.format != MPV_FORMAT_NODE_MAP)
                continue;
            std::string Type;
            bool CoverArt = false;
            for (int Key = 0; Key < Track.u.list->num; ++Key) {
                const std::string Name = Track.u.list->keys[Key];
                const mpv_node& Value = Track.u.list->values[Key];
                if (Name == "type" && Value.format == MPV_FORMAT_STRING)
                    Type = Value.u.string;
                else if (Name == "albumart" && Value.format == MPV_FORMAT_FLAG)
                    CoverArt = Value.u.flag != 0;
            }
            Audio |= Type == "audio";
            Video |= Type == "video" && !CoverArt;
        }
    }
    return Audio && Video ? 0 : Audio ? IMediaGraphListener::SoundAlone : Video ? 1 : -1;
}

} // namespace

struct TMpvGraph::TCore {
    TCore(IOutputDispatcher& Dispatcher, IMediaGraphListener& Listener, std::string AudioOutput)
        : Dispatcher(Dispatcher), Listener(Listener), AudioOutput(std::move(AudioOutput)) {}

    IOutputDispatcher& Dispatcher;
    IMediaGraphListener& Listener;
    const std::string AudioOutput;
    std::weak_ptr<TCore> Self;

    mpv_handle* Mpv = nullptr;
    mpv_render_context* Render = nullptr;

    // Owner's thread only.
    bool Active = false;
    bool Loading = false; // a file was handed over and its outcome is not known yet
    bool Loaded = false;
    // The playlist entry of the file handed over last, and of the one the
    // player started last: events count only while the two are the same.
    int64_t CurrentEntry = -1;
    int64_t StartedEntry = -1;
    double TimePos = 0;
    double Duration = 0;
    bool EndReached = false;

    // Frames drawn for an earlier file are dropped.
    std::atomic<uint64_t> Generation{1};
    std::atomic<bool> DrainPosted{false};
    // The newest picture waits here; one posted call takes whichever is newest.
    std::mutex FrameMutex;
    std::shared_ptr<const TVideoFrame> LatestFrame;
    uint64_t LatestFrameGeneration = 0;
    bool FramePosted = false;

    // The drawing thread and what it is asked to do.
    std::thread Drawer;
    std::mutex Mutex;
    std::condition_variable Wake;
    bool UpdatePending = false;
    bool Redraw = false;
    bool Quitting = false;
    int TargetWidth = 0;
    int TargetHeight = 0;

    void Start();
    void Shutdown();
    void Command(std::initializer_list<const char*> Words, uint64_t ReplyId = 0);
    void SetPause(bool Paused);
    void PostDrain();
    void Drain();
    void Handle(const mpv_event& Event);
    void HandleProperty(const mpv_event_property& Property);
    void LoadReplied(const mpv_event& Event);
    void Outcome(int Code);
    bool OfCurrentFile() const { return CurrentEntry >= 0 && StartedEntry == CurrentEntry; }
    void DeliverFrame();
    void DrawLoop();
    void DrawFrame(int Width, int Height);
};

void TMpvGraph::TCore::Start() {
    Mpv = mpv_create();
    if (!Mpv)
        throw std::runtime_error("The media player cannot be created.");
    const std::pair<const char*, const char*> Options[] = {
        {"vo", "libmpv"},
        {"idle", "yes"},
        {"keep-open", "yes"},
        {"pause", "yes"},
        {"hwdec", "no"},
        {"audio-display", "no"},
        {"sub-auto", "no"},
        {"osc", "no"},
        {"input-default-bindings", "no"},
        {"ytdl", "no"},
        {"load-scripts", "no"},
        {"hr-seek", "yes"},
        {"terminal", "no"},
        {"msg-level", "all=no"},
        // Without a sound device the file plays on, silently: sound alone would
        // otherwise stand still.
        {"audio-fallback-to-null", "yes"},
    };
    for (const auto& [Name, Value] : Options)
        mpv_set_option_string(Mpv, Name, Value);
    if (!AudioOutput.empty())
        mpv_set_option_string(Mpv, "ao", AudioOutput.c_str());
    char SoftwareApi[] = MPV_RENDER_API_TYPE_SW;
    mpv_render_param Params[] = {{MPV_RENDER_PARAM_API_TYPE, SoftwareApi},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv_initialize(Mpv) < 0 || mpv_render_context_create(&Render, Mpv, Params) < 0) {
        mpv_terminate_destroy(Mpv);
        Mpv = nullptr;
        Render = nullptr;
        throw std::runtime_error("The media player cannot be started.");
    }
    mpv_observe_property(Mpv, 0, "time-pos", MPV_FORMAT_DOUBLE);
    mpv_observe_property(Mpv, 0, "duration", MPV_FORMAT_DOUBLE);
    mpv_observe_property(Mpv, 0, "eof-reached", MPV_FORMAT_FLAG);
    // Both calls come from libmpv's threads and must not call libmpv.
    mpv_set_wakeup_callback(
        Mpv, [](void* Context) { static_cast<TCore*>(Context)->PostDrain(); }, this);
    mpv_render_context_set_update_callback(
        Render,
        [](void* Context) {
            auto* Core = static_cast<TCore*>(Context);
            const std::lock_guard Lock(Core->Mutex);
            Core->UpdatePending = true;
            Core->Wake.notify_one();
        },
        this);
    Drawer = std::thread([this] { DrawLoop(); });
}

void TMpvGraph::TCore::Shutdown() {
    if (!Mpv)
        return;
    {
        const std::lock_guard Lock(Mutex);
        Quitting = true;
    }
    Wake.notify_one();
    Drawer.join();
    mpv_render_context_free(Render);
    mpv_terminate_destroy(Mpv);
    Mpv = nullptr;
}

void TMpvGraph::TCore::Command(std::initializer_list<const char*> Words, uint64_t ReplyId) {
    std::vector<const char*> Arguments(Words);
    Arguments.push_back(nullptr);
    mpv_command_async(Mpv, ReplyId, Arguments.data());
}

void TMpvGraph::TCore::SetPause(bool Paused) {
    int Flag = Paused ? 1 : 0;
    mpv_set_property_async(Mpv, 0, "pause", MPV_FORMAT_FLAG, &Flag);
}

void TMpvGraph::TCore::PostDrain() {
    if (DrainPosted.exchange(true))
        return; // one drain reads every event that is waiting
    Dispatcher.Post([Weak = Self] {
        if (const std::shared_ptr<TCore> Core = Weak.lock())
            Core->Drain();
    });
}

void TMpvGraph::TCore::Drain() {
    DrainPosted = false;
    while (Mpv) {
        const mpv_event* Event = mpv_wait_event(Mpv, 0);
        if (Event->event_id == MPV_EVENT_NONE)
            break;
        Handle(*Event);
    }
}

void TMpvGraph::TCore::Handle(const mpv_event& Event) {
    switch (Event.event_id) {
    case MPV_EVENT_PROPERTY_CHANGE:
        if (OfCurrentFile()) // not the left-overs of an earlier file
            HandleProperty(*static_cast<const mpv_event_property*>(Event.data));
        break;
    case MPV_EVENT_COMMAND_REPLY:
        if (Loading && Event.reply_userdata == Generation)
            LoadReplied(Event);
        break;
    case MPV_EVENT_START_FILE:
        StartedEntry = static_cast<const mpv_event_start_file*>(Event.data)->playlist_entry_id;
        break;
    case MPV_EVENT_FILE_LOADED:
        if (Loading && OfCurrentFile())
            mpv_get_property_async(Mpv, Generation, "track-list", MPV_FORMAT_NODE);
        break;
    case MPV_EVENT_GET_PROPERTY_REPLY: {
        if (!Loading || Event.reply_userdata != Generation)
            break;
        const auto& Property = *static_cast<const mpv_event_property*>(Event.data);
        Outcome(Event.error < 0 || Property.format != MPV_FORMAT_NODE
                    ? -1
                    : RenderCode(*static_cast<const mpv_node*>(Property.data)));
        break;
    }
    case MPV_EVENT_END_FILE: {
        const auto& End = *static_cast<const mpv_event_end_file*>(Event.data);
        if (Loading && End.reason == MPV_END_FILE_REASON_ERROR &&
            End.playlist_entry_id == CurrentEntry)
            Outcome(-1);
        break;
    }
    default:
        break;
    }
}

void TMpvGraph::TCore::HandleProperty(const mpv_event_property& Property) {
    const std::string Name = Property.name;
    if (Name == "eof-reached") {
        // Kept until the next seek or file: with keep-open the player pauses
        // at the end, steps back to the last picture and stops saying so.
        if (Property.format == MPV_FORMAT_FLAG && *static_cast<const int*>(Property.data))
            EndReached = true;
        return;
    }
    const double Value =
        Property.format == MPV_FORMAT_DOUBLE ? *static_cast<const double*>(Property.data) : 0;
    (Name == "time-pos" ? TimePos : Duration) = Value;
}

// The load command's reply names the playlist entry the file got.
void TMpvGraph::TCore::LoadReplied(const mpv_event& Event) {
    const auto* Result = static_cast<const mpv_event_command*>(Event.data);
    if (Event.error < 0 || !Result || Result->result.format != MPV_FORMAT_NODE_MAP) {
        Outcome(-1);
        return;
    }
    const mpv_node_list& Values = *Result->result.u.list;
    for (int Index = 0; Index < Values.num; ++Index)
        if (std::string_view(Values.keys[Index]) == "playlist_entry_id" &&
            Values.values[Index].format == MPV_FORMAT_INT64)
            CurrentEntry = Values.values[Index].u.int64;
}

void TMpvGraph::TCore::Outcome(int Code) {
    Loading = false;
    Loaded = Code >= 0;
    if (Loaded)
        Listener.Rendered(Code);
    else
        Listener.RenderFailed();
}

void TMpvGraph::TCore::DrawLoop() {
    std::unique_lock Lock(Mutex);
    for (;;) {
        Wake.wait(Lock, [this] { return UpdatePending || Quitting; });
        if (Quitting)
            return;
        UpdatePending = false;
        const bool Forced = std::exchange(Redraw, false);
        const int Width = TargetWidth, Height = TargetHeight;
        Lock.unlock();
        const bool NewFrame = mpv_render_context_update(Render) & MPV_RENDER_UPDATE_FRAME;
        if ((NewFrame || Forced) && Width > 0 && Height > 0)
            DrawFrame(Width, Height);
        Lock.lock();
    }
}

void TMpvGraph::TCore::DrawFrame(int Width, int Height) {
    const uint64_t DrawnFor = Generation;
    auto Frame = std::make_shared<TVideoFrame>();
    Frame->Width = Width;
    Frame->Height = Height;
    Frame->Stride = static_cast<size_t>(Width) * 4;
    Frame->Pixels.resize(Frame->Stride * static_cast<size_t>(Height));
    int Size[2] = {Width, Height};
    char Format[] = "rgb0";
    mpv_render_param Params[] = {{MPV_RENDER_PARAM_SW_SIZE, Size},
                                 {MPV_RENDER_PARAM_SW_FORMAT, Format},
                                 {MPV_RENDER_PARAM_SW_STRIDE, &Frame->Stride},
                                 {MPV_RENDER_PARAM_SW_POINTER, Frame->Pixels.data()},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv_render_context_render(Render, Params) < 0)
        return;
    const std::lock_guard Lock(FrameMutex);
    LatestFrame = std::move(Frame);
    LatestFrameGeneration = DrawnFor;
    if (std::exchange(FramePosted, true))
        return; // the call already posted takes this newer picture
    Dispatcher.Post([Weak = Self] {
        if (const std::shared_ptr<TCore> Core = Weak.lock())
            Core->DeliverFrame();
    });
}

void TMpvGraph::TCore::DeliverFrame() {
    std::shared_ptr<const TVideoFrame> Frame;
    uint64_t DrawnFor = 0;
    {
        const std::lock_guard Lock(FrameMutex);
        FramePosted = false;
        Frame = std::move(LatestFrame);
        DrawnFor = LatestFrameGeneration;
    }
    if (Frame && Generation == DrawnFor && Loaded)
        Listener.FrameReady(std::move(Frame));
}

TMpvGraph::TMpvGraph(IOutputDispatcher& Dispatcher, IMediaGraphListener& Listener,
                     std::string AudioOutput)
    : Core(std::make_shared<TCore>(Dispatcher, Listener, std::move(AudioOutput))) {
    Core->Self = Core;
}

TMpvGraph::~TMpvGraph() {
    Core->Shutdown();
}

bool TMpvGraph::Active() const {
    return Core->Active;
}

void TMpvGraph::SetActive(bool Active) {
    if (Active && !Core->Mpv)
        Core->Start();
    Core->Active = Active;
}

void TMpvGraph::Clear() {
    ++Core->Generation;
    Core->Loading = Core->Loaded = Core->EndReached = false;
    Core->CurrentEntry = -1;
    Core->TimePos = Core->Duration = 0;
    if (Core->Mpv)
        Core->Command({"stop"});
}

void TMpvGraph::RenderFile(const std::string& Path) {
    if (!Core->Active)
        throw std::runtime_error("The preview is not active.");
    // The player would wait for ever on a pipe or device, and play a folder.
    if (!IsRegularFile(Path))
        throw std::runtime_error("'" + Path + "' is not a regular file.");
    Clear();
    Core->Loading = true;
    Core->SetPause(true);
    Core->Command({"loadfile", Path.c_str(), "replace"}, Core->Generation);
}

void TMpvGraph::Play() {
    if (!Core->Active || !(Core->Loaded || Core->Loading))
        throw std::runtime_error("Nothing is loaded to play.");
    Core->SetPause(false);
}

void TMpvGraph::Pause() {
    if (!Core->Active || !(Core->Loaded || Core->Loading))
        throw std::runtime_error("Nothing is loaded to pause.");
    Core->SetPause(true);
}

void TMpvGraph::Stop() {
    if (Core->Active && Core->Mpv)
        Core->SetPause(true);
}

int64_t TMpvGraph::DurationMs() const {
    return static_cast<int64_t>(Core->Duration * 1000);
}

int64_t TMpvGraph::CurrentPosition() const {
    if (Core->EndReached) // exactly the length, as the clock compares them
        return DurationMs() * 10000;
    return static_cast<int64_t>(Core->TimePos * 1e7);
}

void TMpvGraph::Seek(int64_t Milliseconds) {
    if (!Core->Active || !Core->Loaded)
        throw std::runtime_error("Nothing is loaded to seek in.");
    Core->Command({"seek", SecondsText(Milliseconds).c_str(), "absolute+exact"});
    Core->TimePos = static_cast<double>(Milliseconds) / 1000.0;
    Core->EndReached = false;
}

void TMpvGraph::SetVideoSize(int Width, int Height) {
    const std::lock_guard Lock(Core->Mutex);
    Core->TargetWidth = Width;
    Core->TargetHeight = Height;
    Core->Redraw = Core->UpdatePending = true;
    Core->Wake.notify_one();
}
