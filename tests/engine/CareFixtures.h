#pragma once

#include "engine/ModuleList.h"

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

class TempDir;

// Helpers of the junk-module tests (caches, logs, crash reports, downloads).
namespace care {

// A database file with one table "entries" holding `rows` rows (0: an empty table).
void makeDatabase(const std::string& path, int rows);
std::int64_t databaseRows(const std::string& path);

// Sets a path's access and modification times (seconds since 1970), links not followed.
void setTimes(const std::string& path, double accessed, double modified);
double now();

// Sets the Partial and Old Downloads age limits to `days` days (their "...Value" and "...Unit"
// defaults); removeDownloadAgeLimits() takes the four defaults out again.
void setDownloadAgeLimits(int days);
void removeDownloadAgeLimits();

// Writes `bytes` to Downloads/`name` in `home` with access and modification times `days` days
// before the current whole second; returns its path.
std::string writeDownload(const TempDir& home, const std::string& name, const std::string& bytes,
                          double days);

// The last path component of each row's full path, in row order.
std::vector<std::string> fileNames(const qengine::ModuleList::Rows& rows);

// Plays the page's part of the pause handshake: whenever the scan sets `pause`, runs
// `onPause` (the page's reload) and then clears the flag, as the page's main-thread reload
// handler does.
class PausingPage {
public:
    PausingPage(std::atomic<bool>& pause, std::function<void()> onPause = {});
    ~PausingPage();
    PausingPage(const PausingPage&) = delete;
    PausingPage& operator=(const PausingPage&) = delete;

    int handshakes() const { return handshakes_.load(); }

private:
    std::atomic<bool>& pause_;
    std::function<void()> onPause_;
    std::atomic<bool> done_{false};
    std::atomic<int> handshakes_{0};
    std::thread thread_;
};

} // namespace care
