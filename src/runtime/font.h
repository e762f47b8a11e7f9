// The standard font object: a font description shared by reference. Controls that were given the
// same Font see a change at once (each owner subscribes and repaints); Clone makes an independent
// copy, as a new array member gets from its template.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "runtime/win.h"

namespace rt {

class Font {
public:
    struct State;  // the shared description

    Font();  // "MS Sans Serif", 8.25 points, regular
    Font(std::string name, float size, bool bold = false, bool italic = false);

    const std::string& Name() const;
    void Name(const std::string& name);
    float Size() const;
    void Size(float points);  // raises 380 for sizes not above 0 or beyond 2160 points
    bool Bold() const;
    void Bold(bool v);
    bool Italic() const;
    void Italic(bool v);
    bool Underline() const;
    void Underline(bool v);
    bool Strikethrough() const;
    void Strikethrough(bool v);
    int16_t Weight() const;
    void Weight(int16_t v);  // 400 regular, 700 bold; Bold follows it
    int16_t Charset() const;
    void Charset(int16_t v);

    // A font handle for the screen, made on demand and kept until the description changes.
    HFONT Handle() const;
    Font Clone() const;
    bool SameObject(const Font& other) const noexcept { return s_ == other.s_; }

    // Change notification for the font's owners; the subscription ends with the returned token.
    class Subscription {
    public:
        Subscription() = default;
        Subscription(Subscription&&) noexcept = default;
        Subscription& operator=(Subscription&& o) noexcept;
        ~Subscription();

    private:
        friend class Font;
        std::weak_ptr<Font::State> state_;
        int id_ = 0;
    };
    Subscription OnChange(std::function<void()> listener) const;

private:
    void changed();
    std::shared_ptr<State> s_;
};

}  // namespace rt
