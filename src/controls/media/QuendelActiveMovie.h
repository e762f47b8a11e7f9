// The movie player: one audio or video file played through a DirectShow filter graph, its
// progress reported by events. The graph's video window is parented into the picture box Video,
// which fills the control. The same control plays the background music, the page movie, the intro
// video, the slideshow music and the movie window's movie; it never calls out of itself.
//
// Every graph operation fails quietly. A file that cannot be rendered leaves no graph behind:
// FileLength becomes 0, the player is not running and its state timer is off.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/controls.h"
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"

namespace controls {

// The stored properties, in their stored order (see runtime/property_list.h).
// clang-format off
#define VANTREL_MOVIE_PROPERTIES(X)                                                                  \
    X(Set, bool, VideoRun, false)                                                                    \
    X(Field, std::string, FileName, std::string())                                                   \
    X(Set, double, FileLength, 0.0)                                                                  \
    X(Set, double, StartPosition, 0.0)                                                               \
    X(Field, double, CurrentPosition, 0.0)                                                           \
    X(Via, int16_t, BackStyle, [](auto& q) { return q.Video.BorderStyle(); },                        \
      [](auto& q, int16_t v) { rt::Try([&] { q.Video.BorderStyle(v); }); }, int16_t{0}, int16_t{0})  \
    X(Relay, int16_t, BorderStyle, [](auto& q) { return q.borderStyle_; },                           \
      [](auto& q, int16_t v) { q.ApplyBorderStyle(v); }, int16_t{1}, int16_t{1})
// clang-format on

class QuendelActiveMovie : public rt::UserControl {
public:
    QuendelActiveMovie(rt::Container& c, std::string name, int index = -1,
                       std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    QuendelActiveMovie(const QuendelActiveMovie& templ, int index);
    ~QuendelActiveMovie() override;

    VANTREL_PROPERTY_ACCESSORS(VANTREL_MOVIE_PROPERTIES)
    // The path only: setting it opens and closes nothing.
    const std::string& Filename() const noexcept { return settings_.FileName; }
    void Filename(const std::string& FileNameStr);
    // While running, the graph's position, read afresh; otherwise 0 (also when paused).
    double CurrentPosition();
    void CurrentPosition(double CurrentPositionNum);
    int16_t BackStyle() const noexcept { return Video.BorderStyle(); }
    void BackStyle(int16_t v);
    int16_t BorderStyle() const noexcept { return borderStyle_; }

    void PauseAMovie();
    void ContinuePlay();
    // Opens Filename afresh and plays it from the start, stretched over the Video box.
    void PlayAMovie();
    void MovieSeek(double SeekTime);
    void SetMediaBalance(int32_t balance);  // -10000 left to 10000 right
    void SetMediaVolume(int32_t volume);    // 0 full to -10000 silent
    void StopAMovie();

    // The Boolean is set before the event is raised and never read back. DblClick (a double-click
    // on the video) is the container's event of every control.
    rt::Event<bool&> OnUserStop;
    rt::Event<bool&> OnUserPause;
    rt::Event<bool&> OnFinished;
    rt::Event<bool&> movierun;

    rt::PictureBox Video{*this, "Video"};
    rt::Timer StateTimer{*this, "StateTimer"};

protected:
    void UserControl_Initialize() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Resize() override;

private:
    struct Graph;
    static const rt::PropertyTable<QuendelActiveMovie>& Properties();
    void wire();
    void ApplyBorderStyle(int16_t v);
    void Raise(const rt::Event<bool&>& event, bool value);
    void OpenMovieGraph(const std::string& path, bool fitToHeight, bool fullScreen);
    void HaltMovieGraph();
    void CloseMovieGraph();
    void PollMovieGraph();

    std::unique_ptr<Graph> graph_;
    struct Settings {
        VANTREL_PROPERTY_FIELDS(VANTREL_MOVIE_PROPERTIES)
    } settings_;
    int16_t borderStyle_ = 1;
};

}  // namespace controls
