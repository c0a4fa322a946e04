#pragma once

#include "shell/preferences/NumericPreferenceField.h"
#include "shell/preferences/PreferenceLanguages.h"
#include "shell/preferences/PrefsTexts.h"

#include "platform/core/NotificationCenter.h"
#include "platform/core/UserDefaults.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qshell {

// The logic behind the preference panes: numeric limits, folder lists, the language table,
// the resets and the send-logs request. Everything it keeps goes into the user defaults.
// Main thread only.
class PreferenceModel {
public:
    enum class Field {
        DupMinSize,       // minDupFileSize
        LargeMinSize,     // minLargeFileSize
        LargeMusic,       // minLargeFileSizeM
        LargeDocuments,   // minLargeFileSizeD
        LargeVideo,       // minLargeFileSizeV
        LargePictures,    // minLargeFileSizeP
        OldDownloads,     // oldDownloadsVal
        PartialDownloads, // partialDownloadsVal
    };
    static constexpr std::size_t kFieldCount = 8;

    enum class FolderList { PartialDownloads, AppCleaner, ExcludedNames };

    // An open panel to run for a folder list or the Large Files folder.
    struct PanelRequest {
        std::string key;         // the setting it adds to
        std::string startFolder; // absolute
        std::string prompt;
    };

    enum class DirNameResult { KeepSheetOpen, InvalidFolder, AlreadyIncluded, Added };

    struct Alert {
        std::string message;
        std::string informative; // may be empty
        std::string button;
    };

    // A control's text from the language table.
    struct ControlText {
        std::string control; // the object name in the "Preferences" interface
        std::string group;
        std::string key;
    };

    using IsDirectory = std::function<bool(const std::string& path)>;

    PreferenceModel(qcore::UserDefaults& defaults, std::string home, const PrefsTexts& texts,
                    qcore::NotificationCenter& center = qcore::NotificationCenter::defaultCenter(),
                    IsDirectory isDirectory = {});

    // --- Loading -----------------------------------------------------------------------------
    void loadPrefsToNib();
    void loadPrefsDupToNib();
    void loadPrefsShredToNib();
    void loadPrefsLargeToNib();
    void loadPrefsMiscToNib();
    void loadPrefsLangToNib();
    void fillLanguagesList(std::vector<std::string> codes,
                           const PreferenceLanguages::NameFor& nameFor);

    // --- Numeric fields ----------------------------------------------------------------------
    NumericPreferenceField::Outcome textDidChange(Field field, const std::string& text);
    const NumericPreferenceField& field(Field field) const { return fields_[index(field)]; }
    // The Duplicates Finder field's own action goes through the same check.
    NumericPreferenceField::Outcome setIntValueInDup(const std::string& text);

    // --- Switches ----------------------------------------------------------------------------
    void automaticAnalyzeDuplicates(int state);
    void automaticAnalyzeDiskUsage(int state);
    // Rows 0 to 2 only.
    void changeSecureDeleteAlgo(int row);
    int secureDeleteAlgoIndex() const { return secureDeleteAlgoIndex_; }
    int analyzeAutomaticallyDuplicates() const;
    int analyzeAutomaticallyDiskUsage() const;

    // --- Updates -----------------------------------------------------------------------------
    // No update service runs here: the choices are kept for the settings' sake only.
    void automaticUpdateChecks(int state);
    bool automaticUpdateChecksEnabled() const;
    // Positions 0 to 3 of the update-frequency pop-up (day, week, month, year) only.
    void changeUpdateOccurence(int index);
    // The stored position, 0 when it is out of range.
    int updateOccurenceIndex() const;

    // --- Resets ------------------------------------------------------------------------------
    void resetDefaultsGen();
    void resetDefaultsDup();
    void resetDefaultsLang();
    void resetDefaultsBin();
    void resetDefaultsShred();
    void resetDefaultsUninst();
    void resetDefaultsLarge();
    void resetDefaultsMisc();
    void resetDefaultsAll();

    // --- Folder lists ------------------------------------------------------------------------
    static const std::string& keyOf(FolderList list);
    std::vector<std::string> folders(FolderList list) const;
    PanelRequest changeLargeFilesPath();
    PanelRequest addFolderToLanguageSearch();
    PanelRequest addFolderToAppCleaner();
    // The name sheet's browse button.
    PanelRequest showOpenPanel();
    // The panel ended; true when a setting changed.
    bool openPanelDidEnd(bool ok, const std::string& chosenFolder);
    // The name sheet opens for the exclusion list.
    void addFolderToDuplicates();
    DirNameResult selectDirName(const std::string& typed);
    Alert invalidFolderAlert() const;
    Alert alreadyIncludedAlert() const;
    // Nothing happens without a selected row or with one past the end.
    bool removeFolder(FolderList list, std::optional<std::size_t> selectedRow);
    bool dirNameAlreadyInList(const std::string& name) const;
    const std::string& selectedKey() const { return selectedKey_; }
    // "~/x" is "<home>/x"; a "~/" anywhere else is left alone.
    static std::string expandHome(const std::string& name, const std::string& home);

    // --- Language table ----------------------------------------------------------------------
    PreferenceLanguages& languages() { return languages_; }
    const PreferenceLanguages& languages() const { return languages_; }
    bool setLanguageCheckState(std::size_t row, int state);

    // --- Logs --------------------------------------------------------------------------------
    void sendLogs(const std::string& email);

    // --- Texts -------------------------------------------------------------------------------
    std::vector<std::string> updateOccurencePopupData() const;
    std::vector<std::string> preferenceSizeUnitPopupData() const;
    static const std::vector<ControlText>& languageTokenTable();
    std::string textFor(const ControlText& entry) const;
    // The fields' object names in the interface, in Field order.
    static const std::array<std::string, kFieldCount>& fieldNames();

private:
    static std::size_t index(Field f) { return static_cast<std::size_t>(f); }
    NumericPreferenceField& mutableField(Field f) { return fields_[index(f)]; }
    void loadFields(std::initializer_list<Field> which);
    bool appendUnlessListed(const std::string& key, const std::string& entry);
    PanelRequest beginPanel(const std::string& key, std::string startFolder, std::string prompt);

    qcore::UserDefaults& defaults_;
    std::string home_;
    const PrefsTexts& texts_;
    qcore::NotificationCenter& center_;
    IsDirectory isDirectory_;
    std::array<NumericPreferenceField, kFieldCount> fields_;
    PreferenceLanguages languages_;
    std::string selectedKey_;
    int secureDeleteAlgoIndex_ = 0;
};

} // namespace qshell
