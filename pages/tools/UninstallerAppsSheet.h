#pragma once

#include <QFrame>
#include <QIcon>
#include <QString>

#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace qpages {

// The Uninstaller's sheet for an application that still runs: it lists the one application
// and offers Retry (test again) or Cancel (give up the uninstallation). Nothing is quit by the
// program; the user quits the application himself.
class UninstallerAppsSheet : public QFrame {
    Q_OBJECT
public:
    enum class Choice { Retry, Cancel };

    struct Row {
        QIcon appIcon;
        QString appName;
    };

    explicit UninstallerAppsSheet(QWidget* parent = nullptr);

    void setTexts(const QString& heading, const QString& request, const QString& retryTitle,
                  const QString& cancelTitle);
    void setRows(const std::vector<Row>& rows);
    int rowCount() const;
    QString rowName(int row) const;

    // Runs the sheet over `window` until a button ends it; Esc or the window going away cancel.
    Choice runOn(QWidget* window);

    QPushButton* btnWRetry() const { return btnWRetry_; }
    QPushButton* btnWContinue() const { return btnWContinue_; }
    QLabel* lblWAppsRunning() const { return lblWAppsRunning_; }
    QLabel* lblWQuitApps() const { return lblWQuitApps_; }

private:
    QLabel* lblWAppsRunning_;
    QLabel* lblWQuitApps_;
    QTableWidget* appsRunning_;
    QPushButton* btnWRetry_;
    QPushButton* btnWContinue_;
};

} // namespace qpages
