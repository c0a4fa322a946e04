#pragma once

#include "engine/DataFiller.h"
#include "platform/ui/QtMainThread.h"
#include "tests/pages/support/PageTestSupport.h"
#include "tests/platform/core/TempDir.h"

#include <gtest/gtest.h>

#include <QModelIndex>
#include <QString>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class QAbstractButton;
class QAbstractItemView;
class QHeaderView;
class QMessageBox;
class QWidget;

// Holds the thread that posts the first notification `name` matching `matches` inside the post,
// after the observers registered before it have run, until release() (or destruction).
class NotificationHold {
public:
    NotificationHold(std::string name, std::function<bool(const qcore::Notification&)> matches);
    ~NotificationHold();
    NotificationHold(const NotificationHold&) = delete;
    NotificationHold& operator=(const NotificationHold&) = delete;

    bool reached() const;
    void release();

    // The "start" of one module's scan ("scan") or clean ("remove").
    static std::function<bool(const qcore::Notification&)> startOf(const std::string& module,
                                                                   const std::string& type);

private:
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    bool reached_ = false;
    bool released_ = false;
};

// Journeys through a real page: the Qt event loop as the main thread, a fixture home folder, an
// engine on the shipped tables and no pacing. Tests drive the page only through mouse events on
// its visible controls and then look at the disk.
class PageJourney : public ::testing::Test {
public:
    // Runs the event loop until `done`; false on time-out.
    static bool waitFor(const std::function<bool()>& done, int timeoutMs = 20000);

    // Shows `page` as a window of the main window's page size.
    static void showPage(QWidget& page);

    // Mouse clicks on what a user sees.
    static void click(QAbstractButton* button);
    static void clickCheckBoxOf(QAbstractItemView* view, const QModelIndex& index);
    static void clickHeader(QHeaderView* header, int section);
    // Right-clicks the row (or empty space for an invalid index) and chooses the menu item with
    // `itemText`; answers whether the item was there and enabled (then it was chosen).
    static bool chooseFromContextMenu(QAbstractItemView* view, const QModelIndex& index,
                                      const QString& itemText);
    // The enabled state of each item of the context menu opened at the row, by title.
    static std::vector<std::pair<QString, bool>> contextMenuItems(QAbstractItemView* view,
                                                                  const QModelIndex& index);
    // Presses the button titled `buttonText` of the next modal alert, when it appears, after
    // `look` has seen it.
    static void answerNextAlert(const QString& buttonText,
                                std::function<void(QMessageBox*)> look = {});
    // Runs `work` once `ready` answers true, from the event loop (nested loops included).
    static void whenReady(std::function<bool()> ready, std::function<void()> work);
    // Presses the button titled `buttonText` in the sheet over `window` once it shows.
    static void pressInSheetWhenShown(QWidget* window, const QString& buttonText);

    // Writes the widget's picture under the build's screenshot folder.
    static void screenshot(QWidget& widget, const std::string& name);

protected:
    void SetUp() override;
    void TearDown() override;

    // Until every module named is idle and its starts and stops are paired.
    bool waitUntilIdle(const std::vector<std::string>& modules, int timeoutMs = 20000);

    std::string write(const std::string& relative, const std::string& bytes = "x") const {
        return home_.write(relative, bytes);
    }
    // Every file below the fixture home with its bytes, to compare before and after.
    std::vector<std::pair<std::string, std::string>> homeContents() const;

    TempDir home_;
    TempDir outside_;
    std::unique_ptr<qui::QtMainThread> mainThread_;
    std::unique_ptr<PostedNotifications> activities_;
    std::unique_ptr<qengine::DataFiller> engine_;
};
