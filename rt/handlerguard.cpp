#include "rt/handlerguard.h"

#include <utility>

#include "rt/application.h"

namespace rt::detail {

namespace {

// The first failure of the running command, kept until its outermost handler returns.
std::exception_ptr keptFailure;
// While a failure is being reported, further ones (a paint behind the message, say) are dropped.
bool reporting = false;

} // namespace

void EndGuarded(std::exception_ptr failure) noexcept {
    if (failure && !keptFailure && !reporting)
        keptFailure = std::move(failure);
    if (!keptFailure || HandlerDepth() > 0 || reporting)
        return;
    const std::exception_ptr reported = std::exchange(keptFailure, nullptr);
    reporting = true;
    try {
        Application::ReportUnhandledException(reported);
    } catch (...) {
        // Nothing is left to tell the user with.
    }
    reporting = false;
}

} // namespace rt::detail
