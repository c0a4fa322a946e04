#pragma once

#include "toolkit/WAYWindow.h"

#include <string>
#include <string_view>

namespace qtk {

// The WAYWindow the facade hands out. Operations that only the self-drawn title-bar window
// has (the shell sends setCloseButton: to either) are answered by a no-op that logs a warning
// instead of failing.
class WAYDefensiveWindow : public WAYWindow {
    Q_OBJECT
public:
    explicit WAYDefensiveWindow(
        const qcore::SystemVersion& profile = qcore::SystemVersion::current());

    // Whether `selector` is answered by the logging no-op; the answer is added once per
    // selector and kept for the process.
    static bool resolveInstanceMethod(std::string_view selector);
    static bool hasResolvedMethod(std::string_view selector);

protected:
    bool resolveOperation(std::string_view selector) override;
    void performResolvedOperation(std::string_view selector) override;
};

// The body of every resolved operation: logs and does nothing else.
void WAYDefensiveWindowNoOp(const WAYDefensiveWindow& receiver, std::string_view selector);

} // namespace qtk
