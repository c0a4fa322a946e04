#pragma once

#include <string>

namespace qshell {

// User-defaults keys the shell itself reads or writes.
namespace settings {

inline const std::string kSearchFileMinSize = "searchFileMinSize";
inline const std::string kSearchSizeUnit = "searchSizeUnit";
inline const std::string kDuplicatesFinderPath = "DuplicatesFinderPath";
inline const std::string kExcludedDirectoryNames = "excludedDirectoryNames";
inline const std::string kLargeFilesPath = "LargeFilesPath";
inline const std::string kExcludedLanguageList = "excludedLangaugeList";
inline const std::string kRestrictedRootLanguage = "arrRestrictedRootLanguage";
inline const std::string kVersionRated = "VersionRated";
inline const std::string kLastScanSystemStatus = "lastScanSystemStatus";
inline const std::string kLastScanSystemTime = "lastScanSystemTime";
inline const std::string kLastScanJunkSize = "lastScanJunkSize";
inline const std::string kPathData = "pathData";
inline const std::string kAnalyzeAutomaticallyDuplicates = "analyzeAutomaticallyDuplicates";

} // namespace settings

} // namespace qshell
