#include "UserDefaults.h"

#include "FileManager.h"
#include "Log.h"

namespace qcore {

namespace {
std::mutex standardMutex;
std::string standardPath;
} // namespace

UserDefaults::UserDefaults(std::string path) : path_(std::move(path)) {
    if (path_.empty() || !FileManager::exists(path_)) return;
    if (auto loaded = Value::fromPlistFile(path_); loaded && loaded->isDictionary()) {
        stored_ = *loaded->dictionary();
    } else {
        log("User defaults at ", path_, " could not be read; starting empty");
    }
}

UserDefaults& UserDefaults::standard() {
    static UserDefaults instance([] {
        std::lock_guard lock(standardMutex);
        return standardPath;
    }());
    return instance;
}

void UserDefaults::setStandardPath(const std::string& path) {
    std::lock_guard lock(standardMutex);
    standardPath = path;
}

void UserDefaults::registerDefaults(const Dictionary& defaults) {
    std::lock_guard lock(mutex_);
    for (const auto& [key, value] : defaults)
        registered_[key] = value;
}

Value UserDefaults::objectForKey(const std::string& key) const {
    std::lock_guard lock(mutex_);
    if (auto it = stored_.find(key); it != stored_.end()) return it->second;
    if (auto it = registered_.find(key); it != registered_.end()) return it->second;
    return {};
}

bool UserDefaults::hasStoredValue(const std::string& key) const {
    std::lock_guard lock(mutex_);
    return stored_.count(key) > 0;
}

std::string UserDefaults::stringForKey(const std::string& key) const {
    const Value v = objectForKey(key);
    return v.isString() || v.isNumber() ? v.toString() : std::string();
}

std::int64_t UserDefaults::integerForKey(const std::string& key) const {
    return objectForKey(key).toInt();
}

double UserDefaults::doubleForKey(const std::string& key) const {
    return objectForKey(key).toDouble();
}

bool UserDefaults::boolForKey(const std::string& key) const {
    return objectForKey(key).toBool();
}

std::optional<Array> UserDefaults::arrayForKey(const std::string& key) const {
    const Value v = objectForKey(key);
    if (const Array* a = v.array()) return *a;
    return std::nullopt;
}

std::vector<std::string> UserDefaults::stringArrayForKey(const std::string& key) const {
    return objectForKey(key).toStringList();
}

std::optional<Data> UserDefaults::dataForKey(const std::string& key) const {
    const Value v = objectForKey(key);
    if (const Data* d = v.data()) return *d;
    return std::nullopt;
}

std::optional<Date> UserDefaults::dateForKey(const std::string& key) const {
    return objectForKey(key).date();
}

void UserDefaults::setObject(const std::string& key, Value value) {
    std::lock_guard lock(mutex_);
    if (value.isNull()) {
        stored_.erase(key);
    } else {
        stored_[key] = std::move(value);
    }
}

void UserDefaults::removeObject(const std::string& key) {
    std::lock_guard lock(mutex_);
    stored_.erase(key);
}

bool UserDefaults::synchronize() {
    if (path_.empty()) return true;
    std::lock_guard saving(saveMutex_);
    Value snapshot;
    {
        std::lock_guard lock(mutex_);
        snapshot = Value(stored_);
    }
    FileManager::createDirectories(FileManager::deletingLastPathComponent(path_));
    // An older snapshot renamed last would undo a newer save.
    const bool ok = snapshot.writeXmlPlistAtomically(path_);
    if (!ok) log("User defaults could not be saved to ", path_);
    return ok;
}

} // namespace qcore
