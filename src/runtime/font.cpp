#include "runtime/font.h"

#include <vector>

#include "runtime/error.h"

namespace rt {

struct Font::State {
    std::string name = "MS Sans Serif";
    float size = 8.25f;
    int16_t weight = 400;
    bool italic = false, underline = false, strike = false;
    int16_t charset = DEFAULT_CHARSET;
    mutable FontHandle handle;
    std::vector<std::pair<int, std::function<void()>>> listeners;
    int nextId = 1;
};

Font::Font() : s_(std::make_shared<State>()) {}
Font::Font(std::string name, float size, bool bold, bool italic) : Font() {
    s_->name = std::move(name);
    s_->size = size;
    s_->weight = bold ? 700 : 400;
    s_->italic = italic;
}

const std::string& Font::Name() const {
    return s_->name;
}
void Font::Name(const std::string& name) {
    s_->name = name;
    changed();
}
float Font::Size() const {
    return s_->size;
}
void Font::Size(float points) {
    if (!(points > 0) || points > 2160) Raise(errInvalidPropertyValue, "Font");
    s_->size = points;
    changed();
}
bool Font::Bold() const {
    return s_->weight >= 600;
}
void Font::Bold(bool v) {
    s_->weight = v ? 700 : 400;
    changed();
}
bool Font::Italic() const {
    return s_->italic;
}
void Font::Italic(bool v) {
    s_->italic = v;
    changed();
}
bool Font::Underline() const {
    return s_->underline;
}
void Font::Underline(bool v) {
    s_->underline = v;
    changed();
}
bool Font::Strikethrough() const {
    return s_->strike;
}
void Font::Strikethrough(bool v) {
    s_->strike = v;
    changed();
}
int16_t Font::Weight() const {
    return s_->weight;
}
void Font::Weight(int16_t v) {
    s_->weight = v;
    changed();
}
int16_t Font::Charset() const {
    return s_->charset;
}
void Font::Charset(int16_t v) {
    s_->charset = v;
    changed();
}

HFONT Font::Handle() const {
    if (!s_->handle) {
        LOGFONTA lf{};
        int dpi = 96;
        if (ScreenDC dc; dc) dpi = GetDeviceCaps(dc.get(), LOGPIXELSY);
        lf.lfHeight = -RoundEven(s_->size * dpi / 72.0);
        lf.lfWeight = s_->weight;
        lf.lfItalic = s_->italic;
        lf.lfUnderline = s_->underline;
        lf.lfStrikeOut = s_->strike;
        lf.lfCharSet = static_cast<BYTE>(s_->charset);
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(lf.lfFaceName, s_->name.c_str(), LF_FACESIZE);
        s_->handle.reset(CreateFontIndirectA(&lf));
    }
    return s_->handle.get();
}

Font Font::Clone() const {
    Font f;
    f.s_->name = s_->name;
    f.s_->size = s_->size;
    f.s_->weight = s_->weight;
    f.s_->italic = s_->italic;
    f.s_->underline = s_->underline;
    f.s_->strike = s_->strike;
    f.s_->charset = s_->charset;
    return f;
}

void Font::changed() {
    s_->handle.reset();
    // A listener may end its own subscription; walk a copy.
    auto listeners = s_->listeners;
    for (auto& [id, fn] : listeners)
        if (fn) fn();
}

Font::Subscription Font::OnChange(std::function<void()> listener) const {
    Subscription sub;
    int id = s_->nextId++;
    s_->listeners.emplace_back(id, std::move(listener));
    sub.state_ = s_;
    sub.id_ = id;
    return sub;
}

Font::Subscription& Font::Subscription::operator=(Subscription&& o) noexcept {
    if (this != &o) {
        this->~Subscription();
        state_ = std::move(o.state_);
        id_ = std::exchange(o.id_, 0);
    }
    return *this;
}

Font::Subscription::~Subscription() {
    if (auto s = state_.lock()) {
        auto& l = s->listeners;
        for (auto it = l.begin(); it != l.end(); ++it)
            if (it->first == id_) {
                l.erase(it);
                break;
            }
    }
    state_.reset();
}

}  // namespace rt
