#include "shell/preferences/PrefsTexts.h"

#include "platform/core/Log.h"

#include <cctype>

namespace qshell {

PrefsTexts::PrefsTexts(const qcore::Bundle& bundle) : table_(loadTable(bundle)) {}

qcore::Dictionary PrefsTexts::loadTable(const qcore::Bundle& bundle) {
    auto path = bundle.pathForResource("Quendrix_EN", "plist");
    if (!path)
        path = bundle.pathForResource(bundle.infoString("CFBundleExecutable") + "_EN", "plist");
    if (!path) return {};
    const auto table = qcore::Value::fromPlistFile(*path);
    if (!table || !table->isDictionary()) return {};
    return *table->dictionary();
}

std::string PrefsTexts::getTokenForGroup(const std::string& group, const std::string& key) const {
    const auto section = table_.find("[" + group + "]");
    if (section == table_.end() || !section->second.contains(key)) return "NA";
    return section->second[key].toString();
}

std::string PrefsTexts::moduleTextKey(const std::string& name, bool isSubModule) {
    std::string upper;
    for (const char c : name)
        upper += c == ' ' ? '_' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return (isSubModule ? "ID_MNAME_" : "ID_") + upper;
}

std::string PrefsTexts::getModuleName(const std::string& name, bool isSubModule) const {
    qcore::log("MNAME = ", name);
    return getTokenForGroup("GRP_CMN", moduleTextKey(name, isSubModule));
}

TextSource PrefsTexts::source() const {
    return TextSource{
        [this](const std::string& name, bool isSub) { return getModuleName(name, isSub); },
        [this](const std::string& group, const std::string& key) {
            return getTokenForGroup(group, key);
        },
    };
}

} // namespace qshell
