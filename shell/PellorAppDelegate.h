#pragma once

#include "shell/VersionFlags.h"

#include <QObject>
#include <QString>

#include <cstdint>

namespace qshell {

// The application's delegate: launch set-up of the main window and the state that the module
// pages and the status-bar popover share (home folder, version answers, progress flags).
// One instance per process, reached through shared(); used on the main thread only.
class PellorAppDelegate : public QObject {
    Q_OBJECT
public:
    explicit PellorAppDelegate(QObject* parent = nullptr);
    ~PellorAppDelegate() override;

    // The application's delegate, or nullptr before it exists (tests of single pages).
    static PellorAppDelegate* shared();

    const QString& strHomeDirectory() const { return strHomeDirectory_; }
    void setStrHomeDirectory(const QString& home) { strHomeDirectory_ = home; }

    bool isYosemite() const { return versionFlags_.isYosemite; }
    bool isOSXGreaterThan11() const { return versionFlags_.isOSXGreaterThan11; }
    bool isOSXGreaterThan13() const { return versionFlags_.isOSXGreaterThan13; }
    const VersionFlags& versionFlags() const { return versionFlags_; }
    void setVersionFlags(const VersionFlags& flags) { versionFlags_ = flags; }

    bool isScanningOneClick() const { return isScanningOneClick_; }
    void setIsScanningOneClick(bool value) { isScanningOneClick_ = value; }
    bool isRemovingOneClick() const { return isRemovingOneClick_; }
    void setIsRemovingOneClick(bool value) { isRemovingOneClick_ = value; }
    bool isScanningDups() const { return isScanningDups_; }
    void setIsScanningDups(bool value) { isScanningDups_ = value; }
    bool isRemovingDups() const { return isRemovingDups_; }
    void setIsRemovingDups(bool value) { isRemovingDups_ = value; }
    std::int32_t itemCleanCountOneClickCare() const { return itemCleanCountOneClickCare_; }
    void setItemCleanCountOneClickCare(std::int32_t value) { itemCleanCountOneClickCare_ = value; }
    std::int32_t itemRemaining() const { return itemRemaining_; }
    void setItemRemaining(std::int32_t value) { itemRemaining_ = value; }

private:
    QString strHomeDirectory_;
    VersionFlags versionFlags_ = VersionFlags::fromProfile(qcore::SystemVersion::current());
    bool isScanningOneClick_ = false;
    bool isRemovingOneClick_ = false;
    bool isScanningDups_ = false;
    bool isRemovingDups_ = false;
    std::int32_t itemCleanCountOneClickCare_ = 0;
    std::int32_t itemRemaining_ = 0;
};

} // namespace qshell
