#include "shell/grant/FolderBookmark.h"

#include "platform/core/FileManager.h"

#include <charconv>

namespace qshell {

namespace {

const std::string kKind = "QuendrixFolderBookmark";

// Device and inode numbers are unsigned 64-bit; decimal text keeps every bit.
std::optional<std::uint64_t> parseNumber(const qcore::Value& value) {
    const std::string* text = value.string();
    if (!text || text->empty()) return std::nullopt;
    std::uint64_t number = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), number);
    if (ec != std::errc() || end != text->data() + text->size()) return std::nullopt;
    return number;
}

} // namespace

std::optional<FolderBookmark> FolderBookmark::create(const std::string& folder) {
    if (folder.empty()) return std::nullopt;
    const std::string canonical = qcore::FileManager::canonicalPath(folder);
    const auto attributes = qcore::FileManager::attributes(canonical);
    if (!attributes || !attributes->isDirectory()) return std::nullopt;
    return FolderBookmark(canonical, attributes->device, attributes->inode);
}

std::optional<FolderBookmark> FolderBookmark::fromData(const qcore::Data& data) {
    const auto plist = qcore::Value::fromPlistData(std::string(data.begin(), data.end()));
    if (!plist || !plist->isDictionary() || (*plist)["kind"].toString() != kKind)
        return std::nullopt;
    const std::string* path = (*plist)["path"].string();
    const auto device = parseNumber((*plist)["device"]);
    const auto inode = parseNumber((*plist)["inode"]);
    if (!path || path->empty() || path->front() != '/' || !device || !inode) return std::nullopt;
    return FolderBookmark(*path, *device, *inode);
}

qcore::Data FolderBookmark::data() const {
    const qcore::Value plist(qcore::Dictionary{{"kind", kKind},
                                               {"path", path_},
                                               {"device", std::to_string(device_)},
                                               {"inode", std::to_string(inode_)}});
    const std::string xml = plist.toXmlPlist();
    return qcore::Data(xml.begin(), xml.end());
}

std::optional<std::string> FolderBookmark::resolve() const {
    // The path itself, links not followed: a link put in the folder's place does not resolve.
    const auto attributes = qcore::FileManager::attributes(path_);
    if (!attributes || !attributes->isDirectory()) return std::nullopt;
    if (attributes->device != device_ || attributes->inode != inode_) return std::nullopt;
    return path_;
}

} // namespace qshell
