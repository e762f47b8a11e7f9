// The page timer: an invisible page object that counts the seconds of the clock from the moment it
// is given a target, so that the main window can run the object's actions when the count reaches
// the target. It is made of four platform controls: the target in a text box that is never shown,
// the count and the last clock reading in two labels, and the tick clock.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/controls.h"
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"

namespace controls {

// The stored properties, all kept by the constituents (see runtime/property_list.h). Reading
// "Text" starts the ticks as setting it does; the "Interval" read afterwards replaces whatever
// interval that gave.
// clang-format off
#define VANTREL_TIMER_PROPERTIES(X)                                                                \
    X(Relay, const std::string&, Text, [](auto& t) { return t.int0.Text(); },                      \
      [](auto& t, std::string v) {                                                                 \
          t.int0.Text(std::move(v));                                                               \
          t.Start();                                                                               \
      },                                                                                           \
      std::string("0"), std::string("0"))                                                          \
    X(Relay, const std::string&, Caption, [](auto& t) { return t.ca.Caption(); },                  \
      [](auto& t, std::string v) { t.ca.Caption(v); }, std::string("0"), std::string("0"))         \
    X(Via, int32_t, Interval, [](auto& t) { return static_cast<int32_t>(t.Timer1.Interval()); },   \
      [](auto& t, int32_t v) { rt::Try([&] { t.Timer1.Interval(v); }); }, int32_t{0}, int32_t{0})
// clang-format on

class timer : public rt::UserControl {
public:
    timer(rt::Container& c, std::string name, int index = -1,
          std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    timer(const timer& templ, int index);

    // The target; a number above 0 starts the ticks at 100 ms (anything else changes nothing).
    std::string Text() const { return int0.Text(); }
    // The count so far; setting it does not count.
    const std::string& Caption() const noexcept { return ca.Caption(); }
    // Milliseconds between ticks; 0 stops them.
    int32_t Interval() const noexcept { return static_cast<int32_t>(Timer1.Interval()); }
    void Interval(int32_t v);

    // The setters of Text and Caption, from their lines.
    VANTREL_PROPERTY_ACCESSORS(VANTREL_TIMER_PROPERTIES)

    rt::Event<> Timer;  // at the start of every tick, before the count moves

    rt::TextBox int0{*this, "int0"};
    rt::Label ca{*this, "ca"};
    rt::Label l{*this, "l"};
    rt::Timer Timer1{*this, "Timer1"};

protected:
    void UserControl_Initialize() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;

private:
    static const rt::PropertyTable<timer>& Properties();
    void wire();
    void Start();
    void Timer1_Timer();
};

}  // namespace controls
