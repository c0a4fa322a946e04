#pragma once

#include "FileDescriptor.h"
#include "Value.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qcore {

enum class FileType { Regular, Directory, SymbolicLink, Other };

struct FileAttributes {
    FileType type = FileType::Other;
    std::uint64_t size = 0;
    Date modified;
    Date accessed;
    Date created; // birth time where the file system keeps it, else the modification time
    std::uint32_t mode = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t links = 1; // names the file has; above 1, other paths are the same file

    bool isDirectory() const { return type == FileType::Directory; }
    bool isRegular() const { return type == FileType::Regular; }
    bool isLink() const { return type == FileType::SymbolicLink; }
};

// Stateless file services. Paths are plain UTF-8 strings; links are never followed unless said.
class FileManager {
public:
    static std::optional<FileAttributes> attributes(const std::string& path,
                                                    bool followLinks = false);
    // Attributes of `name` relative to an open folder (AT_FDCWD for the working folder).
    static std::optional<FileAttributes> attributesAt(int dirFd, const char* name,
                                                      bool followLinks = false);
    // The same from the plain status call, which costs the kernel less, for walks that visit
    // every file of a home folder: no birth time, so `created` is the modification time.
    static std::optional<FileAttributes> statusAt(int dirFd, const char* name);
    static bool exists(const std::string& path); // the entry itself (a dangling link exists)

    // Opening by path at any length: a path the kernel takes at once is opened directly, a
    // longer one a component at a time. Links before the last component are followed as the
    // kernel would; at the last one only when asked. An invalid descriptor (errno set) when
    // it cannot be opened.
    static FileDescriptor openFolder(const std::string& path, bool followLastLink = true);
    static FileDescriptor openFile(const std::string& path, int flags);
    // Opens the folder `path`, which lies at or below `root`, following no link below the root
    // (the root itself may be reached through links): each component after the root is opened
    // on its own and never as a link, and ".." is refused. An invalid descriptor when it cannot
    // be opened, with errno set (ELOOP when a component is a link, EXDEV when `path` is not
    // below `root`) and `stoppedAt`, when given, the path up to the component that failed.
    static FileDescriptor openFolderBelow(const std::string& root, const std::string& path,
                                          std::string* stoppedAt = nullptr);
    // The folder holding the entry, opened, and the entry's name in it.
    struct OpenParent {
        FileDescriptor folder;
        std::string name;
    };
    static std::optional<OpenParent> openParent(const std::string& path);
    // The open folder `inner` is `outer` or lies below it, judged by the folders' identities
    // going up from `inner`, so neither links nor path lengths can mislead it.
    static bool isFolderWithin(int inner, int outer);
    static bool isDirectory(const std::string& path, bool followLinks = false);

    // Names in the folder (no "." or ".."), sorted by name; empty when unreadable.
    static std::vector<std::string> contentsOfDirectory(const std::string& path);

    // Removes the entry; a folder with everything in it, at any depth, holding a few
    // descriptors at a time. Links are removed, never followed. On failure `error` gets a
    // description and what could not go stays.
    static bool removeItem(const std::string& path, std::string* error = nullptr);
    // The same for the entry `name` of an open folder.
    static bool removeItemAt(int folder, const std::string& name, std::string* error = nullptr);
    static bool createDirectories(const std::string& path);
    // Renames, or copies and removes across file systems. Never overwrites.
    static bool moveItem(const std::string& from, const std::string& to,
                         std::string* error = nullptr);
    static bool copyFile(const std::string& from, const std::string& to,
                         std::string* error = nullptr);

    // The current user may remove the entry: its folder is writable and searchable, and a
    // sticky folder also needs ownership of the entry or the folder.
    static bool isDeletable(const std::string& path);
    static bool isWritable(const std::string& path);
    static bool isReadable(const std::string& path);

    // The whole file through SafeFileReader: a regular file not reached through a link, at most
    // `maxBytes`; nothing (and a log line) for anything else.
    static std::optional<std::string> readFile(const std::string& path,
                                               std::size_t maxBytes = kDefaultReadLimit);
    static constexpr std::size_t kDefaultReadLimit = std::size_t{16} << 20;
    // Writes through a temporary file and a rename.
    static bool writeFileAtomically(const std::string& path, const std::string& bytes);

    // Paths: "a/b.c" -> "b.c", "b", "c", "a".
    static std::string lastPathComponent(const std::string& path);
    static std::string pathExtension(const std::string& path);
    static std::string deletingPathExtension(const std::string& path);
    static std::string deletingLastPathComponent(const std::string& path);
    static std::string appendingPathComponent(const std::string& path, const std::string& name);
    // Canonical absolute path with links resolved; the input when it cannot be resolved.
    static std::string canonicalPath(const std::string& path);
    // `path` lies at or below `folder` (both taken literally, compared by components).
    static bool isInside(const std::string& path, const std::string& folder);
};

// Recursive walk below a root: parents before their contents, entries of a folder by name,
// hidden entries included, links reported and never followed. Unreadable folders and entries
// that vanish during the walk are passed over. Paths are relative to the root. Any depth and
// path length, with a bounded number of folders open (see FolderTrail).
class FolderTrail;

class DirectoryEnumerator {
public:
    struct Entry {
        std::string relativePath;
        std::string path;          // root joined with the relative path
        FileAttributes attributes; // as statusAt reads them: no birth time
    };

    explicit DirectoryEnumerator(std::string root);
    ~DirectoryEnumerator();
    DirectoryEnumerator(const DirectoryEnumerator&) = delete;
    DirectoryEnumerator& operator=(const DirectoryEnumerator&) = delete;

    // The next entry, or nothing at the end (or when the root cannot be read).
    std::optional<Entry> next();
    // The same without a copy: the entry lives in the walker until the next call. For walks
    // that visit every file of a home folder.
    const Entry* advance();
    // Do not descend into the folder last returned by next().
    void skipDescendants();
    // Depth of the entry last returned (1 for the root's own entries).
    int level() const { return level_; }

    struct Frame; // one open folder of the walk

private:
    bool enter(FileDescriptor folder);
    void descend();
    bool ascend();

    std::string root_;
    // Frames below `depth_` are the walk's open folders; those above are kept to be reused.
    std::vector<std::unique_ptr<Frame>> stack_;
    std::size_t depth_ = 0;
    std::unique_ptr<FolderTrail> trail_; // the open folders of the frames
    bool descendPending_ = false;
    // Its paths end with the top frame's folder, so an entry only replaces its last component.
    Entry entry_;
    int level_ = 0;
    bool started_ = false;
};

} // namespace qcore
