// Handlers and object lifetime.
//
// Every event handler runs inside a HandlerScope. While any handler is running (also one that
// let the message loop run through DoEvents or a modal box further up the stack), objects that are
// unloaded are only detached: their window is hidden and they leave their array or the forms
// collection at once, but the object itself is destroyed when the outermost handler returns. So no
// object is destroyed inside its own handler, nor under a DoEvents that may still use it.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>

namespace rt {

class HandlerScope {
public:
    HandlerScope() noexcept;
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};

// True while some handler is on the stack.
bool InHandler() noexcept;

namespace detail {
struct Doomed {
    virtual ~Doomed() = default;
};
template <class T>
struct DoomedBox final : Doomed {
    explicit DoomedBox(std::unique_ptr<T> p) : object(std::move(p)) {}
    std::unique_ptr<T> object;
};
void Defer(std::unique_ptr<Doomed> doomed);
}  // namespace detail

// Destroys the object now, or when the outermost handler has returned.
template <class T>
void DestroyLater(std::unique_ptr<T> object) {
    if (object) detail::Defer(std::make_unique<detail::DoomedBox<T>>(std::move(object)));
}

// Destroys what was deferred, when no handler runs. The message loop calls it after each message.
void FlushDeferred();

// Every window procedure of the runtime runs inside a MessageScope. What is unloaded inside one is
// destroyed from the message loop afterwards (a posted message), never under a window procedure
// that may still be on the stack.
class MessageScope {
public:
    MessageScope() noexcept;
    ~MessageScope();
    MessageScope(const MessageScope&) = delete;
    MessageScope& operator=(const MessageScope&) = delete;
};

namespace detail {
// The runtime's hidden message window: the runtime's timers tick on it, deferred destruction is posted to it.
void* RuntimeWindow();
}  // namespace detail

}  // namespace rt
