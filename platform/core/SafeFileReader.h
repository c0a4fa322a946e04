#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>

namespace qcore {

// Largest file of each kind that is read; anything larger is refused rather than loaded.
namespace readLimits {
inline constexpr std::size_t kPropertyList = std::size_t{32} << 20;
inline constexpr std::size_t kInfoPlist = std::size_t{4} << 20;    // an application's own keys
inline constexpr std::size_t kSettingsText = std::size_t{1} << 20; // profiles.ini and the like
inline constexpr std::size_t kSystemText = std::size_t{4} << 20;   // /proc, /sys and /etc files
} // namespace readLimits

// Reads a whole file that someone else controls: a regular file only (never a FIFO, socket or
// device, so nothing blocks or streams forever), opened without blocking, and never more than
// `maxBytes`. User files are not read through a link at their last component; system files
// such as /etc/os-release may be links and are followed, still only to a regular file.
class SafeFileReader {
public:
    enum class Links { Refuse, Follow };
    enum class Status { Read, Missing, Refused };

    struct Result {
        Status status = Status::Missing;
        std::string bytes;  // the contents when read
        std::string reason; // why it was refused
    };

    // Never logs; tells missing from refused.
    static Result readWithStatus(const std::string& path, std::size_t maxBytes,
                                 Links links = Links::Refuse);
    // The contents, or nothing; a refused file is logged with its reason, a missing one is not.
    static std::optional<std::string> read(const std::string& path, std::size_t maxBytes,
                                           Links links = Links::Refuse);

    // What an entry of this mode (from lstat or fstat) is, for the log: "a pipe", "a link" ...
    static const char* kindName(mode_t mode);

    // Test hook: called with every path about to be read. Empty by default.
    static void setObserverForTesting(std::function<void(const std::string&)> observer);
};

} // namespace qcore
