#pragma once

#include <QString>

#include <cstdint>

namespace qtk {

// The window buttons that show their roll-over images together: as long as the mouse is
// inside any one of them, all of them roll over. Groups are registered by identifier for the
// life of the process; main thread only.
class KLWindowButtonGroup {
public:
    static constexpr const char* kDefaultIdentifier =
        "com.taluvern.klappstorewindow.defaultWindowButtonGroup";
    // Posted on the default notification centre, with the group as object, whenever the
    // number of captures changes.
    static constexpr const char* kDidUpdateRolloverStateNotification =
        "KLWindowButtonGroupDidUpdateRolloverStateNotification";

    // The registered group, made on first use; an empty identifier means the default one.
    static KLWindowButtonGroup& groupWithIdentifier(const QString& identifier = {});

    explicit KLWindowButtonGroup(QString identifier);
    KLWindowButtonGroup(const KLWindowButtonGroup&) = delete;
    KLWindowButtonGroup& operator=(const KLWindowButtonGroup&) = delete;

    const QString& identifier() const { return identifier_; }

    void didCaptureMousePointer() { setNumberOfCaptures(numberOfCaptures_ + 1); }
    void didReleaseMousePointer() { setNumberOfCaptures(numberOfCaptures_ - 1); }
    void resetMouseCaptures() { setNumberOfCaptures(0); }
    bool shouldDisplayRollOver() const { return numberOfCaptures_ > 0; }

    // Negative and unchanged counts are ignored.
    void setNumberOfCaptures(std::int64_t count);
    std::int64_t numberOfCaptures() const { return numberOfCaptures_; }

private:
    QString identifier_;
    std::int64_t numberOfCaptures_ = 0;
};

} // namespace qtk
