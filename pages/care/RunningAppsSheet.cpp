#include "pages/care/RunningAppsSheet.h"

#include "engine/DataFiller.h"
#include "platform/core/FileManager.h"
#include "platform/core/Guarded.h"
#include "platform/core/Log.h"
#include "platform/core/PlainText.h"
#include "platform/core/Value.h"
#include "platform/core/Workspace.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/GuiWorkspace.h"
#include "toolkit/CustomSheetWindow.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace qpages {

namespace {

constexpr int kSheetWidth = 440;
constexpr int kSheetHeight = 280;
constexpr int kRetryWaitMs = 500;

// The executable an application bundle names, or a program file's own name.
std::string executableOf(const std::string& path) {
    for (const char* relative : {"/Contents/Info.plist", "/Info.plist"}) {
        const auto info =
            qcore::Value::fromPlistFile(path + relative, qcore::readLimits::kInfoPlist);
        if (info && info->isDictionary()) {
            const std::string name = (*info)["CFBundleExecutable"].toString();
            if (!name.empty()) return name;
        }
    }
    return qcore::FileManager::lastPathComponent(path);
}

// Where the running application lives: the workspace's application for the identifier, else the
// bundle or program of the running process itself.
std::string locateApplication(const std::string& bundleIdentifier) {
    if (auto path = qcore::Workspace::applicationPathForBundleIdentifier(bundleIdentifier))
        return *path;
    const std::string wanted = qcore::PlainText::lower(bundleIdentifier);
    for (const auto& app : qcore::Workspace::runningApplications()) {
        if (qcore::PlainText::lower(app.bundleIdentifier) != wanted) continue;
        return app.bundlePath.empty() ? app.executablePath : app.bundlePath;
    }
    return {};
}

} // namespace

std::vector<RunningAppsSheet::Application> RunningAppsSheet::browsers() {
    return {{"Safari", "com.apple.Safari"},
            {"Firefox", "org.mozilla.firefox"},
            {"Google Chrome", "com.google.Chrome"}};
}

RunningAppsSheet::RunningAppsSheet(const qengine::DataFiller& dataFiller, QWidget& page,
                                   QObject* parent)
    : QObject(parent), dataFiller_(dataFiller), page_(&page), retryTimer_(new QTimer(this)) {
    retryTimer_->setSingleShot(true);
    connect(retryTimer_, &QTimer::timeout, this, [this] {
        qcore::runGuarded("Running applications sheet", [this] { endAppsRunningSheet(); });
    });
    buildSheet();
}

RunningAppsSheet::~RunningAppsSheet() {
    delete sheet_.data();
}

QString RunningAppsSheet::commonText(const char* key) const {
    return QString::fromStdString(dataFiller_.getTokenForGroup("GRP_CMN", key));
}

void RunningAppsSheet::buildSheet() {
    sheet_ = new qtk::CustomSheetWindow({0, 0, kSheetWidth, kSheetHeight},
                                        qtk::CustomSheetWindow::TitledWindowMask,
                                        qcore::SystemVersion::current(), page_);
    sheet_->setObjectName(QStringLiteral("appsRunningSheet"));
    sheet_->hide();
    auto* box = new QFrame(sheet_->contentView());
    box->setObjectName(QStringLiteral("appsRunningBox"));
    box->setStyleSheet(
        QStringLiteral("#appsRunningBox { background: white; border: 1px solid #b9bec7; }"));
    box->resize(kSheetWidth, kSheetHeight);

    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(8);
    heading_ = new QLabel(box);
    heading_->setObjectName(QStringLiteral("appsRunningHeading"));
    heading_->setFont(qui::boldSystemFont(14));
    heading_->setWordWrap(true);
    explanation_ = new QLabel(box);
    explanation_->setObjectName(QStringLiteral("appsRunningExplanation"));
    explanation_->setFont(qui::systemFont(12));
    explanation_->setWordWrap(true);
    tellOfBrowsers();

    table_ = new QTableWidget(0, 2, box);
    table_->setObjectName(QStringLiteral("appsRunningTableview"));
    table_->setAccessibleName(heading_->text());
    table_->horizontalHeader()->setVisible(false);
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(24);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    table_->horizontalHeader()->resizeSection(0, 28);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table_->setShowGrid(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setIconSize(QSize(16, 16));
    table_->setFocusPolicy(Qt::NoFocus);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* cancel = new QPushButton(commonText("ID_CANCEL"), box);
    auto* proceed = new QPushButton(commonText("ID_CONTINUE"), box);
    retryButton_ = new QPushButton(commonText("ID_RETRY"), box);
    retryButton_->setDefault(true);
    for (auto* button : {cancel, proceed, retryButton_})
        buttons->addWidget(button);
    connect(retryButton_, &QPushButton::clicked, this, [this] { retryAppsRunningSheet(); });
    connect(proceed, &QPushButton::clicked, this, [this] { continueAppsRunningSheet(); });
    connect(cancel, &QPushButton::clicked, this, [this] { cancelAppsRunningSheet(); });

    layout->addWidget(heading_);
    layout->addWidget(explanation_);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
}

qtk::CustomSheetWindow* RunningAppsSheet::appsRunningSheet() const {
    return sheet_.data();
}

void RunningAppsSheet::setMessage(const QString& heading, const QString& explanation) {
    tellsOfBrowsers_ = false;
    heading_->setText(heading);
    explanation_->setText(explanation);
}

void RunningAppsSheet::tellOfBrowsers() {
    const bool one = tableArray_.size() == 1;
    heading_->setText(commonText(one ? "ID_RUNNING_BROWSERS_ONE" : "ID_RUNNING_BROWSERS"));
    explanation_->setText(commonText(one ? "ID_FORCE_QUIT_ALL_ONE" : "ID_FORCE_QUIT_ALL"));
}

bool RunningAppsSheet::checkApp(const std::string& displayName,
                                const std::string& bundleIdentifier) {
    if (!dataFiller_.checkAppOpen(bundleIdentifier)) return false;
    const std::string path = locateApplication(bundleIdentifier);
    if (path.empty() || !qcore::FileManager::exists(path)) {
        qcore::log(displayName, " runs but its application could not be located; not listed");
        return false;
    }
    tableArray_.push_back({QString::fromStdString(displayName),
                           qui::GuiWorkspace::iconForFile(QString::fromStdString(path)),
                           QString::fromStdString(executableOf(path))});
    return true;
}

RunningAppsSheet::Outcome RunningAppsSheet::checkRunningApps(const std::vector<Application>& apps) {
    isCanceled_ = false;
    isContinue_ = false;
    isRetry_ = true;
    bool shown = false;
    while (isRetry_) {
        tableArray_.clear();
        reloadTable();
        for (const auto& app : apps)
            checkApp(app.displayName, app.bundleIdentifier);
        reloadTable();
        if (tableArray_.empty()) {
            isRetry_ = false;
            break;
        }
        shown = true;
        if (tellsOfBrowsers_) tellOfBrowsers();
        showAppsRunningSheet();
    }
    if (isCanceled_) return Outcome::Cancelled;
    return shown && isContinue_ ? Outcome::Continued : Outcome::NoneRunning;
}

void RunningAppsSheet::runChecked(const std::vector<Application>& apps,
                                  const std::function<void()>& proceed,
                                  const std::function<void()>& cancelled) {
    if (checkRunningApps(apps) == Outcome::Cancelled) {
        if (cancelled) cancelled();
    } else if (proceed) {
        proceed();
    }
}

void RunningAppsSheet::reloadTable() {
    table_->setRowCount(static_cast<int>(tableArray_.size()));
    for (std::size_t i = 0; i < tableArray_.size(); ++i) {
        const auto row = static_cast<int>(i);
        auto* icon = new QTableWidgetItem;
        icon->setIcon(tableArray_[i].appIcon);
        icon->setData(Qt::UserRole, QStringLiteral("appIcon"));
        auto* name = new QTableWidgetItem(tableArray_[i].appName);
        name->setToolTip(tableArray_[i].executable);
        table_->setItem(row, 0, icon);
        table_->setItem(row, 1, name);
    }
}

void RunningAppsSheet::showAppsRunningSheet() {
    if (!sheet_ || !page_) {
        isRetry_ = false;
        isCanceled_ = true;
        return;
    }
    retryButton_->setEnabled(true);
    sheet_->beginSheet(page_->window());
    sheet_->runModal();
}

void RunningAppsSheet::endAppsRunningSheet() {
    // However the sheet ends, a Retry still waiting must not end it (or its next showing)
    // once more.
    retryTimer_->stop();
    if (sheet_) sheet_->endSheet(0);
}

void RunningAppsSheet::retryAppsRunningSheet() {
    isRetry_ = true;
    // A moment for the applications to quit before they are looked for again.
    retryButton_->setEnabled(false);
    retryTimer_->start(kRetryWaitMs);
}

void RunningAppsSheet::continueAppsRunningSheet() {
    isRetry_ = false;
    isContinue_ = true;
    endAppsRunningSheet();
}

void RunningAppsSheet::cancelAppsRunningSheet() {
    isRetry_ = false;
    isCanceled_ = true;
    endAppsRunningSheet();
}

} // namespace qpages
