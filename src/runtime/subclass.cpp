#include "runtime/subclass.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace rt {

namespace {

struct Entry {
    SUBCLASSPROC proc;
    UINT_PTR id;
    DWORD_PTR data;
    bool removed = false;
};
using Entries = std::vector<std::shared_ptr<Entry>>;

struct Chain {
    WNDPROC original = nullptr;
    bool unicode = false;
    Entries entries;    // the one added last first
    int running = 0;    // messages of the window being handled now
    bool gone = false;  // WM_NCDESTROY has passed
};

// One message on its way down a window's chain. Procedures added or removed while it travels do
// not change the procedures it meets, except that a removed one is skipped.
struct Frame {
    HWND hwnd;
    Entries entries;
    size_t next = 0;
    WNDPROC original;
    bool unicode;
    Frame* outer;
};

thread_local std::unordered_map<HWND, std::unique_ptr<Chain>> chains;
thread_local Frame* innermost = nullptr;

LRESULT CALLBACK ChainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

LRESULT CallOriginal(WNDPROC original, bool unicode, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (!original) return unicode ? DefWindowProcW(hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
    return unicode ? CallWindowProcW(original, hwnd, msg, wp, lp)
                   : CallWindowProcA(original, hwnd, msg, wp, lp);
}

// Gives the window its own procedure back when nothing is left on the chain (or the window is
// going), if no later subclassing stands on top of the chain; otherwise the chain stays, passing
// messages straight through, until the window goes.
void Settle(HWND hwnd) {
    auto it = chains.find(hwnd);
    if (it == chains.end()) return;
    Chain& chain = *it->second;
    if (chain.running > 0 || (!chain.gone && !chain.entries.empty())) return;
    const LONG_PTR ours = reinterpret_cast<LONG_PTR>(&ChainProc);
    const LONG_PTR now =
        chain.unicode ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC) : GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    if (now == ours) {
        const LONG_PTR original = reinterpret_cast<LONG_PTR>(chain.original);
        chain.unicode ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, original)
                      : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, original);
    } else if (!chain.gone) {
        return;
    }
    chains.erase(it);
}

LRESULT CALLBACK ChainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto it = chains.find(hwnd);
    if (it == chains.end())
        return IsWindowUnicode(hwnd) ? DefWindowProcW(hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
    Chain& chain = *it->second;
    Frame frame{hwnd, chain.entries, 0, chain.original, chain.unicode, innermost};
    innermost = &frame;
    ++chain.running;
    struct Leave {
        Frame& frame;
        Chain& chain;
        UINT msg;
        ~Leave() {
            innermost = frame.outer;
            --chain.running;
            if (msg == WM_NCDESTROY) {
                chain.gone = true;
                for (auto& e : chain.entries) e->removed = true;
                chain.entries.clear();
            }
            Settle(frame.hwnd);
        }
    } leave{frame, chain, msg};
    return CallNextSubclass(hwnd, msg, wp, lp);
}

}  // namespace

bool SubclassWindow(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    if (!proc || !IsWindow(hwnd)) return false;
    auto& slot = chains[hwnd];
    if (!slot) {
        auto chain = std::make_unique<Chain>();
        chain->unicode = IsWindowUnicode(hwnd) != FALSE;
        const LONG_PTR ours = reinterpret_cast<LONG_PTR>(&ChainProc);
        SetLastError(0);
        const LONG_PTR original = chain->unicode ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, ours)
                                                 : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, ours);
        if (!original && GetLastError() != 0) {
            chains.erase(hwnd);
            return false;
        }
        chain->original = reinterpret_cast<WNDPROC>(original);
        slot = std::move(chain);
    }
    if (slot->gone) return false;
    for (auto& e : slot->entries) {
        if (e->proc == proc && e->id == id) {
            e->data = data;
            return true;
        }
    }
    slot->entries.insert(slot->entries.begin(), std::make_shared<Entry>(Entry{proc, id, data}));
    return true;
}

bool UnsubclassWindow(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id) {
    auto it = chains.find(hwnd);
    if (it == chains.end()) return false;
    Entries& entries = it->second->entries;
    for (auto e = entries.begin(); e != entries.end(); ++e) {
        if ((*e)->proc == proc && (*e)->id == id) {
            (*e)->removed = true;
            entries.erase(e);
            Settle(hwnd);
            return true;
        }
    }
    return false;
}

LRESULT CallNextSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Frame* frame = innermost;
    while (frame && frame->hwnd != hwnd) frame = frame->outer;
    if (!frame) {
        // Not inside one of the window's procedures: straight to the window's own.
        auto it = chains.find(hwnd);
        if (it == chains.end()) return 0;
        return CallOriginal(it->second->original, it->second->unicode, hwnd, msg, wp, lp);
    }
    while (frame->next < frame->entries.size()) {
        const std::shared_ptr<Entry> e = frame->entries[frame->next++];
        if (e->removed) continue;
        return e->proc(hwnd, msg, wp, lp, e->id, e->data);
    }
    return CallOriginal(frame->original, frame->unicode, hwnd, msg, wp, lp);
}

}  // namespace rt
