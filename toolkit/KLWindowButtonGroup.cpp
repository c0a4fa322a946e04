#include "toolkit/KLWindowButtonGroup.h"

#include "platform/core/NotificationCenter.h"

#include <map>
#include <memory>

namespace qtk {

KLWindowButtonGroup& KLWindowButtonGroup::groupWithIdentifier(const QString& identifier) {
    static std::map<QString, std::unique_ptr<KLWindowButtonGroup>> registry;
    const QString key = identifier.isEmpty() ? QString::fromLatin1(kDefaultIdentifier) : identifier;
    auto& group = registry[key];
    if (!group) group = std::make_unique<KLWindowButtonGroup>(key);
    return *group;
}

KLWindowButtonGroup::KLWindowButtonGroup(QString identifier) : identifier_(std::move(identifier)) {}

void KLWindowButtonGroup::setNumberOfCaptures(std::int64_t count) {
    if (count < 0 || count == numberOfCaptures_) return;
    numberOfCaptures_ = count;
    qcore::NotificationCenter::defaultCenter().post(kDidUpdateRolloverStateNotification, this);
}

} // namespace qtk
