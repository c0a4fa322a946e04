#pragma once

#include "shell/preferences/PrefsToolbarModel.h"

#include <string>
#include <vector>

namespace qshell {

// The application's five preference panes, in toolbar order.
class MyPrefsPanes {
public:
    struct Pane {
        std::string viewName;  // the pane view's object name in the "Preferences" interface
        std::string moduleKey; // identifier and image name
    };

    inline static const std::string kNibName = "Preferences";

    static const std::vector<Pane>& panes();
    // Adds the five panes to `toolbar` (the window controller's setupToolbar).
    static void setupToolbar(PrefsToolbarModel& toolbar, const PrefsTexts& texts);
};

} // namespace qshell
