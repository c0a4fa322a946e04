#pragma once

#include "Value.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace qcore {

struct Notification {
    std::string name;
    const void* object = nullptr; // the sender, compared by address only
    Dictionary userInfo;

    // The user-info entry as text; "" when absent.
    std::string info(const std::string& key) const;
};

// Observers by name; delivery is synchronous on the posting thread. Observers may be added
// or removed from any thread, also from inside a delivery.
class NotificationCenter {
public:
    using Handler = std::function<void(const Notification&)>;
    using ObserverId = std::uint64_t;

    static NotificationCenter& defaultCenter();

    // `owner` groups observers for removeObserversOf(); `name` empty observes every name.
    ObserverId addObserver(const void* owner, const std::string& name, Handler handler);
    void removeObserver(ObserverId id);
    void removeObserversOf(const void* owner);

    // Someone observes `name` (or every name): a poster may skip building a payload nobody
    // would read.
    bool hasObservers(const std::string& name);

    void post(const Notification& n);
    void post(const std::string& name, const void* object, Dictionary userInfo = {});

private:
    struct Entry {
        ObserverId id;
        const void* owner;
        std::string name;
        std::shared_ptr<Handler> handler;
    };
    std::mutex mutex_;
    std::vector<Entry> entries_;
    ObserverId nextId_ = 1;
};

} // namespace qcore
