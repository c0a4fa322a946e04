#pragma once

#include <string>

namespace qshell {

// The line under the System Status header naming this computer: system, version, model,
// processor and memory, e.g. "Debian GNU/Linux 12 (bookworm), Latitude 7490, Intel Core
// i7-8650U, 16 GB RAM". The version is left out when the system's name already holds it.
std::string systemLine(const std::string& systemName, const std::string& version,
                       const std::string& model, const std::string& processor,
                       const std::string& memory);

} // namespace qshell
