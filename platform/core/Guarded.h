#pragma once

#include "platform/core/Log.h"

#include <exception>
#include <string_view>
#include <utility>

namespace qcore {

// Runs `work` where an escaping exception would end the process (a worker thread, a timer, a
// notification handler, a call handed to the main thread): the exception is logged with
// `context` and the caller goes on. False when the work threw.
template <typename Work> bool runGuarded(std::string_view context, Work&& work) noexcept {
    const char* what = "unknown exception";
    try {
        std::forward<Work>(work)();
        return true;
    } catch (const std::exception& error) {
        what = error.what();
    } catch (...) {
    }
    try {
        log(context, " failed: ", what);
    } catch (...) {
        // Logging needs memory too; with none left there is nothing more to do.
    }
    return false;
}

} // namespace qcore
