#include "tests/pages/support/PageJourney.h"

#include "tests/support/EventLoopWait.h"

#include "engine/Pacer.h"
#include "pages/care/SortDirections.h"
#include "platform/core/Bundle.h"
#include "platform/core/Home.h"
#include "platform/core/UserDefaults.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// Runs `work` once `ready` answers true, checking on a short timer from the event loop (also
// from nested loops of menus and modal alerts).
void whenReadyWithin(std::function<bool()> ready, std::function<void()> work, int triesLeft) {
    QTimer::singleShot(10, [ready = std::move(ready), work = std::move(work), triesLeft]() mutable {
        if (ready()) {
            work();
        } else if (triesLeft > 0) {
            whenReadyWithin(std::move(ready), std::move(work), triesLeft - 1);
        }
    });
}

void whenReady(std::function<bool()> ready, std::function<void()> work) {
    whenReadyWithin(std::move(ready), std::move(work), 500);
}

QPoint checkBoxCentre(QAbstractItemView* view, const QModelIndex& index) {
    const QRect cell = view->visualRect(index);
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
    const int width = view->style()->pixelMetric(QStyle::PM_IndicatorWidth);
    return {cell.left() + margin + width / 2, cell.center().y()};
}

// A right-click on the row, or on empty space below the rows for an invalid index. The menu
// runs its own loop; the caller's timer acts in it and closes it.
void openContextMenu(QAbstractItemView* view, const QModelIndex& index) {
    const QPoint at = index.isValid()
                          ? view->visualRect(index).center()
                          : QPoint(view->viewport()->width() / 2, view->viewport()->height() - 4);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &event);
}

const std::vector<std::string>& lastScanKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> list;
        for (const char* word : {"Cache", "Logs", "Binary", "Partial"}) {
            list.push_back(std::string("lastScanStatus_") + word);
            list.push_back(std::string("lastScanTime_") + word);
        }
        return list;
    }();
    return keys;
}

} // namespace

NotificationHold::NotificationHold(std::string name,
                                   std::function<bool(const qcore::Notification&)> matches) {
    qcore::NotificationCenter::defaultCenter().addObserver(
        this, name, [this, matches = std::move(matches)](const qcore::Notification& n) {
            std::unique_lock lock(mutex_);
            if (reached_ || released_ || !matches(n)) return;
            reached_ = true;
            cv_.wait(lock, [this] { return released_; });
        });
}

NotificationHold::~NotificationHold() {
    release();
    qcore::NotificationCenter::defaultCenter().removeObserversOf(this);
}

bool NotificationHold::reached() const {
    const std::lock_guard lock(mutex_);
    return reached_;
}

void NotificationHold::release() {
    {
        const std::lock_guard lock(mutex_);
        released_ = true;
    }
    cv_.notify_all();
}

std::function<bool(const qcore::Notification&)> NotificationHold::startOf(const std::string& module,
                                                                          const std::string& type) {
    return [module, type](const qcore::Notification& n) {
        return n.info("activityName") == module && n.info("operation") == "start" &&
               n.info("activityType") == type;
    };
}

void PageJourney::SetUp() {
    qengine::Pacer::setScale(0);
    qcore::Home::setOverrideForTesting(home_.path());
    qpages::SortDirections::resetForTesting();
    for (const auto& key : lastScanKeys())
        qcore::UserDefaults::standard().removeObject(key);
    mainThread_ = std::make_unique<qui::QtMainThread>();
    qcore::MainThread::install(mainThread_.get());
    activities_ = std::make_unique<PostedNotifications>(
        std::vector<std::string>{"ActivityStartStopNotification"});
    engine_ = std::make_unique<qengine::DataFiller>(qcore::Bundle(QUENDRIX_TEST_RESOURCES));
}

void PageJourney::TearDown() {
    waitUntilIdle(qengine::DataFiller::moduleKeys());
    engine_.reset();
    activities_.reset();
    mainThread_->shutdown();
    qcore::MainThread::install(nullptr);
    mainThread_.reset();
    for (const auto& key : lastScanKeys())
        qcore::UserDefaults::standard().removeObject(key);
    qcore::Home::setOverrideForTesting("");
    qengine::Pacer::setScale(1.0);
}

bool PageJourney::waitFor(const std::function<bool()>& done, int timeoutMs) {
    return gui_driving::waitFor(done, timeoutMs);
}

bool PageJourney::waitUntilIdle(const std::vector<std::string>& modules, int timeoutMs) {
    const bool idle = waitFor(
        [&] {
            return std::all_of(modules.begin(), modules.end(), [&](const auto& m) {
                // A page with several workers per operation posts one "stop" for each.
                return !engine_->isModuleBusy(m) &&
                       activities_->activities(m, "stop") >= activities_->activities(m, "start");
            });
        },
        timeoutMs);
    // The "stop" hand-over runs just after the claim goes.
    QDeadlineTimer settle(30);
    waitFor([&] { return settle.hasExpired(); }, 1000);
    return idle;
}

void PageJourney::showPage(QWidget& page) {
    page.resize(633, 520);
    page.show();
    waitFor([&] { return page.isVisible(); });
    QCoreApplication::processEvents();
}

void PageJourney::click(QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString();
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    QCoreApplication::processEvents();
}

void PageJourney::clickCheckBoxOf(QAbstractItemView* view, const QModelIndex& index) {
    ASSERT_TRUE(index.isValid());
    view->scrollTo(index);
    const QPoint at = checkBoxCentre(view, index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
}

void PageJourney::clickHeader(QHeaderView* header, int section) {
    const int x = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
    // Away from the check-all box, which sits in the middle of the first column.
    const QPoint at(x + (section == 0 ? header->sectionSize(0) / 3 : 0), header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
}

bool PageJourney::chooseFromContextMenu(QAbstractItemView* view, const QModelIndex& index,
                                        const QString& itemText) {
    bool chosen = false;
    whenReady([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; },
              [&chosen, itemText] {
                  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                  for (auto* action : menu->actions()) {
                      if (action->text() != itemText || !action->isEnabled()) continue;
                      chosen = true;
                      QTest::mouseClick(menu, Qt::LeftButton, {},
                                        menu->actionGeometry(action).center());
                      return;
                  }
                  menu->close();
              });
    openContextMenu(view, index);
    QCoreApplication::processEvents();
    return chosen;
}

std::vector<std::pair<QString, bool>> PageJourney::contextMenuItems(QAbstractItemView* view,
                                                                    const QModelIndex& index) {
    std::vector<std::pair<QString, bool>> items;
    whenReady([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; },
              [&items] {
                  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                  for (auto* action : menu->actions())
                      if (!action->isSeparator())
                          items.emplace_back(action->text(), action->isEnabled());
                  menu->close();
              });
    openContextMenu(view, index);
    QCoreApplication::processEvents();
    return items;
}

void PageJourney::whenReady(std::function<bool()> ready, std::function<void()> work) {
    ::whenReady(std::move(ready), std::move(work));
}

void PageJourney::answerNextAlert(const QString& buttonText,
                                  std::function<void(QMessageBox*)> look) {
    whenReady(
        [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; },
        [buttonText, look] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (look) look(box);
            for (auto* button : box->buttons())
                if (button->text() == buttonText) {
                    QTest::mouseClick(button, Qt::LeftButton);
                    return;
                }
            ADD_FAILURE() << "no alert button " << buttonText.toStdString();
        });
}

void PageJourney::pressInSheetWhenShown(QWidget* window, const QString& buttonText) {
    const QPointer<QWidget> host(window);
    const auto findButton = [host, buttonText]() -> QPushButton* {
        if (!host) return nullptr;
        for (auto* button : host->findChildren<QPushButton*>())
            if (button->text() == buttonText && button->isVisible() && button->isEnabled() &&
                button->window() == host->window() && button->parentWidget() &&
                button->parentWidget()->objectName() == QStringLiteral("appsRunningBox"))
                return button;
        return nullptr;
    };
    whenReady([findButton] { return findButton() != nullptr; },
              [findButton] { QTest::mouseClick(findButton(), Qt::LeftButton); });
}

void PageJourney::screenshot(QWidget& widget, const std::string& name) {
    QCoreApplication::processEvents();
    const QString folder = QStringLiteral(QUENDRIX_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    widget.grab().save(folder + "/" + QString::fromStdString(name) + ".png");
}

std::vector<std::pair<std::string, std::string>> PageJourney::homeContents() const {
    namespace fs = std::filesystem;
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : fs::recursive_directory_iterator(home_.path())) {
        // Links are listed by what they are, never followed out of the home.
        if (entry.is_symlink() || !entry.is_regular_file()) continue;
        const std::string relative = entry.path().lexically_relative(home_.path()).string();
        // The application's own preferences and logs change as it runs.
        if (relative.rfind("Library/Containers", 0) == 0) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files.emplace_back(relative, bytes.str());
    }
    std::sort(files.begin(), files.end());
    return files;
}
