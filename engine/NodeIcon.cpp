#include "engine/NodeIcon.h"

namespace qengine {

NodeIcon NodeIcon::fileIcon(const std::string& path) {
    return {Kind::FileIcon, path};
}
NodeIcon NodeIcon::genericFolder() {
    return {Kind::GenericFolder, {}};
}
NodeIcon NodeIcon::namedImage(const std::string& name) {
    return {Kind::NamedImage, name};
}
NodeIcon NodeIcon::applicationIcon(const std::string& applicationPath) {
    return {Kind::ApplicationIcon, applicationPath};
}

} // namespace qengine
