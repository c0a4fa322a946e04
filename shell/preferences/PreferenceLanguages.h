#pragma once

#include "platform/core/UserDefaults.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace qshell {

struct LanguageRow {
    std::string langName;
    std::string langID;
    int checkState = 0;
};

// The language table of the preferences: one row per language code, checked when the code is
// in the excluded list; rows of the restricted root languages cannot change.
class PreferenceLanguages {
public:
    using NameFor = std::function<std::string(const std::string& code)>;

    // The system's two-letter language codes (from the locale data), without the "C" and
    // "POSIX" locale names.
    static std::vector<std::string> systemLanguageCodes();
    // Whether a code names a language rather than a locale such as "C" or "POSIX".
    static bool isLanguageCode(const std::string& code);
    // The locale's English display name for a code ("English (United States)" for "en-us").
    static std::string displayName(const std::string& code);

    // Rows for `codes` plus "en-uk", "en-us", "en-gb", sorted by code.
    void fillLanguagesList(std::vector<std::string> codes, const NameFor& nameFor,
                           const qcore::UserDefaults& defaults);
    // False (and nothing changed) for a restricted row or a row that does not exist; else the
    // row takes the state and the excluded list is rewritten from the checked rows.
    bool setCheckState(std::size_t row, int state, qcore::UserDefaults& defaults);

    const std::vector<LanguageRow>& rows() const { return rows_; }

    // The code begins with an entry of the list.
    static bool langInExcludedList(const std::string& code, const std::vector<std::string>& list);
    // The code, upper-cased, begins with an upper-cased entry of the list.
    static bool isRestricted(const std::string& code, const std::vector<std::string>& list);

private:
    std::vector<LanguageRow> rows_;
};

} // namespace qshell
