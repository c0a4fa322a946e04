#pragma once

#include <QDialog>

#include <functional>

class QUrl;

namespace qshell {

// The About box: the program's icon, name, version from its Info.plist and its web site,
// which opens through `openUrl`. Escape and the close shortcut dismiss it.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    struct Contents {
        QString name;
        QString shortVersion; // "CFBundleShortVersionString"
        QString buildVersion; // "CFBundleVersion"
        QString website;
        QString title; // the window title, e.g. "About Quendrix"
    };

    AboutBox(Contents contents, std::function<bool(const QUrl&)> openUrl,
             QWidget* parent = nullptr);

    // "Version 1.0 (1.0.0)"; the build is left out when it is missing or the same.
    static QString versionLine(const QString& shortVersion, const QString& buildVersion);
};

} // namespace qshell
