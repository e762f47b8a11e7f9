#include "controls/hook/window_hook.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <new>
#include <utility>

#include "runtime/handles.h"
#include "runtime/subclass.h"

namespace controls {

namespace {

// The built-in report: an entry in the application event log and a warning message box.
void ReportToUser(const HookError& error) {
    if (HANDLE log = RegisterEventSourceA(nullptr, "Vantrel")) {
        std::string entry = error.LogEntry();
        const char* strings[] = {entry.c_str()};
        ReportEventA(log, EVENTLOG_ERROR_TYPE, 0, 0, nullptr, 1, 0, strings, nullptr);
        DeregisterEventSource(log);
    }
    MessageBoxA(nullptr, error.Text().c_str(), error.Title().c_str(), MB_OK | MB_ICONEXCLAMATION);
}

HookErrorReporter& StandardReporter() {
    static HookErrorReporter reporter = ReportToUser;
    return reporter;
}

std::string LastErrorNumber() {
    return std::to_string(GetLastError());
}

}  // namespace

WindowHook::WindowHook(std::string ownerType, HookClient* self, HookReporting reporting, HookArgs args)
    : ownerType_(std::move(ownerType)), self_(self), reporting_(reporting), args_(args) {}

WindowHook::~WindowHook() {
    HookTerminate();
}

HookErrorReporter WindowHook::SetStandardReporter(HookErrorReporter reporter) {
    HookErrorReporter previous = std::move(StandardReporter());
    StandardReporter() = reporter ? std::move(reporter) : HookErrorReporter(ReportToUser);
    return previous;
}

void WindowHook::HookReportError(const char* routine, const std::string& message) const {
    if (reporting_ == HookReporting::Silent) return;
    const HookErrorReporter& reporter = StandardReporter();
    if (reporter) reporter(HookError{ownerType_, routine, message});
}

std::vector<std::unique_ptr<WindowHook::HookRecord>>& WindowHook::Detached() {
    static std::vector<std::unique_ptr<HookRecord>> detached;
    return detached;
}

bool WindowHook::sc_Subclass(HWND hWnd, int32_t userValue, HookClient* callbackOwner) {
    const char* routine = "sc_Subclass";
    if (hWnd == nullptr || !IsWindow(hWnd)) {
        HookReportError(routine, "Invalid window handle");
        return false;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(hWnd, &process);
    if (process != GetCurrentProcessId()) {
        HookReportError(routine, "Window handle belongs to another process");
        return false;
    }
    HookClient* client = callbackOwner ? callbackOwner : self_;
    if (client == nullptr) {
        HookReportError(routine, "Callback method not found");
        return false;
    }
    registry_ = true;

    std::unique_ptr<HookRecord> record;
    try {
        record = std::make_unique<HookRecord>();
    } catch (const std::bad_alloc&) {
        HookReportError(routine, "VirtualAlloc failed, error: " + LastErrorNumber());
        return false;
    }
    if (IsHooked(hWnd)) {
        HookReportError(routine, "Window handle is already subclassed");
        return false;
    }
    record->hWnd = hWnd;
    record->hook = this;
    record->client = client;
    record->userValue = userValue;

    HookRecord* raw = record.get();
    if (!rt::SubclassWindow(hWnd, SubclassProc, reinterpret_cast<UINT_PTR>(raw),
                           reinterpret_cast<DWORD_PTR>(raw))) {
        HookReportError(routine, "SetWindowLong failed, error #" + LastErrorNumber());
        return false;
    }
    records_.push_back(std::move(record));
    return true;
}

void WindowHook::sc_UnSubclass(HWND hWnd) {
    if (!registry_) {
        HookReportError("sc_UnSubclass", "Window handle isn't subclassed");
        return;
    }
    if (HookRecord* record = zMap_hWnd(hWnd)) Release(record);
}

void WindowHook::HookTerminate() {
    if (!registry_) return;
    while (!records_.empty()) sc_UnSubclass(records_.back()->hWnd);
    registry_ = false;
}

bool WindowHook::IsHooked(HWND hWnd) const {
    return std::any_of(records_.begin(), records_.end(), [&](const auto& r) { return r->hWnd == hWnd; });
}

WindowHook::HookRecord* WindowHook::zMap_hWnd(HWND hWnd) {
    if (!registry_) {
        HookReportError("zMap_hWnd", "Subclassing hasn't been started");
        return nullptr;
    }
    for (auto& record : records_)
        if (record->hWnd == hWnd) return record.get();
    HookReportError("zMap_hWnd", "Window handle isn't subclassed");
    return nullptr;
}

// Unregisters the record and stops its callbacks. A record that is not dispatching goes at once;
// one that is waits in Detached() until its outermost dispatch returns.
void WindowHook::Release(HookRecord* record) {
    record->releasePending = true;
    record->before.count = 0;
    record->after.count = 0;
    record->hook = nullptr;
    auto it =
        std::find_if(records_.begin(), records_.end(), [&](const auto& r) { return r.get() == record; });
    if (it == records_.end()) return;
    std::unique_ptr<HookRecord> owned = std::move(*it);
    records_.erase(it);
    if (owned->busy > 0) {
        Detached().push_back(std::move(owned));
    } else {
        rt::UnsubclassWindow(owned->hWnd, SubclassProc, reinterpret_cast<UINT_PTR>(owned.get()));
    }
}

void WindowHook::Finish(HookRecord* record) {
    rt::UnsubclassWindow(record->hWnd, SubclassProc, reinterpret_cast<UINT_PTR>(record));
    auto& detached = Detached();
    auto it =
        std::find_if(detached.begin(), detached.end(), [&](const auto& r) { return r.get() == record; });
    if (it != detached.end()) detached.erase(it);
}

void WindowHook::HookAddMessage(HWND hWnd, UINT uMsg, int when) {
    if (HookRecord* record = zMap_hWnd(hWnd)) {
        if (when & MSG_BEFORE) zAddMsg(uMsg, record->before);
        if (when & MSG_AFTER) zAddMsg(uMsg, record->after);
    }
}

void WindowHook::HookDeleteMessage(HWND hWnd, UINT uMsg, int when) {
    if (HookRecord* record = zMap_hWnd(hWnd)) {
        if (when & MSG_BEFORE) zDelMsg(uMsg, record->before);
        if (when & MSG_AFTER) zDelMsg(uMsg, record->after);
    }
}

bool WindowHook::zAddMsg(UINT uMsg, MessageTable& table) {
    if (uMsg == ALL_MESSAGES) {
        table.count = -1;
        return true;
    }
    // A table that matched every message matches only the new one afterwards.
    if (table.count < 0) table.count = 0;
    if (table.count >= MSG_ENTRIES) {
        HookReportError("zAddMsg",
                        "Message table overflow. Either increase the value of Const MSG_ENTRIES or use "
                        "ALL_MESSAGES instead of specific message values");
        return false;
    }
    for (int32_t i = 0; i < table.count; ++i) {
        if (table.slots[i] == 0) {
            table.slots[i] = uMsg;
            return true;
        }
        if (table.slots[i] == uMsg) return true;
    }
    table.slots[table.count++] = uMsg;
    return true;
}

void WindowHook::zDelMsg(UINT uMsg, MessageTable& table) {
    if (uMsg == ALL_MESSAGES) {
        table.count = 0;
        return;
    }
    for (int32_t i = 0; i < table.count; ++i) {
        if (table.slots[i] == uMsg) {
            table.slots[i] = 0;
            return;
        }
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", uMsg);
    HookReportError("zDelMsg", std::string("Message &H") + hex + " not found in table");
}

bool WindowHook::Matches(const MessageTable& table, UINT uMsg) {
    if (table.count < 0) return true;
    if (uMsg == 0) return false;  // holes hold 0; they match nothing
    for (int32_t i = 0; i < table.count; ++i)
        if (table.slots[i] == uMsg) return true;
    return false;
}

LRESULT WindowHook::HookCallOriginal(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    HookRecord* record = zMap_hWnd(hWnd);
    if (record == nullptr) return 0;
    ++record->depth;
    LRESULT result = rt::CallNextSubclass(hWnd, uMsg, wParam, lParam);
    --record->depth;
    return result;
}

int32_t WindowHook::HookUserValue(HWND hWnd) {
    HookRecord* record = zMap_hWnd(hWnd);
    return record ? record->userValue : 0;
}

void WindowHook::HookUserValue(HWND hWnd, int32_t value) {
    if (HookRecord* record = zMap_hWnd(hWnd)) record->userValue = value;
}

LRESULT CALLBACK WindowHook::SubclassProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR dwRefData) {
    auto* record = reinterpret_cast<HookRecord*>(dwRefData);
    ++record->busy;

    bool handled = false;
    LRESULT lReturn = 0;
    HWND h = hWnd;
    UINT m = uMsg;
    WPARAM w = wParam;
    LPARAM l = lParam;
    const bool byReference = record->hook != nullptr && record->hook->args_ == HookArgs::ByReference;

    // An exception must not unwind through the platform's message dispatch.
    auto callBack = [&](bool before) {
        if (record->releasePending || record->client == nullptr) return;
        HWND ch = h;
        UINT cm = m;
        WPARAM cw = w;
        LPARAM cl = l;
        try {
            if (byReference)
                record->client->HookProc(before, handled, lReturn, h, m, w, l, record->userValue);
            else
                record->client->HookProc(before, handled, lReturn, ch, cm, cw, cl, record->userValue);
        } catch (...) {
        }
    };

    if (Matches(record->before, uMsg)) callBack(true);
    if (!handled) {
        ++record->depth;
        lReturn = byReference ? rt::CallNextSubclass(h, m, w, l) : rt::CallNextSubclass(hWnd, uMsg, wParam, lParam);
        --record->depth;
        if (Matches(record->after, uMsg)) callBack(false);
    }
    // The window is gone: its record goes with it.
    if (uMsg == WM_NCDESTROY && record->hook != nullptr) record->hook->Release(record);

    --record->busy;
    if (record->releasePending && record->busy == 0) Finish(record);
    return lReturn;
}

bool ExportExists(const char* functionName, const char* moduleName) {
    if (HMODULE loaded = GetModuleHandleA(moduleName)) return GetProcAddress(loaded, functionName) != nullptr;
    rt::Library module(LoadLibraryA(moduleName));
    return module && GetProcAddress(module.get(), functionName) != nullptr;
}

void StartLeaveTracking(HWND hWnd) {
    using TrackFn = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
    TRACKMOUSEEVENT request{};
    request.cbSize = sizeof request;
    request.dwFlags = TME_LEAVE;
    request.hwndTrack = hWnd;
    request.dwHoverTime = 0;
    if (HMODULE user = GetModuleHandleA("user32.dll")) {
        if (auto track =
                reinterpret_cast<TrackFn>(reinterpret_cast<void*>(GetProcAddress(user, "TrackMouseEvent")))) {
            track(&request);
            return;
        }
    }
    _TrackMouseEvent(&request);
}

}  // namespace controls
