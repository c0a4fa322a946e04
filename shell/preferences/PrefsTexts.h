#pragma once

#include "shell/common/TextSource.h"

#include "platform/core/Bundle.h"
#include "platform/core/Value.h"

#include <string>

namespace qshell {

// The preferences' own copy of the "EN" language table. Keys are looked up as given (blanks
// are not removed, unlike the engine's look-up).
class PrefsTexts {
public:
    // "Quendrix_EN.plist", else "<CFBundleExecutable>_EN.plist", of the bundle's resources.
    explicit PrefsTexts(const qcore::Bundle& bundle);
    explicit PrefsTexts(qcore::Dictionary table) : table_(std::move(table)) {}

    // The text at `key` in section "[group]"; "NA" when either is missing.
    std::string getTokenForGroup(const std::string& group, const std::string& key) const;
    // "ID_MNAME_<NAME>" for a sub-module, else "ID_<NAME>", in GRP_CMN; NAME upper case with
    // blanks as "_".
    std::string getModuleName(const std::string& name, bool isSubModule) const;
    static std::string moduleTextKey(const std::string& name, bool isSubModule);

    // A text source over this table; the table must outlive it.
    TextSource source() const;

    static qcore::Dictionary loadTable(const qcore::Bundle& bundle);

private:
    qcore::Dictionary table_;
};

} // namespace qshell
