#pragma once
// The guard around the program's code where Qt calls it (events, signals, callbacks). Qt's
// widget libraries are built without exception support, so no exception may unwind through
// them: the guard catches whatever escapes and hands it to the application object once the
// outermost handler has returned, and the program goes on.

#include <exception>
#include <type_traits>

namespace rt::detail {

// Marks program code running (a handler, a yield, a modal dialog). Windows closed meanwhile
// are destroyed only once no such scope is active any more.
class HandlerScope {
public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};
int HandlerDepth();

// Ends a guarded call: keeps `failure` (when there is one) until no program code runs any more,
// then reports the first failure kept to the application object.
void EndGuarded(std::exception_ptr failure) noexcept;

// Runs `body` inside a HandlerScope; returns what it returns, or a default value when it threw.
template <class Body> auto Guarded(Body&& body) noexcept -> std::invoke_result_t<Body&> {
    using Result = std::invoke_result_t<Body&>;
    std::exception_ptr failure;
    if constexpr (std::is_void_v<Result>) {
        try {
            HandlerScope scope;
            body();
        } catch (...) {
            failure = std::current_exception();
        }
        EndGuarded(failure);
    } else {
        Result result{};
        try {
            HandlerScope scope;
            result = body();
        } catch (...) {
            failure = std::current_exception();
        }
        EndGuarded(failure);
        return result;
    }
}

} // namespace rt::detail
