#include "shell/preferences/MyPrefsPanes.h"

namespace qshell {

const std::vector<MyPrefsPanes::Pane>& MyPrefsPanes::panes() {
    static const std::vector<Pane> kPanes{
        {"duplicatesPrefsView", "Duplicates Finder"}, {"languagePrefsView", "Partial Downloads"},
        {"uninstallerPrefsView", "Uninstaller"},      {"largeFilesPrefsView", "Large Files"},
        {"miscPrefsView", "Old Downloads"},
    };
    return kPanes;
}

void MyPrefsPanes::setupToolbar(PrefsToolbarModel& toolbar, const PrefsTexts& texts) {
    for (const Pane& pane : panes())
        toolbar.addView(pane.moduleKey, texts);
}

} // namespace qshell
