#include "pages/tools/UninstallerController.h"

#include "engine/DataFiller.h"
#include "engine/FileOperations.h"
#include "engine/LeftoverFinder.h"
#include "engine/ModuleKeys.h"
#include "pages/care/PageNotifications.h"
#include "pages/tools/UninstallDragDrop.h"
#include "pages/tools/UninstallerAppsSheet.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/Home.h"
#include "platform/core/Log.h"
#include "platform/core/ScriptTask.h"
#include "platform/core/Workspace.h"
#include "platform/ui/Alert.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/GuiWorkspace.h"
#include "platform/ui/ImageCache.h"
#include "toolkit/GradientBox.h"
#include "toolkit/IMGButton.h"
#include "toolkit/ViewFormatter.h"

#include "ui_Uninstaller.h"

#include <QCoreApplication>
#include <QPropertyAnimation>
#include <QShowEvent>
#include <QTimer>
#include <QWindowStateChangeEvent>

namespace qpages {

using qcore::FileManager;
using qengine::AppBundle;
using qengine::LeftoverEntry;
using qengine::UninstallOutcome;

namespace {

const std::string& kModule = qengine::modules::kUninstaller;
const std::string kGroup = "GRP_UNINSTALLER";
constexpr int kIconSlide = 30;     // the dragged icon sinks this far when it enters
constexpr int kArrowLift = 70;     // the arrow and icon sit this far above the centre
constexpr int kNarrowArrowX = 300; // below this the icon's start moves right
constexpr int kHeaderHeight = 64;
constexpr int kInfoHeight = 40;
constexpr int kFooterHeight = 56;
constexpr int kSlideOutMs = 300;
constexpr int kAnimationMs = 250;
constexpr int kPreviewIconSize = 48;

// Marks the module's operation as running for the worker's lifetime, with one of its
// activity flags set, so the page's indicator and the module's claim follow the worker.
class OperationScope {
public:
    OperationScope(qengine::ModuleFlags& flags, std::atomic<bool>& activity)
        : flags_(flags), activity_(activity) {
        flags_.beginOperation();
        activity_.store(true);
    }
    ~OperationScope() {
        activity_.store(false);
        flags_.endOperation();
    }
    OperationScope(const OperationScope&) = delete;
    OperationScope& operator=(const OperationScope&) = delete;

private:
    qengine::ModuleFlags& flags_;
    std::atomic<bool>& activity_;
};

void animateTo(QWidget* widget, const QRect& frame) {
    auto* animation = new QPropertyAnimation(widget, "geometry", widget);
    animation->setDuration(kAnimationMs);
    animation->setEndValue(frame);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

UninstallerController::UninstallerController(qengine::DataFiller& dataFiller, QWidget* parent)
    : PageBase(dataFiller, parent), reveal_(&qui::GuiWorkspace::revealInFileManager) {
    registerObservers();
}

UninstallerController::~UninstallerController() {
    finishPage({kModule});
}

void UninstallerController::registerObservers() {
    const QPointer<UninstallerController> page(this);
    const auto forward = [this,
                          page](const std::string& name,
                                void (UninstallerController::*method)(const qcore::Notification&)) {
        observe(name, [page, method](const qcore::Notification& n) {
            handOver(page, method, n, HandOver::Wait);
        });
    };
    forward(UninstallDragDrop::kDropNotification,
            &UninstallerController::handleFileDropNotification);
    forward(UninstallDragDrop::kEnterNotification,
            &UninstallerController::handleFileEnterDropNotification);
    forward(UninstallDragDrop::kExitNotification,
            &UninstallerController::handleFileExitDropNotification);
    forward(notes::kResize, &UninstallerController::mainthread_handleResizeNotification);
}

// --- Interface ---------------------------------------------------------------------------------

void UninstallerController::loadInterface() {
    ui_ = std::make_unique<Ui::UninstallerInterface>();
    ui_->setupUi(this);
    connect(ui_->rescanButton, &QPushButton::clicked, this, &UninstallerController::rescanNow);
    connect(ui_->revealButton, &QPushButton::clicked, this, &UninstallerController::revealInFinder);
    connect(ui_->removeButton, &QPushButton::clicked, this, &UninstallerController::removeSelected);
}

void UninstallerController::viewDidLoad() {
    QPalette dropText = ui_->lblDragDropText->palette();
    dropText.setColor(QPalette::WindowText, Qt::darkGray);
    ui_->lblDragDropText->setPalette(dropText);
    qtk::ViewFormatter formatter(dataFiller());
    formatter.makeMultilingualChangesForYosemiteForLblDesc(ui_->lblDesc);
    updateLanguageTokens();
    updateDescription(false, false);

    ui_->mainInfoBox->setGradientImageName("yellow_bg_left.png", "yellow_bg_middle.png",
                                           "yellow_bg_right.png");
    ui_->boxHeader->setGradientImageName("header.png");
    ui_->boxFooter->setGradientImageName("footer.png");
    ui_->boxPreview->setAutoFillBackground(true);
    QPalette preview = ui_->boxPreview->palette();
    preview.setColor(QPalette::Window, QColor::fromRgbF(1.0f, 0.9961f, 0.9216f));
    ui_->boxPreview->setPalette(preview);
    changeFontAndSize();

    ui_->arrowView->setPixmap(qui::namedImage("drop_arrow.png"));
    ui_->cleaningView->setPixmap(qui::namedImage("Uninstaller.png"));
    ui_->imgStopScanClean->setPixmap(qui::namedImage("stop_sign.png"));
    for (QLabel* image :
         {ui_->arrowView, ui_->iView, ui_->imageView, ui_->cleaningView, ui_->imgStopScanClean})
        image->setAccessibleName(image->objectName());
    ui_->progressbar->setAccessibleName(QStringLiteral("progressbar"));
    ui_->dropView->setAccessibleName(ui_->lblDragDropText->text());
    QPalette problem = ui_->lblRemovalProblem->palette();
    problem.setColor(QPalette::WindowText, QColor(0x8a, 0x2b, 0x2b));
    ui_->lblRemovalProblem->setPalette(problem);
    ui_->progressbar->hide();
    ui_->rescanButton->setEnabled(false);

    applyViewFormatting();
    formatter.updateFormattedObjectsForView(appsRunningSheet());
    setUpUninstallButton();
    dataFiller().sendAwakeNotification(kModule);

    auto* sheet = appsRunningSheet();
    qtk::ViewFormatter::resizeMe(sheet->btnWRetry(), 0, 0, false);
    qtk::ViewFormatter::resizeMe(sheet->btnWContinue(), 0, 0, true);
    qtk::ViewFormatter::resizeLabel(sheet->lblWQuitApps(), true);
    qtk::ViewFormatter::resizeButton(ui_->revealButton);
    ui_->revealButton->setMinimumWidth(ui_->revealButton->sizeHint().width() + 30);
    ui_->removeButton->setText(uninstallerToken("ID_UNINSTALL"));
    mainthread_handleResizeNotification({});
}

UninstallDragDrop* UninstallerController::dropView() {
    view();
    return ui_->dropView;
}

UninstallerAppsSheet* UninstallerController::appsRunningSheet() {
    if (!appsRunningSheet_) {
        appsRunningSheet_ = new UninstallerAppsSheet(this);
        appsRunningSheet_->hide();
        appsRunningSheet_->setTexts(commonToken("ID_FAPPS_RUNNING"), commonToken("ID_QUIT_APP"),
                                    commonToken("ID_RETRY"), commonToken("ID_CANCEL"));
    }
    return appsRunningSheet_;
}

QString UninstallerController::uninstallerToken(const std::string& key) const {
    return token(kGroup, key);
}

void UninstallerController::updateLanguageTokens() {
    ui_->rescanButton->setText(commonToken("ID_BACK"));
    ui_->imgStopScanClean->setToolTip(commonToken("ID_OPERATION_ABORTED"));
    QString title = moduleDisplayName(kModule);
    for (int pass = 0; pass < 2; ++pass)
        title.replace(QStringLiteral("  "), QStringLiteral(" "));
    ui_->lblTitle->setText(title);
    ui_->staticPreview->setText(commonToken("ID_PREVIEW"));
    ui_->staticAppName->setText(commonToken("ID_NAME"));
    ui_->staticAppSize->setText(uninstallerToken("ID_APP_SIZE"));
    ui_->staticAppVersion->setText(uninstallerToken("ID_VERSION"));
    ui_->staticAppTraceSize->setText(uninstallerToken("ID_DATA_ATTACHED"));
    ui_->staticAppPath->setText(commonToken("ID_PATH"));
    ui_->revealButton->setText(commonToken("ID_SHOW_IN_FINDER"));
    ui_->lblDragDropText->setText(commonToken("ID_DRAG_DROP_UNINSTALL"));
    ui_->lblUninstalling->setText(uninstallerToken("ID_UNINSTALLING"));
    ui_->lblUninstallDone->setText(uninstallerToken("ID_UNINSTALL_DONE"));
}

void UninstallerController::updateDescription(bool, bool) {
    ui_->lblDesc->setText(text(dataFiller().getTokenForActivity(kModule, true, true)));
}

void UninstallerController::changeFontAndSize() {
    QFont title = ui_->lblTitle->font();
    title.setPixelSize(20);
    title.setBold(false);
    ui_->lblTitle->setFont(title);
    QPalette titleColours = ui_->lblTitle->palette();
    titleColours.setColor(QPalette::WindowText, Qt::black);
    ui_->lblTitle->setPalette(titleColours);
    QFont desc = ui_->lblDesc->font();
    desc.setPixelSize(11);
    ui_->lblDesc->setFont(desc);
    QPalette descColours = ui_->lblDesc->palette();
    descColours.setColor(QPalette::WindowText, Qt::darkGray);
    ui_->lblDesc->setPalette(descColours);
}

void UninstallerController::setUpUninstallButton() {
    ui_->removeButton->setButtonImages(
        "btn_blue_n_left.png", "btn_blue_n_middle.png", "btn_blue_n_right.png",
        "btn_blue_d_left.png", "btn_blue_d_middle.png", "btn_blue_d_right.png", "btn_dis_left.png",
        "btn_dis_middle.png", "btn_dis_right.png", "btn_blue_d_left.png", "btn_blue_d_middle.png",
        "btn_blue_d_right.png", "btn_gray_d_left.png", "btn_gray_d_middle.png",
        "btn_gray_d_right.png", "btn_dis_left.png", "btn_dis_middle.png", "btn_dis_right.png");
}

// --- Layout ------------------------------------------------------------------------------------

void UninstallerController::handleResizeNotification(const qcore::Notification& n) {
    handOver(QPointer(this), &UninstallerController::mainthread_handleResizeNotification, n,
             HandOver::Wait);
}

void UninstallerController::mainthread_handleResizeNotification(const qcore::Notification&) {
    if (!ui_) return;
    placePanels();
    const QSize v = ui_->dropView->size();
    const auto centred = [&v](const QSize& size) {
        return qui::PointRect{(v.width() - size.width()) * 0.5,
                              (v.height() - size.height()) * 0.5 + kArrowLift, double(size.width()),
                              double(size.height())};
    };
    const qui::PointRect arrow = centred(ui_->arrowView->size());
    qui::setFrame(ui_->arrowView, arrow);
    qui::PointRect start = centred(ui_->iView->size());
    if (arrow.x < kNarrowArrowX) start.x += 20;
    frameStartAnim_ = qui::toQt(start, v.height());
    if (ui_->iView->isVisible()) ui_->iView->setGeometry(frameStartAnim_.translated(0, kIconSlide));
}

void UninstallerController::placePanels() {
    const int w = ui_->dropView->width();
    const int h = ui_->dropView->height();
    ui_->boxHeader->setGeometry(0, 0, w, kHeaderHeight);
    ui_->mainInfoBox->setGeometry(0, kHeaderHeight, w, kInfoHeight);
    ui_->boxFooter->setGeometry(0, h - kFooterHeight, w, kFooterHeight);
    const int previewWidth = std::min(w - 40, 540);
    // Grows upwards when a problem is reported in it.
    const QLayout* previewLayout = ui_->boxPreview->layout();
    const int previewHeight = std::max({176, previewLayout->sizeHint().height(),
                                        previewLayout->heightForWidth(previewWidth) + 12});
    ui_->boxPreview->setGeometry((w - previewWidth) / 2, h - kFooterHeight - 12 - previewHeight,
                                 previewWidth, previewHeight);
    const int textWidth = std::min(w - 40, 360);
    ui_->lblDragDropText->setGeometry((w - textWidth) / 2, h / 2 + 60, textWidth, 40);
}

void UninstallerController::resizeEvent(QResizeEvent* event) {
    PageBase::resizeEvent(event);
    if (ui_) mainthread_handleResizeNotification({});
}

void UninstallerController::showEvent(QShowEvent* event) {
    PageBase::showEvent(event);
    QWidget* top = window();
    if (top == watchedWindow_) return;
    if (watchedWindow_) watchedWindow_->removeEventFilter(this);
    watchedWindow_ = top;
    top->installEventFilter(this);
}

bool UninstallerController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watchedWindow_ && ui_) {
        if (event->type() == QEvent::WindowActivate) mainthread_handleWindowBecameMain();
        if (event->type() == QEvent::WindowStateChange && watchedWindow_->isMinimized())
            mainthread_handlewindowWillMinimize();
    }
    return PageBase::eventFilter(watched, event);
}

void UninstallerController::mainthread_handleWindowBecameMain() {
    progressBarStart(dataFiller().isFillingApplications() || dataFiller().isRemovingApplications());
}

void UninstallerController::mainthread_handlewindowWillMinimize() {
    ui_->boxFooter->update();
}

void UninstallerController::progressBarStart(bool start) {
    ui_->progressbar->setVisible(start);
    ui_->progressbar->update();
}

// --- Drag and drop -----------------------------------------------------------------------------

bool UninstallerController::isOwnDrop(const qcore::Notification& n) const {
    return ui_ && n.object == static_cast<const void*>(ui_->dropView);
}

std::optional<std::string> UninstallerController::singlePath(const qcore::Notification& n,
                                                             const std::string& key) {
    const qcore::Array* paths = n.userInfo.count(key) ? n.userInfo.at(key).array() : nullptr;
    if (!paths || paths->size() != 1) return std::nullopt;
    const std::string* path = paths->front().string();
    if (!path) return std::nullopt;
    return *path;
}

void UninstallerController::handleFileEnterDropNotification(const qcore::Notification& n) {
    if (isOwnDrop(n)) dragEntered(n);
}

void UninstallerController::handleFileExitDropNotification(const qcore::Notification& n) {
    if (isOwnDrop(n)) dragExited();
}

void UninstallerController::handleFileDropNotification(const qcore::Notification& n) {
    if (isOwnDrop(n)) dropped(n);
}

void UninstallerController::dragEntered(const qcore::Notification& n) {
    if (hasItemToUninstall_ || busy_) return;
    appPath_.clear();
    const auto path = singlePath(n, UninstallDragDrop::kFilesKey);
    if (!path) return;
    appPath_ = *path;
    if (!AppBundle::looksLikeApplication(*path)) return;
    const auto bundle = AppBundle::open(*path, qengine::DataFiller::homeDirectory());
    if (bundle && AppBundle::isOwnFamily(bundle->identifier())) return;
    ++dragGeneration_;
    ui_->iView->setPixmap(qui::GuiWorkspace::iconPixmapForFile(text(*path), 64));
    ui_->iView->setGeometry(frameStartAnim_);
    ui_->iView->show();
    ui_->iView->raise();
    ui_->arrowView->hide();
    animateTo(ui_->iView, frameStartAnim_.translated(0, kIconSlide));
}

void UninstallerController::dragExited() {
    if (hasItemToUninstall_) return;
    slideIconAway();
}

void UninstallerController::slideIconAway() {
    const QSize bounds = ui_->dropView->size();
    const QSize icon = ui_->iView->size();
    const qui::PointRect away{double(bounds.width()), double(bounds.height() - icon.height() - 102),
                              double(icon.width()), double(icon.height())};
    animateTo(ui_->iView, qui::toQt(away, bounds.height()));
    const int generation = ++dragGeneration_;
    QTimer::singleShot(kSlideOutMs, this, [this, generation] {
        // A newer drag, or an application shown meanwhile, owns the icon now.
        if (generation != dragGeneration_ || hasItemToUninstall_) return;
        ui_->iView->hide();
        ui_->iView->setGeometry(frameStartAnim_);
        ui_->arrowView->show();
    });
}

bool UninstallerController::isOwnBundlePath(const std::string& path) const {
    const QString lower = text(path).toLower();
    for (const QString& own :
         {QCoreApplication::applicationDirPath(), QCoreApplication::applicationFilePath()})
        if (!own.isEmpty() && own.toLower() == lower) return true;
    return false;
}

void UninstallerController::dropped(const qcore::Notification& n) {
    if (hasItemToUninstall_ || busy_) return;
    const auto path = singlePath(n, UninstallDragDrop::kItemKey);
    if (!path) return;
    appPath_ = *path;
    if (isOwnBundlePath(*path) || !AppBundle::looksLikeApplication(*path)) return;
    const QPointer<UninstallerController> page(this);
    qcore::MainThread::current().post([page, path = *path] {
        if (page) page->showAppDetails(path);
    });
}

void UninstallerController::showAppDetails(const std::string& path) {
    if (hasItemToUninstall_ || busy_) return;
    appPath_ = path;
    std::string whyNot;
    const auto bundle = AppBundle::open(appPath_, qengine::DataFiller::homeDirectory(), &whyNot);
    if (!bundle) {
        qcore::log("Uninstaller: ", appPath_, " is not taken: ", whyNot);
        slideIconAway();
        return;
    }
    if (AppBundle::isOwnFamily(bundle->identifier())) {
        slideIconAway();
        return;
    }
    if (AppBundle::isSystemApplication(bundle->identifier())) {
        refuseSystemApplication();
        return;
    }
    const bool deletable = bundle->isDeletable();
    const bool writable = bundle->isWritable();
    isWRApp_ = bundle->isProtected() ? "YES" : "NO";
    qcore::log(bundle->path(), " (isDel = ", deletable ? 1 : 0, ") (isWri = ", writable ? 1 : 0,
               ")");
    app_ = bundle;
    appPath_ = bundle->path();
    appName_ = bundle->name();
    appIdentifier_ = bundle->identifier();
    ui_->imageView->setPixmap(iconFor(*bundle));

    hasItemToUninstall_ = true;
    face_ = Face::Details;
    updateDescription(true, false);
    ui_->arrowView->hide();
    ui_->boxPreview->show();
    ui_->lblDragDropText->hide();
    ui_->boxFooter->show();
    ui_->boxFooter->raise();
    ui_->lblUninstalling->hide();
    ui_->lblUninstallDone->hide();
    hideProblem();
    ui_->cleaningView->show();
    progressBarStart(true);

    ui_->textFieldAppName->setText(QStringLiteral("%1 (%2 %3)")
                                       .arg(text(bundle->fileName()),
                                            uninstallerToken("ID_VERSION"),
                                            text(bundle->version())));
    ui_->textFieldAppPath->setText(text(appPath_));
    ui_->textFieldAppPath->setToolTip(text(appPath_));
    ui_->textFieldAppSize->setText(QString());
    ui_->textFieldAppTraceSize->setText(QString());
    ui_->removeButton->show();
    startGettingFolksAttached();
}

void UninstallerController::refuseSystemApplication() {
    qui::Alert alert;
    alert.setMessageText(commonToken("ID_APP_NOT_ADDED"))
        .addButton(commonToken("ID_OK"))
        .setInformativeText(commonToken("ID_APP_AP_PROTECTED"));
    const QPointer<UninstallerController> page(this);
    alert.runModal(window());
    if (page) slideIconAway();
}

QPixmap UninstallerController::iconFor(const AppBundle& bundle) const {
    if (const auto bytes = bundle.iconData()) {
        const QImage image = QImage::fromData(QByteArray::fromStdString(*bytes));
        if (!image.isNull())
            return QPixmap::fromImage(image.scaled(kPreviewIconSize, kPreviewIconSize,
                                                   Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    return qui::GuiWorkspace::iconPixmapForFile(text(bundle.path()), kPreviewIconSize);
}

// --- Leftovers ---------------------------------------------------------------------------------

void UninstallerController::startGettingFolksAttached() {
    arrFolkes_.clear();
    setBusy(true);
    auto& flags = dataFiller().flags(kModule);
    const QPointer<UninstallerController> page(this);
    const AppBundle bundle = *app_;
    const std::string home = qengine::DataFiller::homeDirectory();
    const bool started = startWorker(kModule, [page, bundle, home, &flags] {
        std::vector<LeftoverEntry> leftovers;
        Sizes sizes;
        {
            const OperationScope scope(flags, flags.isFilling);
            leftovers = qengine::LeftoverFinder(home).find(bundle.name(), bundle.identifier(),
                                                           bundle.path());
            sizes.bundleBytes = qengine::FileOperations::bytesOf(
                qengine::FileOperations::folderSizeUnix(bundle.path()));
            sizes.leftoverBytes = qengine::LeftoverFinder::totalSize(leftovers);
        }
        qcore::MainThread::current().post([page, leftovers = std::move(leftovers), sizes] {
            if (page) page->showFolksSize(leftovers, sizes);
        });
    });
    if (!started) {
        qcore::log("Uninstaller: the leftovers could not be looked for now");
        showFolksSize({}, {});
    }
}

void UninstallerController::showFolksSize(std::vector<LeftoverEntry> leftovers, Sizes sizes) {
    arrFolkes_ = std::move(leftovers);
    ui_->textFieldAppSize->setText(sizeText(sizes.bundleBytes));
    ui_->textFieldAppTraceSize->setText(sizeText(sizes.leftoverBytes));
    progressBarStart(false);
    setBusy(false);
}

// --- Removal -----------------------------------------------------------------------------------

void UninstallerController::removeSelected() {
    if (face_ != Face::Details || busy_ || !app_) return;
    isCanceled_ = false;
    const QPointer<UninstallerController> page(this);
    if (!confirmUninstall() || !page) return;
    if (!waitUntilNotRunning()) return;
    // The nested loops above ran other work; start only from the face the user confirmed.
    if (face_ != Face::Details || busy_) return;
    startRemoval();
}

bool UninstallerController::confirmUninstall() {
    return askInAlert("ID_PROMPT_TO_UNINSTALL", "ID_PROMPT_DESC_TO_UNINSTALL");
}

bool UninstallerController::isApplicationRunning() const {
    if (!appIdentifier_.empty() && dataFiller().checkAppOpen(appIdentifier_)) return true;
    // An application without an identifier is still recognised by its bundle.
    for (const auto& running : qcore::Workspace::runningApplications())
        if (!running.bundlePath.empty() &&
            FileManager::canonicalPath(running.bundlePath) == appPath_)
            return true;
    return false;
}

bool UninstallerController::waitUntilNotRunning() {
    const QPointer<UninstallerController> page(this);
    UninstallerAppsSheet* sheet = appsRunningSheet();
    isRetry_ = true;
    while (isRetry_) {
        sheet->setRows({});
        if (!isApplicationRunning()) {
            isRetry_ = false;
            break;
        }
        sheet->setRows({{qui::GuiWorkspace::iconForFile(text(appPath_)), text(appPath_)}});
        const auto choice = sheet->runOn(window());
        if (!page) return false;
        isRetry_ = choice == UninstallerAppsSheet::Choice::Retry;
        isCanceled_ = !isRetry_;
    }
    return !isCanceled_;
}

std::string UninstallerController::scriptPath() const {
    if (!scriptPath_.empty()) return scriptPath_;
    const std::string folder =
        qcore::Home::applicationScriptsFolder(qcore::Bundle::main().bundleIdentifier());
    return FileManager::appendingPathComponent(folder, "runScript.scpt");
}

void UninstallerController::startRemoval() {
    face_ = Face::Uninstalling;
    ui_->removeButton->hide();
    hideProblem();
    ui_->lblUninstalling->show();
    progressBarStart(true);
    setBusy(true);

    // The removal walks its own copy, taken now, of what the user confirmed.
    const std::vector<LeftoverEntry> snapshot = arrFolkes_;
    const AppBundle bundle = *app_;
    const bool throughScript = isWRApp_ == "YES";
    const std::string script = scriptPath();
    auto& flags = dataFiller().flags(kModule);
    const QPointer<UninstallerController> page(this);
    const bool started = startWorker(kModule, [=, &flags] {
        UninstallOutcome outcome;
        {
            const OperationScope scope(flags, flags.isRemoving);
            if (!throughScript) {
                outcome = qengine::ApplicationRemover::removeBundleAndLeftovers(bundle, snapshot);
            } else if (!FileManager::exists(script)) {
                qcore::log("UninstallerController::automationScriptTask no AppleScript task error "
                           "= no script at ",
                           script);
                outcome.bundleError = "no script to remove it";
            } else {
                qcore::ScriptTask task(script);
                outcome = qengine::ApplicationRemover::removeThroughScript(task, bundle, snapshot);
            }
        }
        qcore::MainThread::current().post([page, outcome] {
            if (page) page->removalFinished(outcome);
        });
    });
    if (!started) {
        UninstallOutcome notStarted;
        notStarted.bundleError = "the removal could not be started";
        removalFinished(notStarted);
    }
}

void UninstallerController::removalFinished(const UninstallOutcome& outcome) {
    progressBarStart(false);
    setBusy(false);
    if (outcome.bundleRemoved)
        uninstallationCompleteActions(outcome);
    else
        uninstallationStopped(outcome);
}

void UninstallerController::uninstallationCompleteActions(const UninstallOutcome& outcome) {
    face_ = Face::Done;
    ui_->lblUninstallDone->show();
    ui_->iView->hide();
    ui_->cleaningView->hide();
    ui_->lblUninstalling->hide();
    ui_->removeButton->hide();
    if (!outcome.failedLeftovers.empty()) {
        QStringList paths;
        for (const auto& path : outcome.failedLeftovers)
            paths << text(path);
        showProblem(uninstallerToken("ID_LEFTOVERS_NOT_REMOVED")
                        .replace(QStringLiteral("%@"), paths.join(QLatin1Char('\n'))));
    }
}

void UninstallerController::uninstallationStopped(const UninstallOutcome& outcome) {
    face_ = Face::Details;
    ui_->lblUninstalling->hide();
    ui_->removeButton->show();
    showProblem(uninstallerToken("ID_UNINSTALL_FAILED")
                    .replace(QStringLiteral("%@"), text(outcome.bundleError)));
}

void UninstallerController::hideProblem() {
    ui_->lblRemovalProblem->hide();
    placePanels();
}

void UninstallerController::showProblem(const QString& problem) {
    ui_->lblRemovalProblem->setText(problem);
    ui_->lblRemovalProblem->setToolTip(problem);
    ui_->lblRemovalProblem->show();
    placePanels();
}

// --- Back and Show in file manager -------------------------------------------------------------

void UninstallerController::setBusy(bool busy) {
    busy_ = busy;
    ui_->rescanButton->setEnabled(!busy && hasItemToUninstall_);
    ui_->removeButton->setEnabled(!busy);
}

void UninstallerController::rescanNow() {
    if (busy_) return;
    hasItemToUninstall_ = false;
    face_ = Face::Empty;
    updateDescription(false, false);
    ui_->iView->hide();
    ui_->arrowView->show();
    ui_->boxPreview->hide();
    ui_->lblDragDropText->show();
    ui_->boxFooter->hide();
    ui_->lblUninstallDone->hide();
    hideProblem();
    ui_->rescanButton->setEnabled(false);
}

void UninstallerController::revealInFinder() {
    if (appPath_.empty() || !reveal_) return;
    if (!reveal_(text(appPath_))) qcore::log("Uninstaller: cannot show ", appPath_);
}

} // namespace qpages
