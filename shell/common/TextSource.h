#pragma once

#include <functional>
#include <string>

namespace qengine {
class DataFiller;
}

namespace qshell {

// Where the shell's logic takes its display texts: the engine's language table in the
// application, any pair of functions in tests.
struct TextSource {
    std::function<std::string(const std::string& module, bool isSubModule)> moduleName;
    std::function<std::string(const std::string& group, const std::string& key)> token;

    // Looks up in `engine`, which must outlive the source.
    static TextSource fromEngine(const qengine::DataFiller& engine);

    std::string module(const std::string& name) const { return moduleName(name, true); }
    std::string section(const std::string& name) const { return moduleName(name, false); }
    std::string common(const std::string& key) const { return token("GRP_CMN", key); }
};

} // namespace qshell
