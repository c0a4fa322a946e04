#include "shell/preferences/PreferenceController.h"

#include "shell/preferences/LanguageTableModel.h"
#include "shell/preferences/PreferenceLanguages.h"

#include "platform/ui/Alert.h"
#include "platform/ui/SheetOverlay.h"

#include "toolkit/SpokenNames.h"
#include "toolkit/ViewFormatter.h"

#include "ui_Preferences.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include <algorithm>

namespace qshell {

namespace {

using FolderList = PreferenceModel::FolderList;

constexpr int kSheetCancelled = 0;
constexpr int kSheetDone = 1;
constexpr int kSheetBrowse = 2;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

std::optional<QString> chooseFolder(const PreferenceModel::PanelRequest& request, QWidget* parent) {
    QFileDialog panel(parent, qs(request.prompt), qs(request.startFolder));
    panel.setFileMode(QFileDialog::Directory);
    panel.setOption(QFileDialog::ShowDirsOnly);
    panel.setLabelText(QFileDialog::Accept, qs(request.prompt));
    panel.setWindowModality(Qt::WindowModal);
    if (panel.exec() != QDialog::Accepted || panel.selectedFiles().isEmpty()) return std::nullopt;
    return panel.selectedFiles().constFirst();
}

void presentAlert(const PreferenceModel::Alert& alert, QWidget* parent) {
    qui::Alert box;
    box.setMessageText(qs(alert.message)).addButton(qs(alert.button));
    if (!alert.informative.empty()) box.setInformativeText(qs(alert.informative));
    box.runModal(parent);
}

void fillList(QListWidget* list, const std::vector<std::string>& entries) {
    list->clear();
    for (const std::string& entry : entries)
        list->addItem(qs(entry));
}

void fillPopup(QComboBox* combo, const std::vector<std::string>& items) {
    combo->clear();
    for (const std::string& item : items)
        combo->addItem(qs(item));
}

} // namespace

PreferenceController::PreferenceController(PreferenceModel& model, qcore::UserDefaults& defaults,
                                           const qcore::Dictionary& formatListDict, QWidget* owner)
    : QObject(owner), model_(model), defaults_(defaults), root_(new QWidget(owner)),
      ui_(std::make_unique<Ui::PreferencesInterface>()), chooser_(chooseFolder),
      alerts_(presentAlert) {
    ui_->setupUi(root_);
    root_->hide();
    ui_->getDirNameSheet->hide();
    for (std::size_t i = 0; i < fields_.size(); ++i)
        fields_[i] = root_->findChild<QLineEdit*>(qs(PreferenceModel::fieldNames()[i]));

    updateLanguageTokens();
    nameControls();
    fillPopups();
    model_.loadPrefsToNib();
    model_.fillLanguagesList(PreferenceLanguages::systemLanguageCodes(),
                             PreferenceLanguages::displayName);
    languageTable_ = new LanguageTableModel(model_, this);
    ui_->tvLanguages->setModel(languageTable_);
    ui_->tvLanguages->verticalHeader()->hide();
    ui_->tvLanguages->verticalHeader()->setDefaultSectionSize(
        ui_->tvLanguages->fontMetrics().height() + 6);
    ui_->tvLanguages->horizontalHeader()->setStretchLastSection(false);
    ui_->tvLanguages->horizontalHeader()->setSectionResizeMode(LanguageTableModel::LangName,
                                                               QHeaderView::Stretch);
    ui_->tvLanguages->resizeColumnToContents(LanguageTableModel::CheckState);

    wireFields();
    wireSwitches();
    wireResets();
    wireFolderLists();
    fitButtonsToTitles();
    // The secure-removal choices sit on the Uninstaller pane; the layout table may adjust it.
    qtk::ViewFormatter(formatListDict).updateFormattedComponentsForView(ui_->uninstallerPrefsView);
    refresh();
}

PreferenceController::~PreferenceController() = default;

QWidget* PreferenceController::paneView(const std::string& viewName) const {
    for (QWidget* pane : {ui_->duplicatesPrefsView, ui_->languagePrefsView,
                          ui_->uninstallerPrefsView, ui_->largeFilesPrefsView, ui_->miscPrefsView})
        if (pane->objectName() == qs(viewName)) return pane;
    return nullptr;
}

QWidget* PreferenceController::window() const {
    return qobject_cast<QWidget*>(parent());
}

// --- Texts and pop-ups -------------------------------------------------------------------------

void PreferenceController::updateLanguageTokens() {
    for (const PreferenceModel::ControlText& entry : PreferenceModel::languageTokenTable()) {
        QWidget* control = root_->findChild<QWidget*>(qs(entry.control));
        const QString text = qs(model_.textFor(entry));
        if (auto* label = qobject_cast<QLabel*>(control))
            label->setText(text);
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setText(text);
    }
}

// Fields and lists show no title of their own: a screen reader says the label beside each.
// The size fields of the Large Files pane share one label, so each row's heading goes first.
void PreferenceController::nameControls() {
    using qtk::SpokenNames;
    Ui::PreferencesInterface& ui = *ui_;
    SpokenNames::nameAfter(*ui.minDupFileSize, *ui.lblDupsSearchSize);
    SpokenNames::nameAfter(*ui.tvExcludedDirectoryNamesInDuplicates, *ui.lblDupsIgnoreDirs);
    SpokenNames::nameAfter(*ui.txtDirName, *ui.lblDupsIgnoreDirName);
    SpokenNames::nameAfter(*ui.partialDownloadsVal, *ui.lblPartialSearchSize,
                           ui.lblPartialDownloads);
    SpokenNames::nameAfter(*ui.tvFolders, *ui.lblLangFolders);
    SpokenNames::nameAfter(*ui.tvLanguages, *ui.lblLangRetain);
    SpokenNames::nameAfter(*ui.tvFoldersForAppCleaner, *ui.lblBinFolders);
    SpokenNames::nameAfter(*ui.txtLargeFilesPath, *ui.lblLargeSelectFolder);
    const std::pair<QLineEdit*, std::pair<QLabel*, QLabel*>> largeFiles[] = {
        {ui.minLargeFileSizeM, {ui.lblLFSearchSizeM, ui.lblMusic}},
        {ui.minLargeFileSizeP, {ui.lblLFSearchSizeP, ui.lblPictures}},
        {ui.minLargeFileSizeV, {ui.lblLFSearchSizeV, ui.lblVideo}},
        {ui.minLargeFileSizeD, {ui.lblLFSearchSizeD, ui.lblDocuments}},
        {ui.minLargeFileSize, {ui.lblLFSearchSizeO, ui.lblOthers}}};
    for (const auto& [field, labels] : largeFiles)
        SpokenNames::nameAfter(*field, *labels.first, labels.second);
    SpokenNames::nameAfter(*ui.oldDownloadsVal, *ui.lblMiscSearchSize, ui.lblOldDownloads);
    SpokenNames::nameAfter(*ui.txtEmailID, *ui.lblSendLogs);
}

void PreferenceController::fillPopups() {
    sizePopups_ = {{ui_->popSearchSizeUnit, "searchSizeUnit"},
                   {ui_->popLargeUnit, "searchSizeUnit_Large"},
                   {ui_->popLargeUnitM, "searchSizeUnit_LargeM"},
                   {ui_->popLargeUnitD, "searchSizeUnit_LargeD"},
                   {ui_->popLargeUnitV, "searchSizeUnit_LargeV"},
                   {ui_->popLargeUnitP, "searchSizeUnit_LargeP"}};
    agePopups_ = {{ui_->popPartialUnit, "partialDownloadsUnit"},
                  {ui_->popOldUnit, "oldDownloadsUnit"}};
    for (const UnitPopup& popup : sizePopups_)
        fillPopup(popup.combo, model_.preferenceSizeUnitPopupData());
    for (const UnitPopup& popup : agePopups_)
        fillPopup(popup.combo, model_.updateOccurencePopupData());
    fillPopup(ui_->popUpdateOccurence, model_.updateOccurencePopupData());
    connect(ui_->popUpdateOccurence, &QComboBox::activated, this,
            [this](int index) { model_.changeUpdateOccurence(index); });
    // Positions 0 to 3 are the unit codes, so the chosen position is what is stored.
    for (const std::vector<UnitPopup>* popups : {&sizePopups_, &agePopups_})
        for (const UnitPopup& popup : *popups)
            connect(popup.combo, &QComboBox::activated, this, [this, key = popup.key](int index) {
                defaults_.setObject(key, std::to_string(index));
            });
}

void PreferenceController::fitButtonsToTitles() {
    for (QAbstractButton* button : {ui_->btnResetDups, ui_->btnResetLang, ui_->btnResetUninstaller,
                                    ui_->btnResetShred, ui_->btnResetBin, ui_->btnResetLarge,
                                    ui_->btnResetMisc, ui_->btnResetAll, ui_->chkCheckNow}) {
        // Exactly the title plus the margins; the layouts keep the buttons' right edges and
        // the check box's left edge where they were.
        const int textWidth = button->fontMetrics().horizontalAdvance(button->text());
        button->setFixedWidth(static_cast<int>(qtk::ViewFormatter::resizeMeWidth(textWidth, 0, 0)));
    }
}

// --- Fields and switches -----------------------------------------------------------------------

void PreferenceController::wireFields() {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        QLineEdit* edit = fields_[i];
        if (!edit) continue;
        const auto field = static_cast<PreferenceModel::Field>(i);
        connect(edit, &QLineEdit::textEdited, this, [this, edit, field](const QString& text) {
            const auto outcome = model_.textDidChange(field, text.toStdString());
            const QString shown = qs(outcome.fieldText);
            if (edit->text() != shown) edit->setText(shown);
        });
    }
}

void PreferenceController::wireSwitches() {
    // Each box stores what it shows, whatever changed it (mouse, keyboard or an assistive
    // tool's toggle); refresh() sets them quietly.
    connect(ui_->analyzeAutomaticallyDuplicates, &QAbstractButton::toggled, this,
            [this](bool checked) { model_.automaticAnalyzeDuplicates(checked ? 1 : 0); });
    connect(ui_->analyzeAutomaticallyDiskUsage, &QAbstractButton::toggled, this,
            [this](bool checked) { model_.automaticAnalyzeDiskUsage(checked ? 1 : 0); });
    connect(ui_->chkAutoUpdates, &QAbstractButton::toggled, this, [this](bool checked) {
        model_.automaticUpdateChecks(checked ? 1 : 0);
        ui_->popUpdateOccurence->setEnabled(checked);
    });
    // chkCheckNow and chkLangDeepScan store nothing: no update service and no deep language
    // scan run here.
    connect(ui_->chkUninShowOSX, &QAbstractButton::toggled, this, [this](bool checked) {
        defaults_.setObject("showOSXAppsInUninstaller", checked ? "1" : "0");
    });
    auto* algorithms = new QButtonGroup(this);
    algorithms->addButton(ui_->secureDeleteAlgo0, 0);
    algorithms->addButton(ui_->secureDeleteAlgo1, 1);
    algorithms->addButton(ui_->secureDeleteAlgo2, 2);
    connect(algorithms, &QButtonGroup::idToggled, this, [this](int row, bool checked) {
        if (checked) model_.changeSecureDeleteAlgo(row);
    });
    connect(ui_->btnSendLogs, &QAbstractButton::clicked, this,
            [this] { model_.sendLogs(ui_->txtEmailID->text().toStdString()); });
}

void PreferenceController::wireResets() {
    const std::pair<QAbstractButton*, void (PreferenceModel::*)()> resets[] = {
        {ui_->btnResetDups, &PreferenceModel::resetDefaultsDup},
        {ui_->btnResetLang, &PreferenceModel::resetDefaultsLang},
        {ui_->btnResetUninstaller, &PreferenceModel::resetDefaultsUninst},
        {ui_->btnResetShred, &PreferenceModel::resetDefaultsShred},
        {ui_->btnResetBin, &PreferenceModel::resetDefaultsBin},
        {ui_->btnResetLarge, &PreferenceModel::resetDefaultsLarge},
        {ui_->btnResetMisc, &PreferenceModel::resetDefaultsMisc},
        {ui_->btnResetAll, &PreferenceModel::resetDefaultsAll},
    };
    for (const auto& [button, reset] : resets)
        connect(button, &QAbstractButton::clicked, this, [this, reset = reset] {
            (model_.*reset)();
            refresh();
        });
}

void PreferenceController::refresh() {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i])
            fields_[i]->setText(
                qs(model_.field(static_cast<PreferenceModel::Field>(i)).lastValidValue()));
    for (const std::vector<UnitPopup>* popups : {&sizePopups_, &agePopups_})
        for (const UnitPopup& popup : *popups) {
            const std::int64_t code = defaults_.integerForKey(popup.key);
            popup.combo->setCurrentIndex(code >= 0 && code <= 3 ? static_cast<int>(code) : 0);
        }
    const auto showChecked = [](QAbstractButton* box, bool checked) {
        const QSignalBlocker quiet(box);
        box->setChecked(checked);
    };
    showChecked(ui_->analyzeAutomaticallyDuplicates, model_.analyzeAutomaticallyDuplicates() != 0);
    showChecked(ui_->analyzeAutomaticallyDiskUsage, model_.analyzeAutomaticallyDiskUsage() != 0);
    showChecked(ui_->chkAutoUpdates, model_.automaticUpdateChecksEnabled());
    ui_->popUpdateOccurence->setCurrentIndex(model_.updateOccurenceIndex());
    ui_->popUpdateOccurence->setEnabled(model_.automaticUpdateChecksEnabled());
    showChecked(ui_->chkUninShowOSX, defaults_.integerForKey("showOSXAppsInUninstaller") != 0);
    QAbstractButton* const algorithms[] = {ui_->secureDeleteAlgo0, ui_->secureDeleteAlgo1,
                                           ui_->secureDeleteAlgo2};
    const QSignalBlocker quietAlgorithms(ui_->secureDeleteAlgo0->group());
    algorithms[std::clamp(model_.secureDeleteAlgoIndex(), 0, 2)]->setChecked(true);
    ui_->txtLargeFilesPath->setText(qs(defaults_.stringForKey("LargeFilesPath")));
    refreshFolderLists();
}

// --- Folder lists ------------------------------------------------------------------------------

void PreferenceController::refreshFolderLists() {
    fillList(ui_->tvExcludedDirectoryNamesInDuplicates, model_.folders(FolderList::ExcludedNames));
    fillList(ui_->tvFolders, model_.folders(FolderList::PartialDownloads));
    fillList(ui_->tvFoldersForAppCleaner, model_.folders(FolderList::AppCleaner));
}

std::optional<std::size_t> PreferenceController::selectedRow(const QListWidget* list) {
    const QModelIndexList selected = list->selectionModel()->selectedRows();
    if (selected.isEmpty()) return std::nullopt;
    return static_cast<std::size_t>(selected.constFirst().row());
}

void PreferenceController::wireFolderLists() {
    const auto remover = [this](FolderList list, QListWidget* table) {
        return [this, list, table] {
            if (model_.removeFolder(list, selectedRow(table))) refreshFolderLists();
        };
    };
    connect(ui_->btnRemoveDupsFolder, &QAbstractButton::clicked, this,
            remover(FolderList::ExcludedNames, ui_->tvExcludedDirectoryNamesInDuplicates));
    connect(ui_->btnRemoveLangFolder, &QAbstractButton::clicked, this,
            remover(FolderList::PartialDownloads, ui_->tvFolders));
    connect(ui_->btnRemoveBinFolder, &QAbstractButton::clicked, this,
            remover(FolderList::AppCleaner, ui_->tvFoldersForAppCleaner));

    connect(ui_->btnAddLangFolder, &QAbstractButton::clicked, this,
            [this] { runPanel(model_.addFolderToLanguageSearch()); });
    connect(ui_->btnAddBinFolder, &QAbstractButton::clicked, this,
            [this] { runPanel(model_.addFolderToAppCleaner()); });
    connect(ui_->btnChangeLargeFilesPath, &QAbstractButton::clicked, this,
            [this] { runPanel(model_.changeLargeFilesPath()); });

    connect(ui_->btnAddDupsFolder, &QAbstractButton::clicked, this,
            [this] { addFolderToDuplicates(); });
    connect(ui_->btnDupsOK, &QAbstractButton::clicked, this, [this] { selectDirName(); });
    connect(ui_->txtDirName, &QLineEdit::returnPressed, this, [this] { selectDirName(); });
    connect(ui_->btnDupsCancel, &QAbstractButton::clicked, this, [this] { cancelDirNameSheet(); });
    connect(ui_->btnBrowseDirName, &QAbstractButton::clicked, this, [this] { showOpenPanel(); });
}

void PreferenceController::runPanel(const PreferenceModel::PanelRequest& request) {
    const std::optional<QString> chosen = chooser_ ? chooser_(request, window()) : std::nullopt;
    if (model_.openPanelDidEnd(chosen.has_value(), chosen ? chosen->toStdString() : std::string()))
        refresh();
}

void PreferenceController::addFolderToDuplicates() {
    if (sheet_) return;
    model_.addFolderToDuplicates();
    ui_->txtDirName->clear();
    dirNameResult_.reset();

    QWidget* const box = ui_->getDirNameSheet;
    auto* sheet = new qui::SheetOverlay(window());
    sheet_ = sheet;
    sheet->setEscapeCode(kSheetCancelled);
    sheet->setContentWidget(box);
    box->show();
    ui_->txtDirName->setFocus();
    const int code = sheet->runModal();
    // The box belongs to the interface file, not to this sheet.
    box->hide();
    box->setParent(root_);
    sheet->deleteLater();

    if (code == kSheetBrowse) {
        runPanel(model_.showOpenPanel());
        return;
    }
    if (code != kSheetDone || !dirNameResult_) return;
    switch (*dirNameResult_) {
    case PreferenceModel::DirNameResult::InvalidFolder:
        showAlert(model_.invalidFolderAlert());
        break;
    case PreferenceModel::DirNameResult::AlreadyIncluded:
        showAlert(model_.alreadyIncludedAlert());
        break;
    case PreferenceModel::DirNameResult::Added:
        refreshFolderLists();
        break;
    case PreferenceModel::DirNameResult::KeepSheetOpen:
        break;
    }
}

void PreferenceController::selectDirName() {
    const auto result = model_.selectDirName(ui_->txtDirName->text().toStdString());
    if (result == PreferenceModel::DirNameResult::KeepSheetOpen) return;
    dirNameResult_ = result;
    endDirNameSheet(kSheetDone);
}

void PreferenceController::cancelDirNameSheet() {
    endDirNameSheet(kSheetCancelled);
}

void PreferenceController::showOpenPanel() {
    endDirNameSheet(kSheetBrowse);
}

void PreferenceController::endDirNameSheet(int code) {
    if (sheet_) sheet_->endSheet(code);
}

void PreferenceController::showAlert(const PreferenceModel::Alert& alert) {
    if (alerts_) alerts_(alert, window());
}

} // namespace qshell
