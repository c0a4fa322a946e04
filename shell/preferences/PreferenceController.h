#pragma once

#include "shell/preferences/PreferenceModel.h"

#include "platform/core/UserDefaults.h"
#include "platform/core/Value.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;
class QWidget;

namespace Ui {
class PreferencesInterface;
}

namespace qui {
class SheetOverlay;
}

namespace qshell {

class LanguageTableModel;

// The controls of the preference panes ("Preferences" interface file) wired to the
// PreferenceModel: texts, pop-ups, numeric fields, switches, folder lists, the language table,
// the resets and the send-logs request. The pane views are handed to the preferences window,
// which shows one at a time.
class PreferenceController : public QObject {
    Q_OBJECT
public:
    // Runs an open panel for a folder; nothing when the user cancels.
    using FolderChooser = std::function<std::optional<QString>(
        const PreferenceModel::PanelRequest& request, QWidget* parent)>;
    using AlertPresenter =
        std::function<void(const PreferenceModel::Alert& alert, QWidget* parent)>;

    // The pane views live under `owner` (the preferences window) until it shows them.
    PreferenceController(PreferenceModel& model, qcore::UserDefaults& defaults,
                         const qcore::Dictionary& formatListDict, QWidget* owner);
    ~PreferenceController() override;

    // A pane view by its object name ("duplicatesPrefsView" ...), or nullptr.
    QWidget* paneView(const std::string& viewName) const;
    Ui::PreferencesInterface& ui() { return *ui_; }
    LanguageTableModel* languageTable() const { return languageTable_; }

    void setFolderChooser(FolderChooser chooser) { chooser_ = std::move(chooser); }
    void setAlertPresenter(AlertPresenter presenter) { alerts_ = std::move(presenter); }

    // Every control shows the stored settings again.
    void refresh();

    // Folder panels and the name sheet; the buttons call these.
    void runPanel(const PreferenceModel::PanelRequest& request);
    void addFolderToDuplicates();
    void selectDirName();
    void cancelDirNameSheet();
    void showOpenPanel();

private:
    void updateLanguageTokens();
    void nameControls();
    void fillPopups();
    void wireFields();
    void wireSwitches();
    void wireResets();
    void wireFolderLists();
    void fitButtonsToTitles();
    void endDirNameSheet(int code);
    void showAlert(const PreferenceModel::Alert& alert);
    QWidget* window() const;
    void refreshFolderLists();
    static std::optional<std::size_t> selectedRow(const QListWidget* list);

    struct UnitPopup {
        QComboBox* combo;
        std::string key;
    };

    PreferenceModel& model_;
    qcore::UserDefaults& defaults_;
    QWidget* root_; // the interface file's top widget, owned by the window, never shown
    std::unique_ptr<Ui::PreferencesInterface> ui_;
    LanguageTableModel* languageTable_ = nullptr;
    FolderChooser chooser_;
    AlertPresenter alerts_;
    std::array<QLineEdit*, PreferenceModel::kFieldCount> fields_{};
    std::vector<UnitPopup> sizePopups_;
    std::vector<UnitPopup> agePopups_;
    QPointer<qui::SheetOverlay> sheet_;
    std::optional<PreferenceModel::DirNameResult> dirNameResult_;
};

} // namespace qshell
