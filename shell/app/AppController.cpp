#include "shell/app/AppController.h"

#include "ui_MainMenu.h"

#include "platform/ui/WorkerThreads.h"
#include "shell/app/AboutBox.h"
#include "shell/app/ApplicationMenu.h"
#include "shell/app/LogFile.h"
#include "shell/common/SettingsKeys.h"
#include "shell/common/ShellNotifications.h"
#include "shell/delegate/PellorAppDelegate.h"
#include "shell/facts/SystemInfo.h"
#include "shell/feedback/FeedbackReport.h"
#include "shell/feedback/FeedbackSheet.h"
#include "shell/feedback/FeedbackSheetView.h"
#include "shell/feedback/NetworkProbe.h"
#include "shell/feedback/WebLinks.h"
#include "shell/grant/FirefoxProfileRequest.h"
#include "shell/grant/HomeFolderSheet.h"
#include "shell/grant/HomeGrant.h"
#include "shell/grant/ScriptInstaller.h"
#include "shell/popover/StatusBarCommands.h"
#include "shell/views/LastScanPanelView.h"
#include "shell/views/OneClickControl.h"
#include "shell/views/SheetRunner.h"
#include "shell/views/SidebarView.h"
#include "shell/views/StatusHeaderView.h"
#include "shell/views/SystemLine.h"
#include "shell/views/SystemStatusHeader.h"

#include "engine/DataFiller.h"
#include "engine/TextFormat.h"
#include "pages/care/CacheController.h"
#include "pages/care/LogsController.h"
#include "pages/care/PartialDownloads.h"
#include "pages/care/StatusController.h"
#include "pages/care/TrashController.h"
#include "pages/tools/DuplicateFilesController.h"
#include "pages/tools/InternetPrivacyController.h"
#include "pages/tools/LargeFilesController.h"
#include "pages/tools/ManualCleanController.h"
#include "pages/tools/OldDownloads.h"
#include "pages/tools/UninstallerController.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/Guarded.h"
#include "platform/core/Home.h"
#include "platform/core/Log.h"
#include "platform/core/MainThread.h"
#include "platform/core/ScriptTask.h"
#include "platform/core/SystemVersion.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Autoresizing.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/GuiWorkspace.h"
#include "platform/ui/ImageCache.h"
#include "toolkit/IMGButton.h"
#include "toolkit/LinkButton.h"
#include "toolkit/ViewFormatter.h"
#include "toolkit/WAYAppStoreWindow.h"

#include <QApplication>
#include <QResizeEvent>
#include <QSysInfo>
#include <QTimer>

#include <cstdlib>
#include <ctime>

namespace qshell {

namespace {

namespace m = qengine::modules;
using qui::Resizing;

constexpr int kSidebarWidth = 173;
const std::string kSystemStatusGroup = "GRP_SYSTEM_STATUS";
const std::string kMainMenuGroup = "GRP_MAIN_MENU";

unsigned mask(std::initializer_list<Resizing> parts) {
    unsigned value = 0;
    for (const Resizing part : parts)
        value |= static_cast<unsigned>(part);
    return value;
}

std::string infoValue(const qcore::Dictionary& info, const std::string& key) {
    const auto it = info.find(key);
    return it == info.end() ? std::string() : it->second.toString();
}

std::string trimmed(const std::string& text) {
    return QString::fromStdString(text).trimmed().toStdString();
}

} // namespace

AppController::AppController(qtk::WAYAppStoreWindow& window, PellorAppDelegate& delegate,
                             qcore::UserDefaults& defaults)
    : AppController(window, delegate, defaults, Options{}) {}

AppController::AppController(qtk::WAYAppStoreWindow& window, PellorAppDelegate& delegate,
                             qcore::UserDefaults& defaults, Options options)
    : window_(window), delegate_(delegate), defaults_(defaults), options_(std::move(options)),
      center_(qcore::NotificationCenter::defaultCenter()) {
    deleteSavedWindowState();
    registerObservers();
    engine_ = std::make_unique<qengine::DataFiller>();
    texts_ = TextSource::fromEngine(*engine_);
    prepareViewControllers();
    folderImage_ = qui::GuiWorkspace::genericFolderIcon().pixmap(16, 16);
    workers_ = std::make_unique<qui::WorkerThreads>();
    oneClick_ =
        std::make_unique<OneClickControl>(*engine_, OneClickControl::engineScans(),
                                          [workers = workers_.get()](std::function<void()> work) {
                                              return workers->start(std::move(work));
                                          });
    header_ = std::make_unique<SystemStatusHeader>(
        *oneClick_, SystemStatusHeader::Hooks{[this](bool scanning, bool removing) {
                                                  delegate_.setIsScanningOneClick(scanning);
                                                  delegate_.setIsRemovingOneClick(removing);
                                              },
                                              [this] {
                                                  if (sidebar_)
                                                      sidebar_->selection().clearOneTimeStartScan();
                                              }});
    // The Misc Cleaning page draws its confirmation number from the C library's generator.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    awakeFromNib();
}

AppController::~AppController() {
    center_.removeObserversOf(this);
    statusBarCommands_.reset();
    // The junk scans this controller started end before the pages and the engine go. A scan
    // held in its pause handshake is let go; it then sees its stop flag.
    oneClick_->stopScans();
    for (const auto& module : OneClickControl::junkModules())
        engine_->flags(module).pause = false;
    workers_.reset();
    scriptTask_.reset();
    removeAllView();
    pages_.clear();
}

// --- Creation -------------------------------------------------------------------------------

void AppController::deleteSavedWindowState() const {
    const std::string identifier = qcore::Bundle::main().bundleIdentifier();
    if (identifier.empty() || !qcore::Home::realHomeIsUsable()) return;
    const std::string state = qcore::Home::containerHome(identifier) +
                              "/Library/Saved Application State/" + identifier + ".savedState";
    if (qcore::FileManager::exists(state)) qcore::FileManager::removeItem(state);
}

void AppController::handOver(void (AppController::*method)(const qcore::Notification&),
                             const qcore::Notification& n, bool wait) {
    const QPointer<AppController> self(this);
    auto work = [self, method, n] {
        if (self) (self.data()->*method)(n);
    };
    qcore::MainThread& mainThread = qcore::MainThread::current();
    if (wait)
        mainThread.postAndWait(std::move(work));
    else
        mainThread.post(std::move(work));
}

void AppController::registerObservers() {
    const auto observe = [this](const std::string& name,
                                void (AppController::*handler)(const qcore::Notification&)) {
        center_.addObserver(this, name,
                            [this, handler](const qcore::Notification& n) { (this->*handler)(n); });
    };
    observe(notifications::kMyNotification, &AppController::handleViewChange);
    observe("AnimateLockNotification", &AppController::handleAnimateLockNotification);
    observe("DataFillerUpdateNotification", &AppController::handleUpdates);
    observe("ActivityStartStopNotification", &AppController::handleActivityStartStop);
    observe(notifications::kReloadLastScan, &AppController::handleReloadLastScanNotification);
    observe(notifications::kCheckHomeAccess, &AppController::handleCheckHomeAccessNotification);
    observe(notifications::kSendLogs, &AppController::handleSendLogsNotification);
    observe("AwakeNotification", &AppController::handleAwakeNotification);
    // Posted on the main thread by the interface, so handled at once.
    center_.addObserver(this, notifications::kShowTheApp,
                        [this](const qcore::Notification&) { openAppFromBackground(); });
    statusBarCommands_ = std::make_unique<StatusBarCommands>(
        StatusBarCommands::Actions{[this] { openAppFromBackground(); }, [this] { fixNow(); },
                                   [this] { stopOneClickCareScan(); },
                                   [this] { openDuplicateFilesSectionAndStartScan(); },
                                   [this] { stopDuplicateScan(); }},
        center_);
}

template <typename Page> void AppController::makePage(const std::string& module) {
    const std::string name = displayName(module);
    auto page = std::make_unique<Page>(*engine_, nullptr);
    page->setPageDelegate(&delegate_);
    pages_[name] = std::move(page);
    pageNames_.push_back(name);
}

void AppController::prepareViewControllers() {
    makePage<qpages::StatusController>(SidebarTree::kOneClickCleaningName);
    makePage<qpages::CacheController>(m::kSystemCleaner);
    makePage<qpages::LogsController>(m::kLogsCleaner);
    makePage<qpages::TrashController>(m::kTrashCleaner);
    makePage<qpages::PartialDownloads>(m::kPartialDownloads);
    makePage<qpages::DuplicateFilesController>(m::kDuplicatesFinder);
    makePage<qpages::UninstallerController>(m::kUninstaller);
    makePage<qpages::InternetPrivacyController>(m::kInternetPrivacy);
    makePage<qpages::ManualCleanController>(m::kMiscCleaning);
    makePage<qpages::LargeFilesController>(m::kLargeFiles);
    makePage<qpages::OldDownloads>(m::kOldDownloads);
}

std::string AppController::displayName(const std::string& module) const {
    return engine_->getModuleName(module, true);
}

QString AppController::token(const std::string& group, const std::string& key) const {
    return QString::fromStdString(texts_.token(group, key));
}

// --- Interface set-up ---------------------------------------------------------------------

void AppController::awakeFromNib() {
    const qcore::Bundle& bundle = qcore::Bundle::main();
    window_.setWindowTitle(QString::fromStdString(bundle.bundleName()));
    setUpContent();
    setUpSheets();
    setUpMenu();
    setUpFooter();
    setUpHeader();
    setUpSplitView();
    window_.setDelegate(this);
    setUpSidebar();
    panelView_->updateSystemStatusFonts();
    updateLastScanFromSaved();
    const qtk::ViewFormatter formatter(*engine_);
    for (QWidget* view : {content_, homeFolderSheet_->box(), feedbackView_->box()})
        formatter.updateFormattedObjectsForView(view);
    ui_->linkSendFeedback->hide();
}

void AppController::setUpContent() {
    ui_ = std::make_unique<Ui::MainMenuInterface>();
    content_ = new QWidget;
    ui_->setupUi(content_);
    window_.setContentWidget(content_);
    qui::Autoresizing::apply(ui_->splitView,
                             mask({Resizing::FlexibleWidth, Resizing::FlexibleHeight}));
    qui::Autoresizing::apply(ui_->globalFooter,
                             mask({Resizing::FlexibleWidth, Resizing::FlexibleTopMargin}));
    ui_->globalFooter->setGradientImageName(QStringLiteral("globalfooter.png"));
    ui_->boxGreen->setGradientImageName(QStringLiteral("green_start.png"),
                                        QStringLiteral("green_middle.png"),
                                        QStringLiteral("green_end.png"));
    ui_->boxYellow->setGradientImageName(QStringLiteral("yellow_start.png"),
                                         QStringLiteral("yellow_middle.png"),
                                         QStringLiteral("yellow_end.png"));
    // The System Status view follows the page pane (see splitViewDidResize); inside it the
    // boxes follow its width and the buttons keep their right margin.
    for (QWidget* box :
         {static_cast<QWidget*>(ui_->topBox), static_cast<QWidget*>(ui_->boxSystemStatus),
          static_cast<QWidget*>(ui_->boxYellow), static_cast<QWidget*>(ui_->boxGreen)})
        qui::Autoresizing::apply(box,
                                 mask({Resizing::FlexibleWidth, Resizing::FlexibleBottomMargin}));
    for (QWidget* right :
         {static_cast<QWidget*>(ui_->scanButton), static_cast<QWidget*>(ui_->removeButton),
          static_cast<QWidget*>(ui_->lockButton), static_cast<QWidget*>(ui_->btnStartSystemScan),
          static_cast<QWidget*>(ui_->btnFixNow), static_cast<QWidget*>(ui_->btnRecoverNow)})
        qui::Autoresizing::apply(
            right, mask({Resizing::FlexibleLeftMargin, Resizing::FlexibleBottomMargin}));
    // The labels beside those buttons give up the width the buttons take when the window is
    // narrower than the layout (a small screen), so the two never overlap.
    for (QWidget* label :
         {static_cast<QWidget*>(ui_->macSystemName), static_cast<QWidget*>(ui_->textTotalJunkSize),
          static_cast<QWidget*>(ui_->systemHeaderText),
          static_cast<QWidget*>(ui_->textLastScanTime), static_cast<QWidget*>(ui_->lblRecAction),
          static_cast<QWidget*>(ui_->lblScanDesc)})
        qui::Autoresizing::apply(label,
                                 mask({Resizing::FlexibleWidth, Resizing::FlexibleBottomMargin}));
}

void AppController::setUpSheets() {
    const QString appName = QString::fromStdString(qcore::Bundle::main().bundleName());
    sheetRunner_ = std::make_unique<SheetRunner>(window_, delegate_.isYosemite(),
                                                 delegate_.isOSXGreaterThan11());
    homeFolderSheet_ =
        new HomeFolderSheet(window_, *sheetRunner_, texts_, appName, options_.dialogs, this);
    homeGrant_ = std::make_unique<HomeGrant>(
        defaults_, qcore::Home::realHomeDirectory(), *homeFolderSheet_,
        [this](const std::string& folder) { granted(folder); }, center_);
    homeFolderSheet_->setActions([this] { homeGrant_->confirm(); },
                                 [this] { homeGrant_->cancel(); });

    const std::string container =
        qcore::Home::containerHome(qcore::Bundle::main().bundleIdentifier());
    std::function<bool()> networkUp = options_.networkUp;
    if (!networkUp)
        networkUp = [] { return NetworkProbe(WebLinks::probeUrl()).isInternetConnected(); };
    feedback_ = std::make_unique<FeedbackSheet>(
        LogFile::folder(container), LogFile::path(container, qcore::Bundle::main().bundleName()),
        std::move(networkUp));
    feedbackView_ = new FeedbackSheetView(window_, *sheetRunner_, texts_, appName, *feedback_,
                                          options_.dialogs, this);
}

void AppController::setUpMenu() {
    const QString appName = QString::fromStdString(qcore::Bundle::main().bundleName());
    ApplicationMenu::Actions actions;
    actions.about = [this] { showAboutBox(); };
    actions.preferences = [this] { delegate_.openPreferencesWindow(); };
    actions.closeWindow = [this] { window_.performClose(); };
    actions.quit = [this] { terminateApp(); };
    actions.minimize = [this] { window_.performMiniaturize(); };
    actions.zoom = [this] { window_.performZoom(); };
    actions.help = [this] { openHelp(); };
    actions.feedback = [this] { openFeedbackWindow(); };
    actions.website = [this] { openWebsite(); };
    actions.speedTest = [this] { openSpeedTest(); };
    actions.rateUs = [this] { btnRateUsClicked(); };
    menu_ = new ApplicationMenu(*window_.titleBarView(), texts_, appName,
                                {engine_->showSpeedTestButton()}, std::move(actions));
    delegate_.setWindowButtonNames({token(kMainMenuGroup, "ID_APP_CLOSE"),
                                    token(kMainMenuGroup, "ID_APP_MINIMIZE"),
                                    token(kMainMenuGroup, "ID_APP_ZOOM")});
}

void AppController::showAboutBox() {
    const qcore::Bundle& bundle = qcore::Bundle::main();
    const std::string name = bundle.bundleName();
    AboutBox::Contents contents{
        QString::fromStdString(name),
        QString::fromStdString(bundle.infoString("CFBundleShortVersionString")),
        QString::fromStdString(bundle.infoString("CFBundleVersion")),
        QString::fromStdString(WebLinks::websiteUrl()),
        QString::fromStdString(
            qengine::text::fillPlaceholders(texts_.token("GRP_MAIN_MENU", "ID_ABOUT"), {name}))};
    auto* box = new AboutBox(std::move(contents), options_.dialogs.openUrl, &window_);
    box->show();
}

void AppController::setUpFooter() {
    ui_->linkWebsite->setFont(qui::labelFont(10));
    ui_->linkWebsite->setTitle(QUrl(QString::fromStdString(WebLinks::websiteUrl())).host());
    for (qtk::LinkButton* link : {ui_->btnRateUs, ui_->linkSendFeedback, ui_->btnSpeedTest})
        link->setFont(qui::labelFont(10));
    ui_->btnSpeedTest->setVisible(engine_->showSpeedTestButton());
    connect(ui_->linkWebsite, &QAbstractButton::clicked, this, &AppController::openWebsite);
    connect(ui_->btnRateUs, &QAbstractButton::clicked, this, &AppController::btnRateUsClicked);
    connect(ui_->linkSendFeedback, &QAbstractButton::clicked, this,
            &AppController::openFeedbackWindow);
    connect(ui_->btnSpeedTest, &QAbstractButton::clicked, this, &AppController::openSpeedTest);
}

void AppController::setUpHeader() {
    headerView_ =
        new StatusHeaderView(*ui_, *header_, texts_, {[this] { showOneClickPage(); }}, this);
    panelView_ = new LastScanPanelView(
        *ui_, texts_,
        {QColor::fromRgbF(engine_->lowColor().red, engine_->lowColor().green,
                          engine_->lowColor().blue),
         QColor::fromRgbF(engine_->medColor().red, engine_->medColor().green,
                          engine_->medColor().blue),
         QColor::fromRgbF(engine_->highColor().red, engine_->highColor().green,
                          engine_->highColor().blue)},
        this);
    panelView_->updateLanguageTokens();
    headerView_->setStatusFonts();
    const std::string machine =
        qengine::text::fillPlaceholders(texts_.token(kSystemStatusGroup, "ID_TOP_JUNK"),
                                        {QSysInfo::machineHostName().toStdString()});
    headerView_->setMachineName(QString::fromStdString(machine));
    ui_->systemHeaderText->setText(systemHeaderLine());
    connect(ui_->btnStartSystemScan, &QAbstractButton::clicked, this,
            &AppController::startSystemScan);
    connect(ui_->btnFixNow, &QAbstractButton::clicked, this, &AppController::fixNow);
    connect(ui_->btnRecoverNow, &QAbstractButton::clicked, this, &AppController::showOneClickPage);
}

QString AppController::systemHeaderLine() const {
    const qcore::Dictionary info = SystemInfo().systemInformation();
    std::string processor = trimmed(infoValue(info, "Processor Name"));
    if (processor.empty()) processor = texts_.common("ID_UNKNOWN");
    const std::string line = systemLine(
        qcore::SystemVersion::operatingSystemName(), trimmed(infoValue(info, "ProductVersion")),
        trimmed(infoValue(info, "Model Name")), processor, trimmed(infoValue(info, "Memory")));
    qcore::log(line);
    return QString::fromStdString(line);
}

void AppController::setUpSplitView() {
    QWidget* sidebar = ui_->myOutlineView;
    sidebar->setMinimumWidth(kSidebarWidth);
    sidebar->setMaximumWidth(kSidebarWidth);
    ui_->splitView->setStretchFactor(0, 0);
    ui_->splitView->setStretchFactor(1, 1);
    ui_->splitView->setSizes({kSidebarWidth, ui_->splitView->width() - kSidebarWidth - 1});
    ui_->placeHolderView->installEventFilter(this);
}

void AppController::setUpSidebar() {
    sidebar_ = new SidebarView(
        *ui_->myOutlineView, *engine_,
        [this](const SidebarSelection::Outcome& outcome) { sidebarSelectionChanged(outcome); });
    ui_->myOutlineView->setAccessibleName(QString::fromStdString(texts_.common("ID_SIDEBAR")));
}

// --- Pages ----------------------------------------------------------------------------------

qpages::PageBase* AppController::page(const std::string& displayName) const {
    const auto it = pages_.find(displayName);
    return it == pages_.end() ? nullptr : it->second.get();
}

void AppController::showView(const std::string& name) {
    headerView_->fade(false);
    if (name == displayName(SidebarTree::kOneClickCleaningName))
        center_.post(notifications::kHideDetailsView, this,
                     {{notifications::kNotificationGroup, "AppController"}});
    qpages::PageBase* shown = page(name);
    if (!shown) {
        removeAllView();
        return;
    }
    addView(shown->view());
}

void AppController::addView(QWidget* view) {
    removeAllView();
    if (!view) return;
    view->setParent(ui_->placeHolderView);
    view->setAutoFillBackground(true);
    view->setGeometry(ui_->placeHolderView->rect());
    view->show();
    // The page covers the System Status view; hidden as well, assistive tools do not find its
    // controls under the page.
    ui_->whiteBox->hide();
}

void AppController::removeAllView() {
    if (!ui_) return;
    for (QWidget* child :
         ui_->placeHolderView->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child == ui_->whiteBox) continue;
        child->hide();
        child->setParent(nullptr);
    }
    ui_->whiteBox->show();
}

QWidget* AppController::shownView() const {
    for (QWidget* child : ui_->placeHolderView->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != ui_->whiteBox) return child;
    return nullptr;
}

void AppController::sidebarSelectionChanged(const SidebarSelection::Outcome& outcome) {
    using Action = SidebarSelection::Action;
    switch (outcome.action) {
    case Action::Nothing:
        return;
    case Action::ShowSystemStatus:
        showSystemStatus();
        return;
    case Action::ShowPage:
        if (outcome.postOneTimeStartScan)
            center_.post(notifications::kOneTimeStartScan, this,
                         {{notifications::kNotificationGroup, ""}});
        showView(outcome.displayName);
        headerView_->fade(false);
        return;
    case Action::RemoveAllViews:
        removeAllView();
        return;
    }
}

void AppController::showSystemStatus() {
    ui_->imageImpPot->show();
    ui_->btnStartSystemScan->show();
    ui_->btnStartSystemScan->setEnabled(true);
    removeAllView();
    headerView_->fade(true);
}

bool AppController::eventFilter(QObject* watched, QEvent* event) {
    if (ui_ && watched == ui_->placeHolderView && event->type() == QEvent::Resize)
        splitViewDidResize();
    return QObject::eventFilter(watched, event);
}

void AppController::splitViewDidResize() {
    center_.post(notifications::kResize, this, {{notifications::kNotificationGroup, ""}});
    ui_->whiteBox->setGeometry(ui_->placeHolderView->rect());
    if (QWidget* shown = shownView()) shown->setGeometry(ui_->placeHolderView->rect());
    for (QWidget* box :
         {static_cast<QWidget*>(ui_->boxGreen), static_cast<QWidget*>(ui_->boxYellow),
          static_cast<QWidget*>(ui_->boxSystemStatus)})
        box->update();
}

// --- Window -----------------------------------------------------------------------------------

std::optional<bool> AppController::windowShouldClose(qtk::WAYAppStoreWindow&) {
    closeWindowButKeepAppAlive();
    QTimer::singleShot(options_.popoverDelayMs, this, [this] {
        qcore::runGuarded("Popover after the window closed",
                          [this] { showPopoverAfterWindowClose(); });
    });
    return false;
}

void AppController::windowWillClose(qtk::WAYAppStoreWindow& window) {
    if (&window == &window_) terminateApp();
}

void AppController::closeWindowButKeepAppAlive() {
    if (isFullScreen()) window_.showNormal();
    // A hidden window has no task-bar entry; that is as far as leaving the dock goes here.
    window_.hide();
}

void AppController::showPopoverAfterWindowClose() {
    delegate_.showPopoverView();
}

void AppController::openAppFromBackground() {
    if (window_.isMinimized()) window_.showNormal();
    window_.orderFront();
    window_.activateWindow();
}

void AppController::terminateApp() {
    options_.dialogs.quit();
}

bool AppController::isFullScreen() const {
    return window_.isFullScreenWindow();
}

// --- System Status and commands ------------------------------------------------------------

void AppController::showOneClickPage() {
    showView(displayName(SidebarTree::kOneClickCleaningName));
    sidebar_->selectRow(SidebarTree::kOneClickCleaning);
    headerView_->fade(false);
}

void AppController::fixNow() {
    // Cleared first, so selecting the row does not start the page's own scan as well.
    sidebar_->selection().clearOneTimeStartScan();
    showOneClickPage();
    header_->fixNow();
    headerView_->refresh();
}

void AppController::startSystemScan() {
    sidebar_->selection().clearOneTimeStartScan();
    showOneClickPage();
    header_->startSystemScan();
    headerView_->refresh();
}

void AppController::stopOneClickCareScan() {
    showView(displayName(SidebarTree::kOneClickCleaningName));
    sidebar_->selectRow(SidebarTree::kOneClickCleaning);
    header_->startStopScan(0);
    headerView_->refresh();
}

void AppController::openDuplicateFilesSectionAndStartScan() {
    const std::string name = displayName(m::kDuplicatesFinder);
    sidebar_->selectRow(SidebarTree::kDuplicatesFinder);
    showView(name);
    if (auto* duplicates = dynamic_cast<qpages::DuplicateFilesController*>(page(name)))
        duplicates->findDups(duplicates->btnFindDups());
}

void AppController::stopDuplicateScan() {
    const std::string name = displayName(m::kDuplicatesFinder);
    sidebar_->selectRow(SidebarTree::kDuplicatesFinder);
    showView(name);
    // Only a running scan is stopped; with none running nothing starts.
    if (auto* duplicates = dynamic_cast<qpages::DuplicateFilesController*>(page(name)))
        duplicates->stopRunningScan();
}

void AppController::lockUnlock() {
    headerView_->lockButtonClicked();
}

void AppController::updateLastScanFromSaved() {
    panelView_->show(LastScanSummary::read(defaults_, texts_));
}

// --- Alerts, feedback, links ----------------------------------------------------------------

void AppController::displayAlertWithMessageText(const QString& message) {
    window_.setWindowOpacity(1.0);
    options_.dialogs.sheetAlert(&window_, message, QString::fromStdString(texts_.common("ID_OK")));
}

void AppController::btnRateUsClicked() {
    const qcore::Bundle& bundle = qcore::Bundle::main();
    options_.dialogs.openUrl(
        QUrl(QString::fromStdString(WebLinks::ratingUrl(bundle.bundleIdentifier()))));
    defaults_.setObject(settings::kVersionRated, bundle.infoString("CFBundleVersion"));
    defaults_.synchronize();
}

void AppController::openFeedbackWindow() {
    feedbackView_->openFeedbackWindow();
}

void AppController::openLink(const std::string& url, bool isHelp) {
    if (options_.dialogs.openUrl(QUrl(QString::fromStdString(url)))) return;
    const WebLinks::FailureAlert alert = WebLinks::failureAlert(
        isHelp ? WebLinks::Link::Help : WebLinks::Link::Website, url, texts_);
    options_.dialogs.modalAlert(&window_, QString::fromStdString(alert.message),
                                QString::fromStdString(alert.informative),
                                QString::fromStdString(alert.okTitle));
}

void AppController::openHelp() {
    openLink(WebLinks::supportUrl(), true);
}

void AppController::openSpeedTest() {
    openLink(WebLinks::speedTestUrl(engine_->speedTestURL()), false);
}

void AppController::openWebsite() {
    openLink(WebLinks::websiteUrl(), false);
}

// --- Home-folder grant, script and profiles -------------------------------------------------

void AppController::granted(const std::string&) {
    delegate_.setUpStatusBarItem();
    installFile();
}

void AppController::installFile() {
    const qcore::Bundle& bundle = qcore::Bundle::main();
    std::string source = options_.scriptSource;
    if (source.empty()) source = bundle.pathForResource("runScript", "scpt").value_or("");
    std::string folder = options_.scriptsFolder;
    if (folder.empty()) folder = qcore::Home::applicationScriptsFolder(bundle.bundleIdentifier());
    if (source.empty() || !ScriptInstaller::install(source, folder)) return;
    getMozilaprofilePath(folder);
}

void AppController::getMozilaprofilePath(const std::string& scriptsFolder) {
    scriptTask_ = std::make_unique<qcore::ScriptTask>(ScriptInstaller::targetPath(scriptsFolder));
    FirefoxProfileRequest::startForEngine(
        *scriptTask_, qcore::Home::realHomeDirectory(), *engine_, qcore::MainThread::current(),
        [self = QPointer<AppController>(this)] { return !self.isNull(); });
}

// --- Notification hand-over -------------------------------------------------------------------

void AppController::handleViewChange(const qcore::Notification& n) {
    handOver(&AppController::mainthread_handleViewChange, n, true);
}

void AppController::mainthread_handleViewChange(const qcore::Notification& n) {
    sidebar_->selectRow(sidebar_->tree().rowForViewRequest(n.info(notifications::kShowView)));
}

void AppController::handleAnimateLockNotification(const qcore::Notification& n) {
    handOver(&AppController::mainthread_handleAnimateLockNotification, n, true);
}

void AppController::mainthread_handleAnimateLockNotification(const qcore::Notification& n) {
    headerView_->animateLock(header_->handleAnimateLock(n.userInfo));
}

void AppController::handleUpdates(const qcore::Notification& n) {
    handOver(&AppController::mainthread_handleUpdates, n, false);
}

void AppController::mainthread_handleUpdates(const qcore::Notification& n) {
    header_->handleUpdate(n.userInfo);
    headerView_->refresh();
}

void AppController::handleActivityStartStop(const qcore::Notification& n) {
    handOver(&AppController::mainthread_handleActivityStartStop, n, true);
}

void AppController::mainthread_handleActivityStartStop(const qcore::Notification& n) {
    if (header_->handleActivityStartStop(n.userInfo)) headerView_->refresh();
}

void AppController::handleReloadLastScanNotification(const qcore::Notification& n) {
    handOver(&AppController::mainthread_handleReloadLastScanNotification, n, true);
}

void AppController::mainthread_handleReloadLastScanNotification(const qcore::Notification&) {
    updateLastScanFromSaved();
}

void AppController::handleCheckHomeAccessNotification(const qcore::Notification& n) {
    handOver(&AppController::mainthread_handleCheckHomeAccessNotification, n, false);
}

void AppController::mainthread_handleCheckHomeAccessNotification(const qcore::Notification&) {
    homeGrant_->check();
}

void AppController::handleSendLogsNotification(const qcore::Notification& n) {
    handOver(&AppController::mainthread_handleSendLogsNotification, n, true);
}

void AppController::mainthread_handleSendLogsNotification(const qcore::Notification&) {
    const std::string container =
        qcore::Home::containerHome(qcore::Bundle::main().bundleIdentifier());
    displayAlertWithMessageText(QString::fromStdString(FeedbackReport::logsAcknowledgement(
        texts_, LogFile::path(container, qcore::Bundle::main().bundleName()))));
}

void AppController::handleAwakeNotification(const qcore::Notification& n) {
    handOver(&AppController::mainthread_handleAwakeNotification, n, true);
}

void AppController::mainthread_handleAwakeNotification(const qcore::Notification& n) {
    awakeModules_.insert(n.info(notifications::kNotificationGroup));
}

} // namespace qshell
