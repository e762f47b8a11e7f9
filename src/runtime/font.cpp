#include "runtime/font.h"

#include <deque>
#include <map>
#include <tuple>
#include <vector>

#include "runtime/error.h"
#include "runtime/font_batch.h"
#include "runtime/screen_metrics.h"

namespace rt {

namespace {

int ScreenDpi() {
    return ScreenMetrics::Get().dpiY;
}

using FontKey = std::tuple<std::string, LONG, LONG, BYTE, BYTE, BYTE, BYTE>;

// One platform font, shared by every Font object whose description gives the same key.
struct SharedHandle {
    FontHandle handle;
};

struct HandleCache {
    std::map<FontKey, std::weak_ptr<SharedHandle>> fonts;
    // The fonts made last stay a while after their last user goes: controls that put a fresh copy
    // of a font in place (on each read of their settings, say) find the platform font still there.
    static constexpr size_t kKept = 16;
    std::deque<std::shared_ptr<SharedHandle>> recent;
};
HandleCache& Cache() {
    static HandleCache cache;
    return cache;
}

}  // namespace

struct Font::State {
    std::string name = "MS Sans Serif";
    float size = 8.25f;
    int16_t weight = 400;
    bool italic = false, underline = false, strike = false;
    int16_t charset = DEFAULT_CHARSET;
    mutable std::shared_ptr<SharedHandle> handle;
    std::vector<std::pair<int, std::function<void()>>> listeners;
    int nextId = 1;
};

namespace {
// The fonts changed while a FontChangeBatch lives, in the order of their first change.
struct Batches {
    int depth = 0;
    std::vector<std::weak_ptr<Font::State>> pending;
};
Batches& Pending() {
    static Batches b;
    return b;
}
}  // namespace

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
        lf.lfHeight = -RoundEven(s_->size * ScreenDpi() / 72.0);
        lf.lfWeight = s_->weight;
        lf.lfItalic = s_->italic;
        lf.lfUnderline = s_->underline;
        lf.lfStrikeOut = s_->strike;
        lf.lfCharSet = static_cast<BYTE>(s_->charset);
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(lf.lfFaceName, s_->name.c_str(), LF_FACESIZE);
        const FontKey key{lf.lfFaceName,  lf.lfHeight,    lf.lfWeight, lf.lfItalic,
                          lf.lfUnderline, lf.lfStrikeOut, lf.lfCharSet};
        HandleCache& cache = Cache();
        auto found = cache.fonts.find(key);
        if (found != cache.fonts.end()) s_->handle = found->second.lock();
        if (!s_->handle) {
            // Forget the fonts that went since, so that the cache stays as small as the fonts in use.
            for (auto it = cache.fonts.begin(); it != cache.fonts.end();)
                it = it->second.expired() ? cache.fonts.erase(it) : std::next(it);
            auto shared = std::make_shared<SharedHandle>();
            shared->handle.reset(CreateFontIndirectA(&lf));
            if (!shared->handle) return nullptr;
            cache.fonts[key] = shared;
            cache.recent.push_back(shared);
            if (cache.recent.size() > HandleCache::kKept) cache.recent.pop_front();
            s_->handle = std::move(shared);
        }
    }
    return s_->handle->handle.get();
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
    Batches& batches = Pending();
    if (batches.depth > 0) {
        for (const auto& p : batches.pending)
            if (p.lock() == s_) return;
        batches.pending.push_back(s_);
        return;
    }
    // A listener may end its own subscription; walk a copy.
    auto listeners = s_->listeners;
    for (auto& [id, fn] : listeners)
        if (fn) fn();
}

FontChangeBatch::FontChangeBatch() {
    ++Pending().depth;
}

FontChangeBatch::~FontChangeBatch() {
    Batches& batches = Pending();
    if (--batches.depth > 0) return;
    std::vector<std::weak_ptr<Font::State>> changed = std::move(batches.pending);
    batches.pending.clear();
    for (const auto& weak : changed) {
        const std::shared_ptr<Font::State> s = weak.lock();
        if (!s) continue;
        auto listeners = s->listeners;
        for (auto& [id, fn] : listeners) {
            // The owners repaint; a failing one must not escape a destructor.
            try {
                if (fn) fn();
            } catch (...) {
            }
        }
    }
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
