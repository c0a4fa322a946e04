#include "shell/preferences/PreferenceLanguages.h"

#include "shell/common/SettingsKeys.h"

#include <QLocale>

#include <algorithm>
#include <cctype>

namespace qshell {

namespace {

std::string upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

bool PreferenceLanguages::isLanguageCode(const std::string& code) {
    // "C" and "POSIX" name locales, not languages; real codes are lower-case letters.
    return !code.empty() &&
           std::all_of(code.begin(), code.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

std::vector<std::string> PreferenceLanguages::systemLanguageCodes() {
    std::vector<std::string> codes;
    for (int i = QLocale::AnyLanguage + 1; i <= QLocale::LastLanguage; ++i) {
        const auto language = static_cast<QLocale::Language>(i);
        const QString code = QLocale::languageToCode(language, QLocale::ISO639Part1);
        if (!isLanguageCode(code.toStdString()) || QLocale::languageToString(language).isEmpty())
            continue;
        if (std::find(codes.begin(), codes.end(), code.toStdString()) == codes.end())
            codes.push_back(code.toStdString());
    }
    return codes;
}

std::string PreferenceLanguages::displayName(const std::string& code) {
    const auto dash = code.find('-');
    const QString languageCode = QString::fromStdString(code.substr(0, dash));
    const QLocale::Language language = QLocale::codeToLanguage(languageCode);
    std::string name = QLocale::languageToString(language).toStdString();
    if (dash != std::string::npos) {
        const QString region = QString::fromStdString(code.substr(dash + 1)).toUpper();
        const QLocale::Territory territory = QLocale::codeToTerritory(region);
        if (territory != QLocale::AnyTerritory)
            name += " (" + QLocale::territoryToString(territory).toStdString() + ")";
        else
            name += " (" + region.toStdString() + ")";
    }
    return name;
}

void PreferenceLanguages::fillLanguagesList(std::vector<std::string> codes, const NameFor& nameFor,
                                            const qcore::UserDefaults& defaults) {
    for (const char* extra : {"en-uk", "en-us", "en-gb"})
        if (std::find(codes.begin(), codes.end(), extra) == codes.end()) codes.emplace_back(extra);
    std::sort(codes.begin(), codes.end());
    const auto excluded = defaults.stringArrayForKey(settings::kExcludedLanguageList);
    rows_.clear();
    for (const std::string& code : codes)
        rows_.push_back({nameFor(code), code, langInExcludedList(code, excluded) ? 1 : 0});
}

bool PreferenceLanguages::setCheckState(std::size_t row, int state, qcore::UserDefaults& defaults) {
    if (row >= rows_.size()) return false;
    if (isRestricted(rows_[row].langID,
                     defaults.stringArrayForKey(settings::kRestrictedRootLanguage)))
        return false;
    rows_[row].checkState = state ? 1 : 0;
    qcore::Array checked;
    for (const LanguageRow& r : rows_)
        if (r.checkState == 1) checked.emplace_back(r.langID);
    defaults.setObject(settings::kExcludedLanguageList, checked);
    return true;
}

bool PreferenceLanguages::langInExcludedList(const std::string& code,
                                             const std::vector<std::string>& list) {
    return std::any_of(list.begin(), list.end(),
                       [&code](const std::string& entry) { return code.starts_with(entry); });
}

bool PreferenceLanguages::isRestricted(const std::string& code,
                                       const std::vector<std::string>& list) {
    const std::string upperCode = upper(code);
    return std::any_of(list.begin(), list.end(), [&upperCode](const std::string& entry) {
        return upperCode.starts_with(upper(entry));
    });
}

} // namespace qshell
