// Stand-in for the movie player control until the media controls arrive: the members the shell
// uses, without playback. The real control replaces this file.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/control.h"

class QuendelActiveMovie : public rt::Control {
public:
    QuendelActiveMovie(rt::Container& c, std::string name, int index = -1)
        : Control(c, std::move(name), index, Kind::Windowless) {
        Visible(false);
    }

    const std::string& Filename() const noexcept { return filename_; }
    void Filename(std::string path) { filename_ = std::move(path); }

    void PlayAMovie() {
        RaiseEvent(OnUserStop, false);
        RaiseEvent(OnUserPause, false);
        RaiseEvent(OnFinished, false);
        RaiseEvent(movierun, true);
    }
    void StopAMovie() {
        RaiseEvent(OnUserStop, true);
        RaiseEvent(OnFinished, false);
        RaiseEvent(OnUserStop, false);
    }
    void SetMediaVolume(int32_t) {}

    rt::Event<bool> OnUserStop;
    rt::Event<bool> OnUserPause;
    rt::Event<bool> OnFinished;
    rt::Event<bool> movierun;

private:
    std::string filename_;
};
