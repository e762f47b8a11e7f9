// The screen's pixels per inch and colour depth, asked of the platform once: they hold while the
// program runs, and each question costs a read of the display's configuration.
#pragma once

namespace rt {

struct ScreenMetrics {
    int dpiX = 96, dpiY = 96;
    int bitsPerPixel = 32;
    static const ScreenMetrics& Get();
};

}  // namespace rt
