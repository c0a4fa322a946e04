#pragma once

#include "Value.h"

#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace qcore {

// The user's settings: a registered domain (defaults, never saved) under a stored domain that
// is kept as an XML property list and saved atomically. Safe to use from any thread.
class UserDefaults {
public:
    // Reads the stored domain from `path` when it exists; `path` empty keeps it in memory only.
    explicit UserDefaults(std::string path);

    // The application's store; `setStandardPath` must be called before the first use, or the
    // store lives in memory only.
    static UserDefaults& standard();
    static void setStandardPath(const std::string& path);

    void registerDefaults(const Dictionary& defaults);

    // Stored value first, then registered value; a null Value when neither exists.
    Value objectForKey(const std::string& key) const;
    bool hasStoredValue(const std::string& key) const;

    std::string stringForKey(const std::string& key) const; // "" when missing
    std::int64_t integerForKey(const std::string& key) const;
    double doubleForKey(const std::string& key) const;
    bool boolForKey(const std::string& key) const;
    std::optional<Array> arrayForKey(const std::string& key) const;
    std::vector<std::string> stringArrayForKey(const std::string& key) const;
    std::optional<Data> dataForKey(const std::string& key) const;
    std::optional<Date> dateForKey(const std::string& key) const;

    void setObject(const std::string& key, Value value);
    void removeObject(const std::string& key);

    // Writes the stored domain; false when the file could not be written.
    bool synchronize();

    const std::string& path() const { return path_; }

private:
    std::string path_;
    mutable std::mutex mutex_;
    // Held across a whole save, so saves land in the order their snapshots were taken.
    std::mutex saveMutex_;
    Dictionary registered_;
    Dictionary stored_;
};

} // namespace qcore
