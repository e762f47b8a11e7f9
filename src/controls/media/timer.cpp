#include "controls/media/timer.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "runtime/convert.h"
#include "runtime/error.h"

namespace controls {

namespace {

constexpr int kTickInterval = 100;

// The clock's time of day in whole seconds: the text changes exactly when the second does.
std::string ClockReading() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
    return text;
}

}  // namespace

timer::timer(rt::Container& c, std::string name, int index, std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowed, std::move(stored)) {
    wire();
    Create();
}

timer::timer(const timer& t, int index) : UserControl(t, index), Timer(t.Timer) {
    wire();
    Create();
}

void timer::wire() {
    Timer1.Interval(0);
    Timer1.TimerEvent = [this](int) { Timer1_Timer(); };
}

void timer::UserControl_Initialize() {
    int0.Visible(false);
    int0.Text("0");
    ca.Caption("0");
    l.Caption("Label1");
}

VANTREL_PROPERTY_TABLE(timer, VANTREL_TIMER_PROPERTIES)

void timer::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    Properties().ReadAll(*this, PropBag);
}

void timer::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    Properties().WriteAll(*this, PropBag);
}

void timer::Start() {
    double target = 0;
    if (!rt::Try([&] { target = rt::TextToDouble(int0.Text()); })) return;
    if (target > 0) Timer1.Interval(kTickInterval);
}

void timer::Interval(int32_t v) {
    Timer1.Interval(v);
    PropertyChanged("Interval");
}

void timer::Timer1_Timer() {
    RaiseEvent(Timer);
    const std::string reading = ClockReading();
    const bool changed = reading != l.Caption();
    l.Caption(reading);
    if (changed)
        rt::Try([&] { ca.Caption(rt::Str(static_cast<int64_t>(rt::TextToInt32(ca.Caption()) + 1))); });
}

}  // namespace controls
