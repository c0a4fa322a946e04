#pragma once

#include <QString>
#include <QStringList>

namespace qpages {

// The folders a duplicates search may not be pointed at ("excludedDirectoryNames"). A chosen
// folder is refused when it is an excluded folder or lies below one, compared by whole path
// components and ignoring case: "/Library/Preferences" refuses "/Library/Preferences/x" but
// not "/Library/PreferencesOld". Entries that are bare names (".git") name no folder and
// never refuse a chosen path.
class ExcludedFolders {
public:
    explicit ExcludedFolders(QStringList entries);
    // The list stored in the user defaults.
    static ExcludedFolders fromDefaults();

    bool contains(const QString& path) const;

private:
    QStringList folders_;
};

} // namespace qpages
