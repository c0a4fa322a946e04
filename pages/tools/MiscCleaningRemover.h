#pragma once

#include "pages/tools/MiscCleaningList.h"

#include <functional>
#include <string>

namespace qengine {
class DataFiller;
}

namespace qpages {

// Removes the ticked rows of one Misc Cleaning list for good, through the engine's deleter, on
// the thread that calls it. A row whose item cannot be removed (or has changed since it was
// listed, or lies outside the list's folder, or is reached through a link below the home)
// stays listed and ticked.
class MiscCleaningRemover {
public:
    struct Callbacks {
        std::function<void(const MiscCleaningRow&)> removed; // after each removed row
        std::function<void()> handled;                       // after each ticked row
    };

    // `folder` is the list's folder below `home`: nothing outside it is removed, nor anything
    // reached through a link below the home. `errorFormat` is the log line for a failed row,
    // its "%@" the row's path.
    MiscCleaningRemover(qengine::DataFiller& engine, std::string home, std::string folder,
                        std::string errorFormat);

    // Walks the rows the list has now; returns how many were removed.
    int remove(MiscCleaningList& list, const Callbacks& callbacks) const;

private:
    bool removeItem(const MiscCleaningRow& row) const;

    qengine::DataFiller& engine_;
    std::string home_;
    std::string folder_;
    std::string errorFormat_;
};

} // namespace qpages
