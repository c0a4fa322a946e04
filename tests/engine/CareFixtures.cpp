#include "CareFixtures.h"

#include "engine/ModuleRow.h"
#include "platform/core/FileManager.h"
#include "platform/core/UserDefaults.h"
#include "tests/platform/core/TempDir.h"

#include <chrono>
#include <cmath>
#include <fcntl.h>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>
#include <sys/stat.h>

namespace care {

namespace {

using Database = std::unique_ptr<sqlite3, int (*)(sqlite3*)>;

Database open(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + path);
    }
    return {db, sqlite3_close};
}

void exec(sqlite3* db, const std::string& sql) {
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

constexpr double kDay = 86400;

timespec timespecOf(double seconds) {
    const double whole = std::floor(seconds);
    return {static_cast<time_t>(whole), static_cast<long>((seconds - whole) * 1e9)};
}

} // namespace

void makeDatabase(const std::string& path, int rows) {
    const Database db = open(path);
    exec(db.get(), "CREATE TABLE entries (id INTEGER PRIMARY KEY, value TEXT)");
    for (int i = 0; i < rows; ++i)
        exec(db.get(), "INSERT INTO entries (value) VALUES ('cached')");
}

std::int64_t databaseRows(const std::string& path) {
    const Database db = open(path);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db.get(), "SELECT count(*) FROM entries", -1, &statement, nullptr);
    const std::int64_t count =
        sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
    sqlite3_finalize(statement);
    return count;
}

void setTimes(const std::string& path, double accessed, double modified) {
    const timespec times[2] = {timespecOf(accessed), timespecOf(modified)};
    if (::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0)
        throw std::runtime_error("cannot set times of " + path);
}

double now() {
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

void setDownloadAgeLimits(int days) {
    auto& defaults = qcore::UserDefaults::standard();
    defaults.setObject("partialDownloadsValue", days);
    defaults.setObject("partialDownloadsUnit", 0);
    defaults.setObject("oldDownloadsValue", days);
    defaults.setObject("oldDownloadsUnit", 0);
}

void removeDownloadAgeLimits() {
    auto& defaults = qcore::UserDefaults::standard();
    for (const char* key :
         {"partialDownloadsValue", "partialDownloadsUnit", "oldDownloadsValue", "oldDownloadsUnit"})
        defaults.removeObject(key);
}

std::string writeDownload(const TempDir& home, const std::string& name, const std::string& bytes,
                          double days) {
    const std::string path = home.write("Downloads/" + name, bytes);
    const double when = std::floor(now()) - days * kDay;
    setTimes(path, when, when);
    return path;
}

std::vector<std::string> fileNames(const qengine::ModuleList::Rows& rows) {
    std::vector<std::string> out;
    for (const auto& r : rows)
        out.push_back(qcore::FileManager::lastPathComponent(qengine::row::fullPath(r)));
    return out;
}

PausingPage::PausingPage(std::atomic<bool>& pause, std::function<void()> onPause)
    : pause_(pause), onPause_(std::move(onPause)), thread_([this] {
          while (!done_.load()) {
              if (pause_.load()) {
                  if (onPause_) onPause_();
                  ++handshakes_;
                  pause_.store(false);
              }
              std::this_thread::sleep_for(std::chrono::microseconds(200));
          }
      }) {}

PausingPage::~PausingPage() {
    done_.store(true);
    thread_.join();
}

} // namespace care
