#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;
class QWidget;

namespace qengine {
class DataFiller;
}
namespace qtk {
class CustomSheetWindow;
}

namespace qpages {

// One application found running: its display name, icon and executable.
struct RunningAppRow {
    QString appName;
    QIcon appIcon;
    QString executable;
};

// The sheet a page shows before it touches an application's files while the application runs:
// a table of the running ones with Retry (check again), Continue (go on regardless) and Cancel
// (give up). Any page uses it with its own list of applications and its own continuation.
class RunningAppsSheet : public QObject {
    Q_OBJECT
public:
    struct Application {
        std::string displayName;
        std::string bundleIdentifier;
    };
    enum class Outcome { NoneRunning, Continued, Cancelled };

    // The browsers pages check, in the order they are listed.
    static std::vector<Application> browsers();

    // The sheet appears over `page`'s window.
    RunningAppsSheet(const qengine::DataFiller& dataFiller, QWidget& page,
                     QObject* parent = nullptr);
    ~RunningAppsSheet() override;

    // The sheet's heading and explanation; the browsers' texts by default.
    void setMessage(const QString& heading, const QString& explanation);

    // The check loop: lists the running applications of `apps` and, while any runs, shows the
    // sheet until the user continues or cancels; Retry checks again. Returns at once when none
    // runs. Main thread; the sheet runs modally in a nested loop.
    Outcome checkRunningApps(const std::vector<Application>& apps);
    // The same, then `proceed` unless the user cancelled (then `cancelled`).
    void runChecked(const std::vector<Application>& apps, const std::function<void()>& proceed,
                    const std::function<void()>& cancelled = {});

    // Appends a row when the application with `bundleIdentifier` runs and can be located.
    bool checkApp(const std::string& displayName, const std::string& bundleIdentifier);

    const std::vector<RunningAppRow>& tableArray() const { return tableArray_; }
    bool isRetry() const { return isRetry_; }
    bool isContinue() const { return isContinue_; }
    bool isCanceled() const { return isCanceled_; }

    qtk::CustomSheetWindow* appsRunningSheet() const;
    QTableWidget* appsRunningTableview() const { return table_; }

    // The buttons' actions.
    void retryAppsRunningSheet();
    void continueAppsRunningSheet();
    void cancelAppsRunningSheet();

private:
    void buildSheet();
    void reloadTable();
    void showAppsRunningSheet();
    void endAppsRunningSheet();
    QString commonText(const char* key) const;

    const qengine::DataFiller& dataFiller_;
    QPointer<QWidget> page_;
    QPointer<qtk::CustomSheetWindow> sheet_;
    QTableWidget* table_ = nullptr;
    // The browsers' texts, in the singular for one browser, unless a page set its own.
    void tellOfBrowsers();
    bool tellsOfBrowsers_ = true;
    QLabel* heading_ = nullptr;
    QLabel* explanation_ = nullptr;
    QPushButton* retryButton_ = nullptr;
    // Retry's pause before the sheet ends and the applications are looked for again.
    QTimer* retryTimer_;
    std::vector<RunningAppRow> tableArray_;
    bool isRetry_ = false;
    bool isContinue_ = false;
    bool isCanceled_ = false;
};

} // namespace qpages
