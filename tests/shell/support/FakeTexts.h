#pragma once

#include "shell/common/TextSource.h"

// Display texts that show what was asked: module "Logs Cleaner" reads "Logs Cleaner*", a
// section "CLEANING" reads "<CLEANING>", a token "[GRP_CMN:ID_OK]".
inline qshell::TextSource fakeTexts() {
    return qshell::TextSource{
        [](const std::string& module, bool isSubModule) {
            return isSubModule ? module + "*" : "<" + module + ">";
        },
        [](const std::string& group, const std::string& key) {
            return "[" + group + ":" + key + "]";
        },
    };
}
