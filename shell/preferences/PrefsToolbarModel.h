#pragma once

#include "shell/preferences/PrefsTexts.h"

#include <optional>
#include <string>
#include <vector>

namespace qshell {

// A window frame in points, origin at the bottom left of the screen.
struct PrefsFrame {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    bool operator==(const PrefsFrame&) const = default;
};

// The toolbar-preferences window's logic: its panes in toolbar order, which one shows, the
// window title and the frame rules. Panes are identified by their module key, so two panes
// whose labels read alike (for instance "NA" from a table that lacks them) stay apart.
class PrefsToolbarModel {
public:
    struct Item {
        std::string identifier; // the module key, also the image name
        std::string label;      // the translated label, the toolbar text and window title
        std::string image;
    };

    inline static const std::string kToolbarIdentifier = "DBPreferencesToolbar";
    // The window is made 1000 x 1000 and then sized to each pane.
    static constexpr double kInitialContentSize = 1000;

    // Label = the module name of the key (as a sub-module), image = the key.
    void addView(const std::string& moduleKey, const PrefsTexts& texts);
    // Throws std::invalid_argument for an empty identifier (no pane to show).
    void addView(const std::string& identifier, const std::string& label, const std::string& image);
    void clear();

    // Starts showing: the pane set must not be empty (std::logic_error otherwise); the first
    // pane is selected and returned.
    const Item& beginShowing();

    // The pane to switch to, or nothing when it is already shown or unknown.
    std::optional<Item> displayViewForIdentifier(const std::string& identifier);

    const std::vector<Item>& items() const { return items_; }
    const std::vector<std::string>& toolbarIdentifiers() const { return identifiers_; }
    const std::optional<std::string>& current() const { return current_; }
    std::string windowTitle() const;
    const Item* item(const std::string& identifier) const;

    // --- Frame rules --------------------------------------------------------------------------
    // The window frame that fits a pane of that size: the width is the pane's, the height the
    // pane's plus the window's chrome (frame height - content height); the top edge stays.
    static PrefsFrame frameForView(const PrefsFrame& windowFrame, double contentHeight,
                                   double paneWidth, double paneHeight);
    // The pane's bottom in the content holder, so that its top is flush with the holder's.
    static double paneOriginY(double holderHeight, double paneHeight);

private:
    std::vector<Item> items_;
    std::vector<std::string> identifiers_;
    std::optional<std::string> current_;
};

} // namespace qshell
