#include "shell/views/SystemLine.h"

namespace qshell {

std::string systemLine(const std::string& systemName, const std::string& version,
                       const std::string& model, const std::string& processor,
                       const std::string& memory) {
    std::string line = systemName;
    if (!version.empty() && systemName.find(version) == std::string::npos) line += " " + version;
    for (const std::string* part : {&model, &processor, &memory})
        if (!part->empty()) line += ", " + *part;
    return line;
}

} // namespace qshell
