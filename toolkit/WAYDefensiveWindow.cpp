#include "toolkit/WAYDefensiveWindow.h"

#include "platform/core/Log.h"
#include "toolkit/KLAppStoreWindow.h"

#include <set>

namespace qtk {

namespace {

std::set<std::string, std::less<>>& resolvedSelectors() {
    static std::set<std::string, std::less<>> selectors;
    return selectors;
}

} // namespace

WAYDefensiveWindow::WAYDefensiveWindow(const qcore::SystemVersion& profile) : WAYWindow(profile) {}

bool WAYDefensiveWindow::resolveInstanceMethod(std::string_view selector) {
    if (hasResolvedMethod(selector)) return true;
    if (KLAppStoreWindow::instancesRespondTo(selector) &&
        !WAYWindow::instancesRespondTo(selector)) {
        resolvedSelectors().emplace(selector);
        return true;
    }
    return false;
}

bool WAYDefensiveWindow::hasResolvedMethod(std::string_view selector) {
    return resolvedSelectors().contains(selector);
}

bool WAYDefensiveWindow::resolveOperation(std::string_view selector) {
    return resolveInstanceMethod(selector) || WAYWindow::resolveOperation(selector);
}

void WAYDefensiveWindow::performResolvedOperation(std::string_view selector) {
    if (hasResolvedMethod(selector)) WAYDefensiveWindowNoOp(*this, selector);
}

void WAYDefensiveWindowNoOp(const WAYDefensiveWindow& receiver, std::string_view selector) {
    std::string_view superclass = receiver.metaObject()->superClass()->className();
    if (const auto colons = superclass.rfind("::"); colons != std::string_view::npos)
        superclass.remove_prefix(colons + 2);
    qcore::log("WARNING: Instances of '", superclass, "' do not implement ", selector,
               "; yet. Prevented an exception for sending unrecognized selector.");
}

} // namespace qtk
