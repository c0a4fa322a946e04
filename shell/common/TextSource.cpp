#include "shell/common/TextSource.h"

#include "engine/DataFiller.h"

namespace qshell {

TextSource TextSource::fromEngine(const qengine::DataFiller& engine) {
    return TextSource{
        [&engine](const std::string& module, bool isSubModule) {
            return engine.getModuleName(module, isSubModule);
        },
        [&engine](const std::string& group, const std::string& key) {
            return engine.getTokenForGroup(group, key);
        },
    };
}

} // namespace qshell
