// A shown form that holds the controls under test, one array of each, and pixel helpers.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>

#include "controls/chrome/EtsLinkLabel.h"
#include "controls/chrome/Scroll.h"
#include "controls/chrome/bsGradientLabel.h"
#include "controls/chrome/pcsScrollbar.h"
#include "controls/common/main_window_link.h"
#include "runtime/control_array.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "runtime/ui.h"
#include "support/handle_growth.h"
#include "support/host_form.h"

namespace labelstest {

class LabelsForm : public testsupport::HostForm {
public:
    LabelsForm() : HostForm("LabelsForm", 7500, 6000) {}  // 500 x 400 pixels
    // The templates are new controls: nothing stored.
    rt::ControlArray<controls::bsGradientLabel> grad{*this, "grad"};
    rt::ControlArray<controls::EtsLinkLabel> link{*this, "link"};
    rt::ControlArray<controls::Scroll> marquee{*this, "marquee"};
    rt::ControlArray<controls::pcsScrollbar> bar{*this, "bar"};
};

class Labels : public ::testing::Test {
protected:
    void SetUp() override {
        form = &rt::Load<LabelsForm>();
        form->Show();
        rt::DoEvents();
    }
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
        rt::FlushDeferred();
        controls::MainWindow() = {};
    }
    // Pixels in twips, as the containers place controls.
    static double Tw(int pixels) { return pixels * 15.0; }

    LabelsForm* form = nullptr;
};

inline int R(COLORREF c) {
    return GetRValue(c);
}
inline int G(COLORREF c) {
    return GetGValue(c);
}
inline int B(COLORREF c) {
    return GetBValue(c);
}

// Runs the message loop for a while.
inline void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        rt::DoEvents();
        Sleep(5);
    }
}

// Runs a round (a repaint and a member loaded and unloaded; i counts the rounds) 200 times after
// a warm-up and expects no more live handles at the end than after the warm-up.
inline void ExpectNoHandleGrowth(const std::function<void(int)>& round) {
    testsupport::ExpectNoHandleGrowth(
        [&](int times) {
            for (int i = 0; i < times; ++i) {
                round(i);
                rt::FlushDeferred();
            }
            rt::DoEvents();
        },
        3, 200);
}

}  // namespace labelstest
