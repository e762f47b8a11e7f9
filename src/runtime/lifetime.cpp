#include "runtime/lifetime.h"

#include <windows.h>

#include <vector>

#include "runtime/window_class.h"

namespace rt {
namespace {
int depth = 0;         // handlers on the stack
int messageDepth = 0;  // window procedures of the runtime on the stack
bool flushPosted = false;
constexpr UINT kFlushMessage = WM_APP + 1;

std::vector<std::unique_ptr<detail::Doomed>>& Graveyard() {
    static std::vector<std::unique_ptr<detail::Doomed>> g;
    return g;
}

void DestroyNow() {
    // A destructor may defer more objects; destroy until nothing is left.
    while (!Graveyard().empty()) {
        auto batch = std::move(Graveyard());
        Graveyard().clear();
        ++depth;  // destructors that unload others only defer them
        batch.clear();
        --depth;
    }
}

void PostFlush() {
    if (flushPosted || Graveyard().empty()) return;
    flushPosted = PostMessageA(static_cast<HWND>(detail::RuntimeWindow()), kFlushMessage, 0, 0) != FALSE;
}

LRESULT CALLBACK RuntimeWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kFlushMessage) {
        flushPosted = false;
        if (depth == 0) DestroyNow();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}
}  // namespace

void* detail::RuntimeWindow() {
    static HWND hwnd = [] {
        RegisterWindowClass("VantrelRuntime", RuntimeWndProc);
        return CreateWindowExA(0, "VantrelRuntime", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }();
    return hwnd;
}

HandlerScope::HandlerScope() noexcept {
    ++depth;
}
HandlerScope::~HandlerScope() {
    if (--depth == 0) {
        if (messageDepth == 0)
            DestroyNow();
        else
            PostFlush();
    }
}

MessageScope::MessageScope() noexcept {
    ++messageDepth;
}
MessageScope::~MessageScope() {
    if (--messageDepth == 0 && depth == 0) PostFlush();
}

bool InHandler() noexcept {
    return depth > 0;
}

void detail::Defer(std::unique_ptr<Doomed> doomed) {
    Graveyard().push_back(std::move(doomed));
    if (depth == 0 && messageDepth == 0)
        DestroyNow();
    else
        PostFlush();
}

void FlushDeferred() {
    if (depth == 0 && messageDepth == 0) DestroyNow();
}

}  // namespace rt
