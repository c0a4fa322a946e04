#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace qshell {

// The System Status header's scan and clean buttons (one shown at a time), kept in step with
// the scans and cleans of the four junk modules. The widgets copy these faces.
class HeaderButtons {
public:
    struct Face {
        bool visible = true;
        bool enabled = true;
        int state = 0;
        std::string titleGroup; // with titleKey: the language text of the title
        std::string titleKey;
        bool operator==(const Face&) const = default;
    };
    // What the idle header needs to know of the results.
    struct Results {
        std::function<bool()> itemsAvailable;        // ticked items with a size
        std::function<std::uint64_t()> checkedBytes; // the four modules' sizes added up
    };

    HeaderButtons();

    // After a start (`started`) or stop of one junk module's scan or clean, with whether any
    // of the four now scans (`scanning`) or cleans (`removing`).
    void decide(bool started, bool scanning, bool removing, const Results& results);

    // The scan button clicked while a scan runs: it stays pressed and disabled until the stop
    // notifications redraw it.
    void scanStopRequested();
    // The clean button clicked while a clean runs.
    void cleanStopRequested();
    // The scan button clicked to start.
    void scanStartRequested();

    const Face& scanButton() const { return scan_; }
    const Face& cleanButton() const { return clean_; }
    // Whether the junk label counts found (true) or cleaned junk.
    bool isScan() const { return isScan_; }

private:
    void scanFace();
    void cleanFace();
    void idle(const Results& results);

    Face scan_;
    Face clean_;
    bool isScan_ = true;
};

} // namespace qshell
