#pragma once

#include "platform/core/Log.h"

#include <exception>
#include <string_view>
#include <utility>

namespace qcore {

// Logs a failure without letting the logging itself throw (it needs memory too).
inline void logGuardedFailure(std::string_view context, const char* what) noexcept {
    try {
        log(context, " failed: ", what);
    } catch (...) {
    }
}

// Runs `work` where an escaping exception would end the process (a worker thread, a timer, a
// notification handler, a call handed to the main thread): the exception is logged with
// `context`, while it is still alive, and the caller goes on. False when the work threw.
template <typename Work> bool runGuarded(std::string_view context, Work&& work) noexcept {
    try {
        std::forward<Work>(work)();
        return true;
    } catch (const std::exception& error) {
        logGuardedFailure(context, error.what());
    } catch (...) {
        logGuardedFailure(context, "unknown exception");
    }
    return false;
}

} // namespace qcore
