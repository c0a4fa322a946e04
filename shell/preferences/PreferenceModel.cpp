#include "shell/preferences/PreferenceModel.h"

#include "shell/common/SettingsKeys.h"
#include "shell/common/ShellNotifications.h"

#include "platform/core/FileManager.h"
#include "platform/core/Log.h"
#include "platform/core/PlainText.h"

#include <algorithm>

namespace qshell {

using qcore::PlainText;

namespace {

using Width = NumericPreferenceField::Width;

const std::string kSearchFileMinSizeLarge = "searchFileMinSize_Large";
const std::string kOldDownloadsValue = "oldDownloadsValue";
const std::string kOldDownloadsUnit = "oldDownloadsUnit";
const std::string kPartialDownloadsValue = "partialDownloadsValue";
const std::string kPartialDownloadsUnit = "partialDownloadsUnit";
const std::string kSecureDeleteAlgoIndex = "secureDeleteAlgoIndex";
const std::string kAnalyzeAutomaticallyDiskUsage = "analyzeAutomaticallyDiskUsage";
const std::string kDirectoryForAppCleaner = "directoryForAppCleaner";
const std::string kDirectoryForPartialDownloads = "directoryForPartialDownloads";
const std::string kShowOSXAppsInUninstaller = "showOSXAppsInUninstaller";
const std::string kUpdateOccurenceIndex = "updateOccurenceIndex";
const std::string kEnableAutomaticChecks = "SUEnableAutomaticChecks";
const std::string kAllowsAutomaticUpdates = "SUAllowsAutomaticUpdates";

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n\v\f");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t\r\n\v\f") - first + 1);
}

qcore::Array toArray(const std::vector<std::string>& list) {
    return qcore::Array(list.begin(), list.end());
}

} // namespace

PreferenceModel::PreferenceModel(qcore::UserDefaults& defaults, std::string home,
                                 const PrefsTexts& texts, qcore::NotificationCenter& center,
                                 IsDirectory isDirectory)
    : defaults_(defaults), home_(std::move(home)), texts_(texts), center_(center),
      isDirectory_(isDirectory ? std::move(isDirectory) : IsDirectory([](const std::string& path) {
          return qcore::FileManager::isDirectory(path, true);
      })),
      fields_{NumericPreferenceField{settings::kSearchFileMinSize, Width::Bits64},
              NumericPreferenceField{kSearchFileMinSizeLarge, Width::Bits32},
              NumericPreferenceField{kSearchFileMinSizeLarge + "M", Width::Bits32},
              NumericPreferenceField{kSearchFileMinSizeLarge + "D", Width::Bits32},
              NumericPreferenceField{kSearchFileMinSizeLarge + "V", Width::Bits32},
              NumericPreferenceField{kSearchFileMinSizeLarge + "P", Width::Bits32},
              NumericPreferenceField{kOldDownloadsValue, Width::Bits64},
              NumericPreferenceField{kPartialDownloadsValue, Width::Bits64}} {}

// --- Loading ---------------------------------------------------------------------------------

void PreferenceModel::loadFields(std::initializer_list<Field> which) {
    for (const Field f : which)
        mutableField(f).load(defaults_);
}

void PreferenceModel::loadPrefsToNib() {
    loadPrefsDupToNib();
    loadPrefsShredToNib();
    loadPrefsLargeToNib();
    loadPrefsMiscToNib();
    loadPrefsLangToNib();
}

void PreferenceModel::loadPrefsDupToNib() {
    loadFields({Field::DupMinSize});
}

void PreferenceModel::loadPrefsShredToNib() {
    const std::int64_t stored = defaults_.integerForKey(kSecureDeleteAlgoIndex);
    if (stored < 0 || stored > 2) defaults_.setObject(kSecureDeleteAlgoIndex, std::int64_t{0});
    secureDeleteAlgoIndex_ = static_cast<int>(defaults_.integerForKey(kSecureDeleteAlgoIndex));
}

void PreferenceModel::loadPrefsLargeToNib() {
    loadFields({Field::LargeMinSize, Field::LargeMusic, Field::LargeDocuments, Field::LargeVideo,
                Field::LargePictures});
}

void PreferenceModel::loadPrefsMiscToNib() {
    loadFields({Field::OldDownloads});
}

void PreferenceModel::loadPrefsLangToNib() {
    loadFields({Field::PartialDownloads});
}

void PreferenceModel::fillLanguagesList(std::vector<std::string> codes,
                                        const PreferenceLanguages::NameFor& nameFor) {
    languages_.fillLanguagesList(std::move(codes), nameFor, defaults_);
}

// --- Numeric fields --------------------------------------------------------------------------

NumericPreferenceField::Outcome PreferenceModel::textDidChange(Field f, const std::string& text) {
    return mutableField(f).textDidChange(text, defaults_);
}

NumericPreferenceField::Outcome PreferenceModel::setIntValueInDup(const std::string& text) {
    return textDidChange(Field::DupMinSize, text);
}

// --- Switches --------------------------------------------------------------------------------

void PreferenceModel::automaticAnalyzeDuplicates(int state) {
    defaults_.setObject(settings::kAnalyzeAutomaticallyDuplicates, std::to_string(state));
}

void PreferenceModel::automaticAnalyzeDiskUsage(int state) {
    defaults_.setObject(kAnalyzeAutomaticallyDiskUsage, std::to_string(state));
}

void PreferenceModel::changeSecureDeleteAlgo(int row) {
    if (row < 0 || row > 2) return;
    defaults_.setObject(kSecureDeleteAlgoIndex, std::int64_t{row});
    secureDeleteAlgoIndex_ = row;
}

int PreferenceModel::analyzeAutomaticallyDuplicates() const {
    return static_cast<int>(defaults_.integerForKey(settings::kAnalyzeAutomaticallyDuplicates));
}

int PreferenceModel::analyzeAutomaticallyDiskUsage() const {
    return static_cast<int>(defaults_.integerForKey(kAnalyzeAutomaticallyDiskUsage));
}

// --- Updates ---------------------------------------------------------------------------------

void PreferenceModel::automaticUpdateChecks(int state) {
    defaults_.setObject(kEnableAutomaticChecks, std::to_string(state));
}

bool PreferenceModel::automaticUpdateChecksEnabled() const {
    return defaults_.integerForKey(kEnableAutomaticChecks) != 0;
}

void PreferenceModel::changeUpdateOccurence(int index) {
    if (index < 0 || index > 3) return;
    defaults_.setObject(kUpdateOccurenceIndex, std::to_string(index));
}

int PreferenceModel::updateOccurenceIndex() const {
    const std::int64_t stored = defaults_.integerForKey(kUpdateOccurenceIndex);
    return stored >= 0 && stored <= 3 ? static_cast<int>(stored) : 0;
}

// --- Resets ----------------------------------------------------------------------------------

void PreferenceModel::resetDefaultsGen() {
    for (const std::string* key :
         {&kEnableAutomaticChecks, &kUpdateOccurenceIndex, &kAllowsAutomaticUpdates})
        defaults_.setObject(*key, "1");
}

void PreferenceModel::resetDefaultsDup() {
    defaults_.setObject(settings::kSearchFileMinSize, "4");
    defaults_.setObject(settings::kSearchSizeUnit, "1");
    defaults_.setObject(settings::kDuplicatesFinderPath, home_ + "/Documents/");
    defaults_.setObject(
        settings::kExcludedDirectoryNames,
        toArray({".DS_Store", ".bzr", ".svn", ".hg", ".git", "CVSROOT", "CVS", "/System",
                 "/Library", "/Developer", "/Volumes", home_ + "/.Trash", home_ + "/dropbox"}));
    defaults_.setObject(settings::kAnalyzeAutomaticallyDuplicates, "NO");
    center_.post(notifications::kResetDefaults, this,
                 {{notifications::kNotificationGroup, "Duplicates Finder"}});
    loadPrefsDupToNib();
}

void PreferenceModel::resetDefaultsLang() {
    defaults_.setObject(kPartialDownloadsValue, "1");
    defaults_.setObject(kPartialDownloadsUnit, "2");
    loadPrefsLangToNib();
}

void PreferenceModel::resetDefaultsBin() {
    defaults_.setObject(kDirectoryForAppCleaner, toArray({"/Applications"}));
}

void PreferenceModel::resetDefaultsShred() {
    defaults_.setObject(kSecureDeleteAlgoIndex, std::int64_t{0});
    loadPrefsShredToNib();
}

void PreferenceModel::resetDefaultsUninst() {
    defaults_.setObject(kShowOSXAppsInUninstaller, "0");
}

void PreferenceModel::resetDefaultsLarge() {
    defaults_.setObject(settings::kLargeFilesPath, home_ + "/");
    const std::array<std::pair<const char*, const char*>, 5> sizes{
        {{"", "50"}, {"M", "1"}, {"D", "1"}, {"V", "25"}, {"P", "1"}}};
    for (const auto& [suffix, value] : sizes) {
        defaults_.setObject(kSearchFileMinSizeLarge + suffix, value);
        defaults_.setObject(std::string("searchSizeUnit_Large") + suffix, "2");
    }
    loadPrefsLargeToNib();
}

void PreferenceModel::resetDefaultsMisc() {
    defaults_.setObject(kOldDownloadsValue, "2");
    defaults_.setObject(kOldDownloadsUnit, "2");
    loadPrefsMiscToNib();
}

void PreferenceModel::resetDefaultsAll() {
    resetDefaultsGen();
    resetDefaultsDup();
    resetDefaultsLang();
    resetDefaultsBin();
    resetDefaultsShred();
    resetDefaultsUninst();
    resetDefaultsLarge();
    resetDefaultsMisc();
}

// --- Folder lists ----------------------------------------------------------------------------

const std::string& PreferenceModel::keyOf(FolderList list) {
    switch (list) {
    case FolderList::PartialDownloads:
        return kDirectoryForPartialDownloads;
    case FolderList::AppCleaner:
        return kDirectoryForAppCleaner;
    case FolderList::ExcludedNames:
        break;
    }
    return settings::kExcludedDirectoryNames;
}

std::vector<std::string> PreferenceModel::folders(FolderList list) const {
    return defaults_.stringArrayForKey(keyOf(list));
}

PreferenceModel::PanelRequest
PreferenceModel::beginPanel(const std::string& key, std::string startFolder, std::string prompt) {
    selectedKey_ = key;
    return {key, std::move(startFolder), std::move(prompt)};
}

PreferenceModel::PanelRequest PreferenceModel::changeLargeFilesPath() {
    return beginPanel(settings::kLargeFilesPath, home_ + "/", "Select");
}

PreferenceModel::PanelRequest PreferenceModel::addFolderToLanguageSearch() {
    return beginPanel(kDirectoryForPartialDownloads, "/Applications", "Select");
}

PreferenceModel::PanelRequest PreferenceModel::addFolderToAppCleaner() {
    return beginPanel(kDirectoryForAppCleaner, "/Applications", "Select");
}

PreferenceModel::PanelRequest PreferenceModel::showOpenPanel() {
    return beginPanel(settings::kExcludedDirectoryNames, home_ + "/Public",
                      texts_.getTokenForGroup("GRP_CMN", "ID_SELECT"));
}

bool PreferenceModel::openPanelDidEnd(bool ok, const std::string& chosenFolder) {
    if (!ok || chosenFolder.empty() || selectedKey_.empty()) return false;
    if (selectedKey_ == settings::kLargeFilesPath) {
        defaults_.setObject(settings::kLargeFilesPath, chosenFolder);
        return true;
    }
    return appendUnlessListed(selectedKey_, chosenFolder);
}

bool PreferenceModel::appendUnlessListed(const std::string& key, const std::string& entry) {
    std::vector<std::string> list = defaults_.stringArrayForKey(key);
    const std::string wanted = PlainText::lower(entry);
    if (std::any_of(list.begin(), list.end(),
                    [&wanted](const std::string& e) { return PlainText::lower(e) == wanted; }))
        return false;
    list.push_back(entry);
    defaults_.setObject(key, toArray(list));
    return true;
}

bool PreferenceModel::dirNameAlreadyInList(const std::string& name) const {
    const std::string wanted = PlainText::lower(name);
    const auto list = defaults_.stringArrayForKey(selectedKey_);
    return std::any_of(list.begin(), list.end(),
                       [&wanted](const std::string& e) { return PlainText::lower(e) == wanted; });
}

void PreferenceModel::addFolderToDuplicates() {
    selectedKey_ = settings::kExcludedDirectoryNames;
}

std::string PreferenceModel::expandHome(const std::string& name, const std::string& home) {
    if (!name.starts_with("~/")) return name;
    return home + "/" + name.substr(2);
}

PreferenceModel::DirNameResult PreferenceModel::selectDirName(const std::string& typed) {
    std::string name = trim(typed);
    if (name.empty()) return DirNameResult::KeepSheetOpen;
    selectedKey_ = settings::kExcludedDirectoryNames;
    if (name.starts_with("/") || name.starts_with("~/")) {
        name = expandHome(name, home_);
        if (!isDirectory_(name)) return DirNameResult::InvalidFolder;
    }
    if (dirNameAlreadyInList(name)) return DirNameResult::AlreadyIncluded;
    appendUnlessListed(settings::kExcludedDirectoryNames, name);
    return DirNameResult::Added;
}

PreferenceModel::Alert PreferenceModel::invalidFolderAlert() const {
    return {texts_.getTokenForGroup("GRP_CMN", "ID_INVALID_DIR"),
            texts_.getTokenForGroup("GRP_CMN", "ID_EXISTING_DIR"),
            texts_.getTokenForGroup("GRP_CMN", "ID_OK")};
}

PreferenceModel::Alert PreferenceModel::alreadyIncludedAlert() const {
    return {texts_.getTokenForGroup("GRP_CMN", "ID_DIR_ALREADY_INCLUDED"), "",
            texts_.getTokenForGroup("GRP_CMN", "ID_OK")};
}

bool PreferenceModel::removeFolder(FolderList list, std::optional<std::size_t> selectedRow) {
    std::vector<std::string> entries = folders(list);
    if (!selectedRow || *selectedRow >= entries.size()) return false;
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(*selectedRow));
    defaults_.setObject(keyOf(list), toArray(entries));
    return true;
}

// --- Language table, logs --------------------------------------------------------------------

bool PreferenceModel::setLanguageCheckState(std::size_t row, int state) {
    return languages_.setCheckState(row, state, defaults_);
}

void PreferenceModel::sendLogs(const std::string& email) {
    center_.post(notifications::kSendLogs, this, {{"emailid", email}});
}

// --- Texts -----------------------------------------------------------------------------------

std::vector<std::string> PreferenceModel::updateOccurencePopupData() const {
    std::vector<std::string> items;
    for (const char* key : {"ID_DAY", "ID_WEEK", "ID_MONTH", "ID_YEAR"})
        items.push_back(texts_.getTokenForGroup("GRP_CMN", key));
    return items;
}

std::vector<std::string> PreferenceModel::preferenceSizeUnitPopupData() const {
    std::vector<std::string> items;
    for (const char* key : {"ID_BYTES", "ID_KB", "ID_MB", "ID_GB"})
        items.push_back(texts_.getTokenForGroup("GRP_CMN", key));
    return items;
}

const std::vector<PreferenceModel::ControlText>& PreferenceModel::languageTokenTable() {
    static const std::vector<ControlText> kTable = [] {
        std::vector<ControlText> t;
        for (const char* reset : {"btnResetDups", "btnResetLang", "btnResetUninstaller",
                                  "btnResetShred", "btnResetBin", "btnResetLarge", "btnResetMisc"})
            t.push_back({reset, "GRP_CMN", "ID_RESET_DEFAULTS"});
        t.push_back({"lblDupsSearchSize", "GRP_PREFS_DUPLICATES_FINDER", "ID_SEARCH_SIZE"});
        t.push_back({"lblDupsIgnoreDirs", "GRP_PREFS_DUPLICATES_FINDER", "ID_IGNORE_NAME"});
        t.push_back({"lblDupsIgnoreDirName", "GRP_PREFS_DUPLICATES_FINDER", "ID_DIR_NAME_IGNORE"});
        t.push_back({"btnDupsCancel", "GRP_CMN", "ID_CANCEL"});
        t.push_back({"btnDupsOK", "GRP_CMN", "ID_OK"});
        t.push_back({"lblLangRetain", "GRP_PREFS_UNUSED_LANGUAGES", "ID_RETAIN_LANG"});
        t.push_back({"lblLangFolders", "GRP_PREFS_UNUSED_LANGUAGES", "ID_LANG_SERACH_FOLDERS"});
        t.push_back({"chkLangDeepScan", "GRP_PREFS_UNUSED_LANGUAGES", "ID_ENABLE_DEEP_SCAN"});
        t.push_back({"chkUninShowOSX", "GRP_PREFS_UNINSTALLER", "ID_SHOW_OSX_APPS"});
        t.push_back({"lblBinFolders", "GRP_PREFS_APP_OPTIMIZER", "ID_APP_SERACH_FOLDERS"});
        t.push_back({"lblMusic", "GRP_CMN", "ID_MUSIC"});
        t.push_back({"lblPictures", "GRP_CMN", "ID_PICTURES"});
        t.push_back({"lblVideo", "GRP_CMN", "ID_VIDEO"});
        t.push_back({"lblDocuments", "GRP_CMN", "ID_DOCUMENTS"});
        t.push_back({"lblOthers", "GRP_CMN", "ID_OTHERS"});
        for (const char* size : {"lblLFSearchSizeM", "lblLFSearchSizeP", "lblLFSearchSizeV",
                                 "lblLFSearchSizeD", "lblLFSearchSizeO"})
            t.push_back({size, "GRP_PREFS_LARGE_FILES", "ID_CUSTOM_SIZE"});
        t.push_back({"lblLargeSelectFolder", "GRP_PREFS_LARGE_FILES", "ID_PATH_TO_SCAN"});
        t.push_back({"lblOldDownloads", "GRP_CMN", "ID_MNAME_OLD_DOWNLOADS"});
        t.push_back({"lblMiscSearchSize", "GRP_PREFS_MISC_CLEANING", "ID_OLDER_SIZE"});
        t.push_back({"lblPartialSearchSize", "GRP_PREFS_MISC_CLEANING", "ID_OLDER_SIZE"});
        t.push_back({"lblPartialDownloads", "GRP_CMN", "ID_MNAME_PARTIAL_DOWNLOADS"});
        return t;
    }();
    return kTable;
}

std::string PreferenceModel::textFor(const ControlText& entry) const {
    return texts_.getTokenForGroup(entry.group, entry.key);
}

const std::array<std::string, PreferenceModel::kFieldCount>& PreferenceModel::fieldNames() {
    static const std::array<std::string, kFieldCount> kNames{
        "minDupFileSize",    "minLargeFileSize",  "minLargeFileSizeM", "minLargeFileSizeD",
        "minLargeFileSizeV", "minLargeFileSizeP", "oldDownloadsVal",   "partialDownloadsVal"};
    return kNames;
}

} // namespace qshell
