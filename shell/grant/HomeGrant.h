#pragma once

#include "shell/grant/HomeGrantPresenter.h"

#include "platform/core/MainThread.h"
#include "platform/core/NotificationCenter.h"
#include "platform/core/UserDefaults.h"

#include <functional>
#include <string>

namespace qshell {

// The one grant of the user's real home folder: resolved from "pathData" at every start, or
// asked for once through the sheet and the folder panel. Main thread only.
class HomeGrant {
public:
    enum class State { Unknown, AskingUser, ChoosingFolder, Granted, Quitting };
    // Runs once access is in place: the status item, the script install and the profile read.
    using GrantedHandler = std::function<void(const std::string& folder)>;

    inline static const std::string kMismatchMessage = "Home Directory does not match!!";
    inline static const std::string kMismatchInformative =
        "Please confirm by selecting Home Directory";

    HomeGrant(qcore::UserDefaults& defaults, std::string realHome, HomeGrantPresenter& presenter,
              GrantedHandler onGranted,
              qcore::NotificationCenter& center = qcore::NotificationCenter::defaultCenter());
    ~HomeGrant();
    HomeGrant(const HomeGrant&) = delete;
    HomeGrant& operator=(const HomeGrant&) = delete;

    // Answers "CheckHomeAccessNotification" by running check() later on the main thread, as
    // posted by launching and by a wrong choice.
    void observe(qcore::MainThread& mainThread);

    // The grant check: a stored grant that resolves gives access, otherwise the sheet shows.
    void check();
    // The sheet's Confirm and Cancel.
    void confirm();
    void cancel();

    State state() const { return state_; }
    // The folder access was granted to; empty until then.
    const std::string& grantedFolder() const { return grantedFolder_; }

    // The chosen folder is the home folder: both canonical paths equal exactly, since file
    // names here are case-sensitive.
    static bool isHomeFolder(const std::string& chosen, const std::string& home);

private:
    void panelFinished(HomeGrantPresenter::PanelResult result,
                       const std::optional<std::string>& chosen);
    void grant(const std::string& folder);
    void storeGrant(const std::string& folder);

    qcore::UserDefaults& defaults_;
    std::string realHome_;
    HomeGrantPresenter& presenter_;
    GrantedHandler onGranted_;
    qcore::NotificationCenter& center_;
    qcore::NotificationCenter::ObserverId observer_ = 0;
    State state_ = State::Unknown;
    std::string grantedFolder_;
};

} // namespace qshell
