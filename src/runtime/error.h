// Run-time errors and the two ways a procedure treats a failing step.
//
// A failing step throws rt::RuntimeError (number, source, description). A procedure either
// skips failing steps (the step is abandoned, the next one runs) or stops silently (the first
// failure ends the procedure with no message). rt::Procedure carries the mode and can switch it
// half-way, as the page build does. Nothing else in the program uses exceptions for control flow.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace rt {

// Error numbers of the runtime, as the stored projects and the callers know them.
enum ErrorNumber : int32_t {
    errInvalidProcedureCall = 5,
    errOverflow = 6,
    errOutOfMemory = 7,
    errSubscriptOutOfRange = 9,
    errDivisionByZero = 11,
    errTypeMismatch = 13,
    errBadFileNameOrNumber = 52,
    errFileNotFound = 53,
    errBadFileMode = 54,
    errFileAlreadyOpen = 55,
    errDeviceIOError = 57,
    errFileAlreadyExists = 58,
    errInputPastEndOfFile = 62,
    errBadFileName = 64,
    errTooManyFiles = 67,
    errDeviceUnavailable = 68,
    errPermissionDenied = 70,
    errPathFileAccessError = 75,
    errPathNotFound = 76,
    errObjectVariableNotSet = 91,
    errResourceNotFound = 326,
    errControlArrayElementMissing = 340,
    errObjectAlreadyLoaded = 360,
    errCannotUnloadDesignControl = 362,
    errInvalidPropertyValue = 380,
    errPropertyReadOnly = 383,
    errInvalidPicture = 481,
    errCannotOpenClipboard = 521,
    errAutomation = 440,
    errObjectDoesNotSupport = 438,
    errCannotCreateObject = 429,
};

class RuntimeError : public std::exception {
public:
    RuntimeError(int32_t number, std::string source, std::string description)
        : number_(number), source_(std::move(source)), description_(std::move(description)) {}

    int32_t Number() const noexcept { return number_; }
    const std::string& Source() const noexcept { return source_; }
    const std::string& Description() const noexcept { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    int32_t number_;
    std::string source_;
    std::string description_;
};

// The runtime's own description of an error number ("Overflow", "Type mismatch", ...).
std::string ErrorDescription(int32_t number);

// Throws the run-time error; an empty description takes the runtime's own text for the number.
[[noreturn]] void Raise(int32_t number, std::string source = {}, std::string description = {});

// The last error that a skipping procedure swallowed (number 0: none since the last Clear).
struct ErrState {
    int32_t Number = 0;
    std::string Source;
    std::string Description;
    void Clear() { *this = ErrState{}; }
};
ErrState& Err();

// Turns whatever a step threw into a RuntimeError and records it in Err(). Out-of-memory and
// other standard exceptions count as failing steps too.
void RecordCurrentException();

enum class OnError {
    Stop,  // the first failing step ends the procedure silently
    Skip,  // a failing step is abandoned and the next one runs
};

// Thrown by a step in stop mode; Procedure::run catches it at the procedure's end.
struct ProcedureStopped {};

// Runs f; any failure is recorded and swallowed. For "every failing step is skipped" one-liners.
template <class F>
bool Try(F&& f) {
    try {
        std::forward<F>(f)();
        return true;
    } catch (const ProcedureStopped&) {
        throw;
    } catch (...) {
        RecordCurrentException();
        return false;
    }
}

class Procedure {
public:
    explicit Procedure(OnError mode) : mode_(mode) {}

    OnError mode() const noexcept { return mode_; }
    void switchTo(OnError mode) noexcept { mode_ = mode; }

    // Runs one step. Skip: a failure is recorded and swallowed; returns false when it failed.
    // Stop: a failure is recorded and ends the procedure (see run).
    template <class F>
    bool step(F&& f) {
        if (Try(std::forward<F>(f))) return true;
        if (mode_ == OnError::Stop) throw ProcedureStopped{};
        return false;
    }

    // Evaluates a condition as one step. When the evaluation itself fails in skip mode, the
    // condition counts as met, so the steps it guards run.
    template <class F>
    bool test(F&& f) {
        bool result = true;
        step([&] { result = static_cast<bool>(std::forward<F>(f)()); });
        return result;
    }

    // Runs a procedure body; a stop ends it silently. Returns false when it was stopped.
    template <class F>
    static bool run(OnError mode, F&& body) {
        Procedure proc(mode);
        try {
            std::forward<F>(body)(proc);
            return true;
        } catch (const ProcedureStopped&) {
            return false;
        }
    }

private:
    OnError mode_;
};

}  // namespace rt
