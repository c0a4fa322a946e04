#include "NotificationCenter.h"
#include "Guarded.h"

#include <algorithm>

namespace qcore {

std::string Notification::info(const std::string& key) const {
    const auto it = userInfo.find(key);
    return it == userInfo.end() ? std::string() : it->second.toString();
}

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter center;
    return center;
}

NotificationCenter::ObserverId
NotificationCenter::addObserver(const void* owner, const std::string& name, Handler handler) {
    std::lock_guard lock(mutex_);
    const ObserverId id = nextId_++;
    entries_.push_back({id, owner, name, std::make_shared<Handler>(std::move(handler))});
    return id;
}

void NotificationCenter::removeObserver(ObserverId id) {
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [id](const Entry& e) { return e.id == id; });
}

void NotificationCenter::removeObserversOf(const void* owner) {
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [owner](const Entry& e) { return e.owner == owner; });
}

bool NotificationCenter::hasObservers(const std::string& name) {
    std::lock_guard lock(mutex_);
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& e) { return e.name.empty() || e.name == name; });
}

void NotificationCenter::post(const Notification& n) {
    // Handlers run outside the lock so they may add or remove observers or post themselves.
    std::vector<std::pair<ObserverId, std::shared_ptr<Handler>>> targets;
    {
        std::lock_guard lock(mutex_);
        for (const Entry& e : entries_) {
            if (e.name.empty() || e.name == n.name) targets.emplace_back(e.id, e.handler);
        }
    }
    for (const auto& target : targets) {
        const ObserverId id = target.first;
        const Handler& handler = *target.second;
        {
            // An observer removed by an earlier handler of this delivery is not called.
            std::lock_guard lock(mutex_);
            const bool stillThere = std::any_of(entries_.begin(), entries_.end(),
                                                [id = id](const Entry& e) { return e.id == id; });
            if (!stillThere) continue;
        }
        runGuarded("Observer of " + n.name, [&] { handler(n); });
    }
}

void NotificationCenter::post(const std::string& name, const void* object, Dictionary userInfo) {
    post(Notification{name, object, std::move(userInfo)});
}

} // namespace qcore
