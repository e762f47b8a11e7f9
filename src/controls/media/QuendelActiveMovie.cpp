#include "controls/media/QuendelActiveMovie.h"

#include <dshow.h>

#include <cmath>
#include <string>

#include "runtime/ansi_text.h"
#include "runtime/error.h"
#include "runtime/ui.h"
#include "runtime/win.h"

namespace controls {

namespace {

constexpr long kVideoWindowStyle = 0x06000000;  // WS_CLIPSIBLINGS | WS_CLIPCHILDREN
constexpr int kStateInterval = 250;

// The runtime's rounding of a fractional value to an integer.
long Whole(double v) {
    return static_cast<long>(std::nearbyint(v));
}

double RoundTo2(double v) {
    return std::nearbyint(v * 100.0) / 100.0;
}

// Whether every pin of the filter is unconnected: a video renderer that an audio-only file left
// alone, which the graph must not keep (asking it for its video size crashes the platform's).
bool Unconnected(IBaseFilter* filter) {
    rt::ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(pins.put())) || !pins) return true;
    for (;;) {
        rt::ComPtr<IPin> pin;
        if (pins->Next(1, pin.put(), nullptr) != S_OK) return true;
        rt::ComPtr<IPin> other;
        if (SUCCEEDED(pin->ConnectedTo(other.put())) && other) return false;
    }
}

}  // namespace

// The interfaces of one filter graph; the graph lives while they do.
struct QuendelActiveMovie::Graph {
    rt::ComPtr<IMediaControl> control;
    rt::ComPtr<IBasicAudio> audio;
    rt::ComPtr<IVideoWindow> window;
    rt::ComPtr<IMediaEvent> events;
    rt::ComPtr<IMediaPosition> position;

    // Stops the graph and takes its video window off the owner before the interfaces go.
    ~Graph() {
        if (control) control->Stop();
        if (window) {
            window->put_Visible(OAFALSE);
            window->put_Left(Whole(rt::Screen::Width() * 8));
            window->put_Height(Whole(rt::Screen::Height() * 8));
            window->put_Owner(0);
        }
    }
};

QuendelActiveMovie::QuendelActiveMovie(rt::Container& c, std::string name, int index,
                                       std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowed, std::move(stored)) {
    wire();
    Create();
}

QuendelActiveMovie::QuendelActiveMovie(const QuendelActiveMovie& t, int index)
    : UserControl(t, index),
      OnUserStop(t.OnUserStop),
      OnUserPause(t.OnUserPause),
      OnFinished(t.OnFinished),
      movierun(t.movierun) {
    wire();
    Create();
}

QuendelActiveMovie::~QuendelActiveMovie() {
    StateTimer.Enabled(false);
    graph_.reset();
}

void QuendelActiveMovie::wire() {
    StateTimer.Enabled(false);
    StateTimer.Interval(kStateInterval);
    StateTimer.TimerEvent = [this](int) { PollMovieGraph(); };
    Video.DblClick = [this](int) { RaiseEvent(DblClick); };
}

void QuendelActiveMovie::Raise(const rt::Event<bool&>& event, bool value) {
    bool argument = value;
    RaiseEvent(event, argument);
}

// ---- layout and stored settings

void QuendelActiveMovie::UserControl_Initialize() {
    ScaleMode(rt::vbPixels);
    Video.BorderStyle(0);
    Video.Surface().BackColor(0);
    ApplyBorderStyle(borderStyle_);
    UserControl_Resize();
}

void QuendelActiveMovie::UserControl_Resize() {
    // A video window that is open keeps its size; the next open sizes it.
    const RECT client = rt::ClientRectOf(hWnd());
    rt::Try([&] { Video.Move(0, 0, rt::ToTwipsX(client.right), rt::ToTwipsY(client.bottom)); });
}

VANTREL_PROPERTY_TABLE(QuendelActiveMovie, VANTREL_MOVIE_PROPERTIES)

void QuendelActiveMovie::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    Properties().ReadAll(*this, PropBag);
}

void QuendelActiveMovie::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    Properties().WriteAll(*this, PropBag);
}

// ---- properties

void QuendelActiveMovie::Filename(const std::string& FileNameStr) {
    Set(settings_.FileName, FileNameStr, "FileName");
}

double QuendelActiveMovie::CurrentPosition() {
    if (!settings_.VideoRun) return 0;
    double position = 0;
    if (graph_ && graph_->position && SUCCEEDED(graph_->position->get_CurrentPosition(&position)))
        settings_.CurrentPosition = position;
    return settings_.CurrentPosition;
}

void QuendelActiveMovie::CurrentPosition(double CurrentPositionNum) {
    Store(settings_.CurrentPosition, CurrentPositionNum, "CurrentPosition");
    if (graph_ && graph_->position) graph_->position->put_CurrentPosition(CurrentPositionNum);
    PropertyRefresh();
}

void QuendelActiveMovie::BackStyle(int16_t v) {
    Video.BorderStyle(v);
    PropertyChanged("BackStyle");
}

void QuendelActiveMovie::ApplyBorderStyle(int16_t v) {
    borderStyle_ = v;
    SetStyleBits(WS_BORDER, v ? WS_BORDER : 0);
}

// ---- the graph

void QuendelActiveMovie::HaltMovieGraph() {
    if (!settings_.VideoRun) return;
    if (!graph_ || !graph_->control || FAILED(graph_->control->Stop())) return;
    settings_.VideoRun = false;
    if (graph_->position) graph_->position->put_CurrentPosition(0);
}

void QuendelActiveMovie::CloseMovieGraph() {
    settings_.VideoRun = false;
    rt::DoEvents();
    graph_.reset();
}

void QuendelActiveMovie::OpenMovieGraph(const std::string& path, bool fitToHeight, bool fullScreen) {
    HaltMovieGraph();
    CloseMovieGraph();
    settings_.FileName = path;

    // A graph that an event opened while the message loop ran above goes first.
    graph_.reset();
    rt::EnsureOle();
    rt::ComPtr<IGraphBuilder> builder;
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                reinterpret_cast<void**>(builder.put()))) ||
        !builder) {
        settings_.FileLength = 0;
        StateTimer.Enabled(false);
        return;
    }
    // The platform's plain video renderer draws into the owner window; the default one may not.
    rt::ComPtr<IBaseFilter> renderer;
    if (SUCCEEDED(CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                   reinterpret_cast<void**>(renderer.put()))) &&
        renderer)
        builder->AddFilter(renderer.get(), L"Video Renderer");
    const HRESULT rendered = builder->RenderFile(rt::Widen(settings_.FileName).c_str(), nullptr);
    if (FAILED(rendered)) {
        // Nothing to play: no graph stays behind, and the player stops instead of running on an
        // empty graph that would never report its end.
        builder->Abort();
        if (renderer) builder->RemoveFilter(renderer.get());
        renderer.reset();
        builder.reset();
        settings_.FileLength = 0;
        settings_.VideoRun = false;
        StateTimer.Enabled(false);
        return;
    }
    if (renderer && Unconnected(renderer.get())) builder->RemoveFilter(renderer.get());
    renderer.reset();

    graph_ = std::make_unique<Graph>();
    Graph& g = *graph_;
    g.control = builder.as<IMediaControl>(IID_IMediaControl);
    g.audio = builder.as<IBasicAudio>(IID_IBasicAudio);
    if (g.audio) {
        g.audio->put_Volume(0);
        g.audio->put_Balance(0);
    }
    g.window = builder.as<IVideoWindow>(IID_IVideoWindow);
    if (g.window) {
        IVideoWindow& w = *g.window.get();
        w.put_WindowStyle(kVideoWindowStyle);
        w.put_Left(0);
        long width = 0, height = 0;
        double aspect = 0;
        if (SUCCEEDED(w.get_Width(&width)) && SUCCEEDED(w.get_Height(&height)) && width != 0)
            aspect = static_cast<double>(height) / width;
        const RECT box = Video.PixelRect();
        const long boxWidth = box.right - box.left, boxHeight = box.bottom - box.top;
        w.put_Width(boxWidth);
        long top = 0;
        if (fitToHeight) {
            w.put_Height(boxHeight);
        } else {
            w.put_Height(Whole(boxWidth * aspect));
            long shown = 0;
            w.get_Height(&shown);
            top = Whole((boxHeight - shown) / 2.0);
        }
        w.put_Top(top);
        w.put_FullScreenMode(fullScreen ? OATRUE : OAFALSE);
        w.put_Owner(reinterpret_cast<OAHWND>(Video.hWnd()));
        // A double-click on the video reaches the Video box.
        w.put_MessageDrain(reinterpret_cast<OAHWND>(Video.hWnd()));
    }
    g.events = builder.as<IMediaEvent>(IID_IMediaEvent);
    g.position = builder.as<IMediaPosition>(IID_IMediaPosition);
    if (g.position) {
        g.position->put_Rate(1.0);
        double duration = 0;
        if (SUCCEEDED(g.position->get_Duration(&duration))) settings_.FileLength = RoundTo2(duration);
    }
    settings_.StartPosition = 0;
    ContinuePlay();
}

void QuendelActiveMovie::PlayAMovie() {
    StateTimer.Enabled(true);
    Raise(OnUserStop, false);
    Raise(OnUserPause, false);
    Raise(OnFinished, false);
    Raise(movierun, true);
    OpenMovieGraph(settings_.FileName, true, false);
}

void QuendelActiveMovie::ContinuePlay() {
    if (settings_.FileName.empty()) return;
    StateTimer.Enabled(true);
    Raise(movierun, true);
    if (graph_ && graph_->position) {
        double position = 0;
        if (SUCCEEDED(graph_->position->get_CurrentPosition(&position))) {
            if (Whole(position) < Whole(settings_.StartPosition) ||
                Whole(position) == Whole(settings_.FileLength))
                graph_->position->put_CurrentPosition(settings_.StartPosition);
        }
    }
    settings_.VideoRun = true;
    if (graph_ && graph_->control) graph_->control->Run();
}

void QuendelActiveMovie::PauseAMovie() {
    StateTimer.Enabled(false);
    if (!settings_.VideoRun) return;
    if (!graph_ || !graph_->control || FAILED(graph_->control->Pause())) return;
    settings_.VideoRun = false;
    Raise(OnUserPause, true);
    Raise(OnFinished, false);
    Raise(OnUserStop, false);
}

void QuendelActiveMovie::StopAMovie() {
    StateTimer.Enabled(false);
    HaltMovieGraph();
    Raise(OnUserStop, true);
    Raise(OnFinished, false);
    Raise(OnUserPause, false);
}

void QuendelActiveMovie::MovieSeek(double SeekTime) {
    if (graph_ && graph_->position) graph_->position->put_CurrentPosition(SeekTime);
}

void QuendelActiveMovie::SetMediaBalance(int32_t balance) {
    if (graph_ && graph_->audio) graph_->audio->put_Balance(balance);
}

void QuendelActiveMovie::SetMediaVolume(int32_t volume) {
    if (graph_ && graph_->audio) graph_->audio->put_Volume(volume);
}

void QuendelActiveMovie::PollMovieGraph() {
    if (!settings_.VideoRun) return;
    long evCode = 0;
    // Blocks up to 100 ms; while the media plays it times out and evCode stays 0.
    if (graph_ && graph_->events && FAILED(graph_->events->WaitForCompletion(100, &evCode))) evCode = 0;
    if (evCode != 0) {
        settings_.VideoRun = false;
        Raise(OnFinished, true);
        Raise(movierun, false);
        return;
    }
    double position = 0;
    if (graph_ && graph_->position && SUCCEEDED(graph_->position->get_CurrentPosition(&position)))
        settings_.CurrentPosition = position;
    Raise(movierun, true);
}

}  // namespace controls
