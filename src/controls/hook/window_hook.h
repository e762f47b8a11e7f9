// Window message hook: lets an object (the owner) see chosen messages of a window of its own
// process before and/or after the window's own procedure, and keep the window's procedure from
// seeing a message at all.
//
// Built on the runtime's window subclassing (rt::SubclassWindow): one shared subclass procedure
// finds its record through the subclass reference data, so no code is generated at run time and
// several owners can hook one window and unhook it in any order. Each owner holds one WindowHook;
// the hook calls the owner back through the HookClient interface.
//
// Release is deferred: a record that is unhooked while one of its messages is still being
// dispatched stays installed (forwarding only) until that dispatch has unwound, so an owner may
// unhook from inside its own callback, and a window destroyed from inside a callback is safe.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace controls {

// The owner's callback. bBefore: the before table matched (else the after table). Setting
// bHandled in the before call keeps the window's procedure and the after call from running;
// lReturn is what the window's procedure answered so far and what the window will answer.
// hWnd, uMsg, wParam and lParam are copies unless the hook passes them by reference
// (HookArgs::ByReference), where changes made in the before call reach the window's procedure.
class HookClient {
public:
    virtual void HookProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& hWnd, UINT& uMsg,
                          WPARAM& wParam, LPARAM& lParam, int32_t& userValue) = 0;

protected:
    ~HookClient() = default;
};

// One failure of the hook, as the owner's type name, the routine and the message.
struct HookError {
    std::string ownerType;
    std::string routine;
    std::string message;

    std::string Title() const { return "Error in " + ownerType + "." + routine; }
    std::string Text() const { return message + "."; }
    std::string LogEntry() const { return ownerType + "." + routine + ": " + message; }
};
using HookErrorReporter = std::function<void(const HookError&)>;

// Standard: errors go to the process-wide reporter (an event-log entry and a warning message
// box unless replaced). Silent: errors are discarded.
enum class HookReporting { Standard, Silent };
enum class HookArgs { ByValue, ByReference };

class WindowHook {
public:
    static constexpr UINT ALL_MESSAGES = 0xFFFFFFFFu;
    static constexpr int MSG_ENTRIES = 32;
    // "when" masks of HookAddMessage / HookDeleteMessage
    static constexpr int MSG_BEFORE = 1;
    static constexpr int MSG_AFTER = 2;
    static constexpr int MSG_BEFORE_AND_AFTER = 3;

    // ownerType names the owner in error reports; self is the owner's own callback (may be null
    // when the owner has none, in which case every start without a callback owner fails).
    WindowHook(std::string ownerType, HookClient* self, HookReporting reporting = HookReporting::Standard,
               HookArgs args = HookArgs::ByValue);
    ~WindowHook();
    WindowHook(const WindowHook&) = delete;
    WindowHook& operator=(const WindowHook&) = delete;

    // Starts hooking one window; callbackOwner null means the owner itself. True when hooked.
    bool sc_Subclass(HWND hWnd, int32_t userValue = 0, HookClient* callbackOwner = nullptr);
    void sc_UnSubclass(HWND hWnd);
    void HookTerminate();

    void HookAddMessage(HWND hWnd, UINT uMsg, int when);
    void HookDeleteMessage(HWND hWnd, UINT uMsg, int when);
    // Calls the window's previous procedure directly; 0 when the window is not hooked.
    LRESULT HookCallOriginal(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    int32_t HookUserValue(HWND hWnd);
    void HookUserValue(HWND hWnd, int32_t value);

    bool IsHooked(HWND hWnd) const;

    // Replaces the process-wide reporter of HookReporting::Standard hooks; an empty function
    // brings back the built-in one. Returns the reporter that was in place.
    static HookErrorReporter SetStandardReporter(HookErrorReporter reporter);

private:
    struct MessageTable {
        int32_t count = 0;                      // -1: every message
        std::array<UINT, MSG_ENTRIES> slots{};  // 0: a hole left by a deletion
    };
    struct HookRecord {
        int32_t depth = 0;  // calls of the previous procedure in progress
        int32_t busy = 0;   // dispatches of this record in progress
        bool releasePending = false;
        HWND hWnd = nullptr;
        WindowHook* hook = nullptr;  // the registry holding the record; null once released
        HookClient* client = nullptr;
        MessageTable before, after;
        int32_t userValue = 0;
    };

    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR uIdSubclass, DWORD_PTR dwRefData);
    static bool Matches(const MessageTable& table, UINT uMsg);
    static void Finish(HookRecord* record);
    // Records released while still dispatching; freed by the dispatch when it unwinds.
    static std::vector<std::unique_ptr<HookRecord>>& Detached();

    HookRecord* zMap_hWnd(HWND hWnd);
    bool zAddMsg(UINT uMsg, MessageTable& table);
    void zDelMsg(UINT uMsg, MessageTable& table);
    void Release(HookRecord* record);
    void HookReportError(const char* routine, const std::string& message) const;

    std::string ownerType_;
    HookClient* self_;
    HookReporting reporting_;
    HookArgs args_;
    bool registry_ = false;
    std::vector<std::unique_ptr<HookRecord>> records_;  // in registration order
};

// Whether the module exports the function; a module not yet loaded is loaded for the question
// and unloaded again.
bool ExportExists(const char* functionName, const char* moduleName);

// Asks the platform for one WM_MOUSELEAVE when the pointer leaves the window.
void StartLeaveTracking(HWND hWnd);

}  // namespace controls
