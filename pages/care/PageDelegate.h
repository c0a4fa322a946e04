#pragma once

#include <cstdint>

namespace qpages {

// What the pages report to the application while they work: the Duplicates Finder's activity
// and the One Click counts the status popover shows. The shell implements it and hands it to
// each page it builds; a page without one reports to nobody.
class PageDelegate {
public:
    virtual void setIsScanningDups(bool value) = 0;
    virtual void setIsRemovingDups(bool value) = 0;
    // The One Click issues still to clean.
    virtual void setItemRemaining(std::int32_t value) = 0;
    // The One Click issues the last clean removed.
    virtual void setItemCleanCountOneClickCare(std::int32_t value) = 0;

protected:
    ~PageDelegate() = default;
};

} // namespace qpages
