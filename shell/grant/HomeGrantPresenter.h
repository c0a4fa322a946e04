#pragma once

#include <functional>
#include <optional>
#include <string>

namespace qshell {

// What the home-folder grant needs of the interface: the sheet, the folder panel, one alert
// and quitting. The widget layer implements it; tests script it.
class HomeGrantPresenter {
public:
    enum class PanelResult { Cancel = 0, OK = 1 };
    // The panel's answer; the chosen folder only with OK.
    using PanelCompletion =
        std::function<void(PanelResult result, std::optional<std::string> chosenFolder)>;

    virtual ~HomeGrantPresenter() = default;

    // Shows the confirmation sheet with the home folder's path.
    virtual void showSheet(const std::string& homePath) = 0;
    virtual void closeSheet() = 0;
    // Opens a folder panel at `startFolder`; `completion` runs on the main thread when it ends.
    virtual void beginFolderPanel(const std::string& startFolder, PanelCompletion completion) = 0;
    // A modal alert with one OK button; returns when it is dismissed.
    virtual void showMismatchAlert(const std::string& message, const std::string& informative) = 0;
    virtual void quit() = 0;
};

} // namespace qshell
