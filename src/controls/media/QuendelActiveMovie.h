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
#include "runtime/property_table.h"
#include "runtime/usercontrol.h"

namespace controls {

class QuendelActiveMovie : public rt::UserControl {
public:
    QuendelActiveMovie(rt::Container& c, std::string name, int index = -1,
                       std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    QuendelActiveMovie(const QuendelActiveMovie& templ, int index);
    ~QuendelActiveMovie() override;

    bool VideoRun() const noexcept { return videoRun_; }
    void VideoRun(bool VideoRunIndex);
    // The path only: setting it opens and closes nothing.
    const std::string& Filename() const noexcept { return filename_; }
    void Filename(const std::string& FileNameStr);
    double FileLength() const noexcept { return fileLength_; }
    void FileLength(double FileLengthNum);
    double StartPosition() const noexcept { return startPosition_; }
    void StartPosition(double StartPositionNum);
    // While running, the graph's position, read afresh; otherwise 0 (also when paused).
    double CurrentPosition();
    void CurrentPosition(double CurrentPositionNum);
    int16_t BackStyle() const noexcept { return Video.BorderStyle(); }
    void BackStyle(int16_t v);
    int16_t BorderStyle() const noexcept { return borderStyle_; }
    void BorderStyle(int16_t v);

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
    std::string filename_;
    double fileLength_ = 0;
    double startPosition_ = 0;
    double currentPosition_ = 0;
    bool videoRun_ = false;
    int16_t borderStyle_ = 1;
};

}  // namespace controls
