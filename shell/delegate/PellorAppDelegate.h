#pragma once

#include "shell/delegate/VersionFlags.h"

#include "pages/care/PageDelegate.h"
#include "platform/core/SystemVersion.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

class QWidget;

namespace qcore {
class UserDefaults;
}
namespace qtk {
class KLWindowButton;
class WAYAppStoreWindow;
} // namespace qtk

namespace qshell {

// The password-database home folder of the current user, without a trailing "/".
QString RealHomeDirectory();

// The application's delegate: launch set-up of the main window and the state that the module
// pages and the status-bar popover share (home folder, version answers, progress flags).
// One instance per process, reached through shared(); used on the main thread only.
class PellorAppDelegate : public QObject, public qpages::PageDelegate {
    Q_OBJECT
public:
    // Filled in by whoever builds the status item, its popover and the preferences window;
    // until then the calls that need them do nothing.
    using Hook = std::function<void()>;

    explicit PellorAppDelegate(QObject* parent = nullptr);
    explicit PellorAppDelegate(const qcore::SystemVersion& profile, QObject* parent = nullptr);
    ~PellorAppDelegate() override;

    // The application's delegate, or nullptr before it exists (tests of single pages).
    static PellorAppDelegate* shared();

    // Launch set-up of `window` (size, title bar, header, logo, window buttons), resets the
    // search folders in `defaults` and posts "CheckHomeAccessNotification".
    void applicationDidFinishLaunching(qtk::WAYAppStoreWindow& window,
                                       qcore::UserDefaults& defaults);
    // The running application was asked to come forward again: posts "showtheapp".
    bool applicationShouldHandleReopen();

    void setUpStatusBarItem() const { callHook(setUpStatusBarItemHook_); }
    void showPopoverView() const { callHook(showPopoverViewHook_); }
    void openPreferencesWindow() const { callHook(openPreferencesWindowHook_); }
    void setSetUpStatusBarItemHook(Hook hook) { setUpStatusBarItemHook_ = std::move(hook); }
    void setShowPopoverViewHook(Hook hook) { showPopoverViewHook_ = std::move(hook); }
    void setOpenPreferencesWindowHook(Hook hook) { openPreferencesWindowHook_ = std::move(hook); }

    qtk::WAYAppStoreWindow* window() const;
    // The window's title-bar view, kept at launch.
    QWidget* titleBarView() const;
    // Close, minimize and zoom, made at launch.
    const std::array<qtk::KLWindowButton*, 3>& windowButtons() const { return windowButtons_; }
    // What a screen reader says for close, minimize and zoom, which show only images; given
    // before launch.
    void setWindowButtonNames(const std::array<QString, 3>& names) { windowButtonNames_ = names; }

    const QString& strHomeDirectory() const { return strHomeDirectory_; }
    void setStrHomeDirectory(const QString& home) { strHomeDirectory_ = home; }

    // Sets isYosemite from the system version.
    void checkYosemite();
    // Sets the version flags and logs the version.
    void initializeOsxBools();

    bool isYosemite() const { return versionFlags_.isYosemite; }
    bool isOSXGreaterThan11() const { return versionFlags_.isOSXGreaterThan11; }
    bool isOSXGreaterThan13() const { return versionFlags_.isOSXGreaterThan13; }
    const VersionFlags& versionFlags() const { return versionFlags_; }
    void setVersionFlags(const VersionFlags& flags) { versionFlags_ = flags; }
    const qcore::SystemVersion& systemVersion() const { return profile_; }

    bool isScanningOneClick() const { return isScanningOneClick_; }
    void setIsScanningOneClick(bool value) { isScanningOneClick_ = value; }
    bool isRemovingOneClick() const { return isRemovingOneClick_; }
    void setIsRemovingOneClick(bool value) { isRemovingOneClick_ = value; }
    bool isScanningDups() const { return isScanningDups_; }
    void setIsScanningDups(bool value) override { isScanningDups_ = value; }
    bool isRemovingDups() const { return isRemovingDups_; }
    void setIsRemovingDups(bool value) override { isRemovingDups_ = value; }
    std::int32_t itemCleanCountOneClickCare() const { return itemCleanCountOneClickCare_; }
    void setItemCleanCountOneClickCare(std::int32_t value) override {
        itemCleanCountOneClickCare_ = value;
    }
    std::int32_t itemRemaining() const { return itemRemaining_; }
    void setItemRemaining(std::int32_t value) override { itemRemaining_ = value; }

private:
    static void callHook(const Hook& hook) {
        if (hook) hook();
    }
    void placeWindow(qtk::WAYAppStoreWindow& window);
    void setUpTitleBar(qtk::WAYAppStoreWindow& window);
    void addHeaderAndLogo();
    void setUpWindowButtons(qtk::WAYAppStoreWindow& window);

    qcore::SystemVersion profile_;
    QPointer<qtk::WAYAppStoreWindow> window_;
    QPointer<QWidget> titleBarView_;
    std::array<qtk::KLWindowButton*, 3> windowButtons_{};
    std::array<QString, 3> windowButtonNames_;
    QString strHomeDirectory_;
    VersionFlags versionFlags_;
    Hook setUpStatusBarItemHook_;
    Hook showPopoverViewHook_;
    Hook openPreferencesWindowHook_;
    bool isScanningOneClick_ = false;
    bool isRemovingOneClick_ = false;
    bool isScanningDups_ = false;
    bool isRemovingDups_ = false;
    std::int32_t itemCleanCountOneClickCare_ = 0;
    std::int32_t itemRemaining_ = 0;
};

} // namespace qshell
