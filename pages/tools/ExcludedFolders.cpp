#include "pages/tools/ExcludedFolders.h"

#include "platform/core/UserDefaults.h"

namespace qpages {

namespace {

// Upper-cased, without trailing separators; the root stays "/".
QString normalised(const QString& path) {
    QString result = path.toUpper();
    while (result.size() > 1 && result.endsWith('/'))
        result.chop(1);
    return result;
}

} // namespace

ExcludedFolders::ExcludedFolders(QStringList entries) {
    for (const QString& entry : entries)
        if (entry.startsWith('/')) folders_.push_back(normalised(entry));
}

ExcludedFolders ExcludedFolders::fromDefaults() {
    QStringList entries;
    for (const auto& entry :
         qcore::UserDefaults::standard().stringArrayForKey("excludedDirectoryNames"))
        entries.push_back(QString::fromStdString(entry));
    return ExcludedFolders(entries);
}

bool ExcludedFolders::contains(const QString& path) const {
    const QString chosen = normalised(path);
    for (const QString& folder : folders_) {
        if (folder == "/" || chosen == folder) return true;
        if (chosen.startsWith(folder) && chosen.at(folder.size()) == '/') return true;
    }
    return false;
}

} // namespace qpages
