#include "shell/grant/HomeGrant.h"

#include "shell/common/SettingsKeys.h"
#include "shell/common/ShellNotifications.h"
#include "shell/grant/FolderBookmark.h"

#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

namespace qshell {

HomeGrant::HomeGrant(qcore::UserDefaults& defaults, std::string realHome,
                     HomeGrantPresenter& presenter, GrantedHandler onGranted,
                     qcore::NotificationCenter& center)
    : defaults_(defaults), realHome_(std::move(realHome)), presenter_(presenter),
      onGranted_(std::move(onGranted)), center_(center) {}

HomeGrant::~HomeGrant() {
    if (observer_) center_.removeObserver(observer_);
}

void HomeGrant::observe(qcore::MainThread& mainThread) {
    if (observer_) center_.removeObserver(observer_);
    // Handed over without waiting, so the check runs after the poster has finished.
    observer_ = center_.addObserver(
        this, notifications::kCheckHomeAccess,
        [this, &mainThread](const qcore::Notification&) { mainThread.post([this] { check(); }); });
}

void HomeGrant::check() {
    if (state_ == State::Granted || state_ == State::Quitting || state_ == State::ChoosingFolder)
        return;
    if (const auto data = defaults_.dataForKey(settings::kPathData)) {
        if (const auto bookmark = FolderBookmark::fromData(*data)) {
            if (const auto folder = bookmark->resolve()) {
                grant(*folder);
                return;
            }
        }
        qcore::log("The stored home-folder grant no longer resolves; asking again");
    }
    state_ = State::AskingUser;
    presenter_.showSheet(realHome_);
}

void HomeGrant::confirm() {
    if (state_ != State::AskingUser) return;
    presenter_.closeSheet();
    state_ = State::ChoosingFolder;
    presenter_.beginFolderPanel(
        realHome_, [this](HomeGrantPresenter::PanelResult result,
                          std::optional<std::string> chosen) { panelFinished(result, chosen); });
}

void HomeGrant::cancel() {
    if (state_ != State::AskingUser) return;
    presenter_.closeSheet();
    state_ = State::Quitting;
    presenter_.quit();
}

void HomeGrant::panelFinished(HomeGrantPresenter::PanelResult result,
                              const std::optional<std::string>& chosen) {
    if (state_ != State::ChoosingFolder) return;
    qcore::log("returnCode = ", static_cast<int>(result));
    const bool ok = result == HomeGrantPresenter::PanelResult::OK;
    if (ok && chosen && isHomeFolder(*chosen, realHome_)) {
        storeGrant(*chosen);
        grant(qcore::FileManager::canonicalPath(*chosen));
        return;
    }
    if (ok) presenter_.showMismatchAlert(kMismatchMessage, kMismatchInformative);
    // Nothing is stored; the check finds no grant and shows the sheet again.
    state_ = State::Unknown;
    center_.post(notifications::kCheckHomeAccess, this, {{notifications::kNotificationGroup, ""}});
}

void HomeGrant::storeGrant(const std::string& folder) {
    const auto bookmark = FolderBookmark::create(folder);
    if (!bookmark) {
        // This run keeps the panel's access; the next start asks again.
        qcore::log("The home-folder grant could not be made for ", folder);
        return;
    }
    defaults_.setObject(settings::kPathData, bookmark->data());
    defaults_.synchronize();
}

void HomeGrant::grant(const std::string& folder) {
    state_ = State::Granted;
    grantedFolder_ = folder;
    if (onGranted_) onGranted_(folder);
}

bool HomeGrant::isHomeFolder(const std::string& chosen, const std::string& home) {
    if (chosen.empty() || home.empty()) return false;
    return qcore::FileManager::canonicalPath(chosen) == qcore::FileManager::canonicalPath(home);
}

} // namespace qshell
