#pragma once

#include "shell/preferences/DBPrefsWindowController.h"
#include "shell/preferences/PreferenceModel.h"

#include "platform/core/Bundle.h"
#include "platform/core/NotificationCenter.h"
#include "platform/core/UserDefaults.h"
#include "platform/core/Value.h"

#include <memory>
#include <string>

namespace qshell {

class PreferenceController;

// The application's preferences window: the five panes of the "Preferences" interface file in
// the toolbar window. One shared instance serves the whole run.
class MyPrefsWindowController : public DBPrefsWindowController {
    Q_OBJECT
public:
    struct Environment {
        qcore::UserDefaults* defaults = &qcore::UserDefaults::standard();
        std::string home;                 // the real home folder, no trailing "/"
        qcore::Dictionary formatListDict; // the layout table's "EN" section
        qcore::NotificationCenter* center = &qcore::NotificationCenter::defaultCenter();
        PreferenceModel::IsDirectory isDirectory;
    };

    MyPrefsWindowController(PrefsTexts texts, Environment environment, QWidget* parent = nullptr);
    ~MyPrefsWindowController() override;

    // Made on first use from the application's bundle and settings; released at quit.
    static MyPrefsWindowController& sharedPrefsWindowController();
    static void releaseSharedPrefsWindowController();

    // The layout table's "EN" section from the bundle's "SettingsList.plist".
    static qcore::Dictionary formatListFor(const qcore::Bundle& bundle);

    PreferenceModel& preferenceModel() { return *model_; }
    PreferenceController& preferenceController() { return *controller_; }

protected:
    void setupToolbar() override;

private:
    std::unique_ptr<PreferenceModel> model_;
    PreferenceController* controller_ = nullptr;
};

} // namespace qshell
