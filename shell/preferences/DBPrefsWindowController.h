#pragma once

#include "shell/preferences/PrefsTexts.h"
#include "shell/preferences/PrefsToolbarModel.h"

#include <QActionGroup>
#include <QMainWindow>
#include <QPointer>

#include <map>
#include <string>

class QToolBar;

namespace qshell {

// A toolbar-preferences window: one toolbar item per pane, the pane shown under the toolbar
// and the window sized to it. Subclasses add their panes in setupToolbar().
class DBPrefsWindowController : public QMainWindow {
    Q_OBJECT
public:
    explicit DBPrefsWindowController(PrefsTexts texts, QWidget* parent = nullptr);
    ~DBPrefsWindowController() override;

    // Rebuilds the toolbar from setupToolbar(), opens on the first pane, centres and shows.
    void showWindow();
    // A toolbar click: switches only when the item names another pane.
    void toggleActivePreferenceView(const std::string& identifier);

    const PrefsToolbarModel& toolbarModel() const { return model_; }
    const PrefsTexts& texts() const { return texts_; }
    QToolBar* toolbar() const { return toolbar_; }
    QWidget* contentSubview() const { return contentSubview_; }
    QWidget* currentView() const { return current_; }

protected:
    // Adds the panes with addView(); the base window has none.
    virtual void setupToolbar() {}
    // Label: the module's name from the language table; image: the module key.
    void addView(QWidget* view, const std::string& moduleKey);
    void addView(QWidget* view, const std::string& identifier, const std::string& label,
                 const std::string& image);

private:
    void rebuildToolbar();
    void displayView(const PrefsToolbarModel::Item& item);
    void resizeToView(const QWidget* view);
    void checkToolbarItem(const std::string& identifier);
    void toolbarItemToggled(const std::string& identifier, bool checked);
    int toolbarHeight() const;

    PrefsTexts texts_;
    PrefsToolbarModel model_;
    std::map<std::string, QPointer<QWidget>> toolbarViews_;
    QToolBar* toolbar_ = nullptr;
    QPointer<QActionGroup> toolbarItems_;
    QWidget* contentSubview_ = nullptr;
    // Panes not shown wait here, hidden, so the window keeps owning them.
    QWidget* stash_ = nullptr;
    QPointer<QWidget> current_;
    // Set while the window checks the items itself, so their toggles are not taken as a choice.
    bool checkingItems_ = false;
};

} // namespace qshell
