#pragma once

#include <string>

namespace qengine {

// What a result row shows as its icon. The engine has no images; the GUI resolves the kind and
// source into a 16 x 16 image when it draws the row.
struct NodeIcon {
    enum class Kind { None, FileIcon, GenericFolder, NamedImage, ApplicationIcon };

    Kind kind = Kind::None;
    std::string source; // a path (file, application) or an image name; empty otherwise

    static constexpr int kPointSize = 16;

    static NodeIcon fileIcon(const std::string& path);
    static NodeIcon genericFolder();
    static NodeIcon namedImage(const std::string& name);
    static NodeIcon applicationIcon(const std::string& applicationPath);

    bool operator==(const NodeIcon&) const = default;
};

} // namespace qengine
