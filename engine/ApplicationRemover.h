#pragma once

#include "engine/AppBundle.h"
#include "engine/LeftoverEntry.h"

#include <string>
#include <vector>

namespace qcore {
class ScriptTask;
}

namespace qengine {

// What an uninstallation did. The leftovers are only touched once the bundle is really gone.
struct UninstallOutcome {
    bool bundleRemoved = false;
    std::string bundleError;
    std::vector<std::string> removedLeftovers;
    std::vector<std::string> failedLeftovers;
};

// Removes an application bundle and then its leftovers, each one only when it still is what
// and where it was when found, and checks every removal's result.
class ApplicationRemover {
public:
    // The script handler that removes a bundle the user cannot remove himself.
    static constexpr const char* kScriptHandler = "setSafariURL";

    // The bundle, then (only when it is gone) each leftover in order.
    static UninstallOutcome removeBundleAndLeftovers(const AppBundle& bundle,
                                                     const std::vector<LeftoverEntry>& leftovers);
    // The same with the bundle removed by the application's script: it gets the bundle's path
    // as its one argument, and the bundle counts as removed only when the script succeeded and
    // nothing is left at that path.
    static UninstallOutcome removeThroughScript(qcore::ScriptTask& task, const AppBundle& bundle,
                                                const std::vector<LeftoverEntry>& leftovers);

    // The bundle, when it is still a real ".app" folder at its canonical path.
    static bool removeBundle(const AppBundle& bundle, std::string* error);
    // One leftover, when it is still in place (LeftoverFinder::isStillInPlace); a link is
    // removed as a link.
    static bool removeLeftover(const LeftoverEntry& entry);

private:
    static void removeLeftovers(const std::vector<LeftoverEntry>& leftovers,
                                UninstallOutcome& outcome);
};

} // namespace qengine
