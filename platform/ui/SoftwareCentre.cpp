#include "platform/ui/SoftwareCentre.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

#include <map>

namespace qui {

namespace {

// Association files are small; a larger one is not read.
constexpr qint64 kMaxFileSize = 1 << 20;

using Sections = std::map<QString, std::map<QString, QString>>;

Sections readIni(const QString& path) {
    Sections sections;
    QFile file(path);
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxFileSize || !file.open(QIODevice::ReadOnly))
        return sections;
    QTextStream in(&file);
    QString section;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && !line.startsWith(QLatin1Char('#')))
            sections[section][line.left(eq).trimmed()] = line.mid(eq + 1).trimmed();
    }
    return sections;
}

QString valueIn(const Sections& sections, const QString& section, const QString& key) {
    const auto s = sections.find(section);
    if (s == sections.end()) return {};
    const auto v = s->second.find(key);
    return v == s->second.end() ? QString() : v->second;
}

QStringList entries(const QString& list) {
    return list.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

bool desktopEntryExists(const QString& id, const QStringList& applicationDirs) {
    if (id.contains(QLatin1String(".."))) return false;
    // A desktop-file id "vendor-app.desktop" may also live as "vendor/app.desktop".
    const QString nested = QString(id).replace(QLatin1Char('-'), QLatin1Char('/'));
    for (const QString& dir : applicationDirs)
        if (QFileInfo::exists(dir + QLatin1Char('/') + id) ||
            QFileInfo::exists(dir + QLatin1Char('/') + nested))
            return true;
    return false;
}

} // namespace

bool SoftwareCentre::hasHandler(const QString& scheme, const QStringList& configDirs,
                                const QStringList& applicationDirs) {
    const QString mimeType = QStringLiteral("x-scheme-handler/") + scheme.toLower();
    QStringList removed;
    QStringList named;
    QStringList associationFiles;
    for (const QString& dir : configDirs)
        associationFiles << dir + QStringLiteral("/mimeapps.list");
    for (const QString& dir : applicationDirs)
        associationFiles << dir + QStringLiteral("/mimeapps.list");
    for (const QString& path : associationFiles) {
        const Sections ini = readIni(path);
        removed << entries(valueIn(ini, QStringLiteral("Removed Associations"), mimeType));
        named << entries(valueIn(ini, QStringLiteral("Default Applications"), mimeType));
        named << entries(valueIn(ini, QStringLiteral("Added Associations"), mimeType));
    }
    for (const QString& dir : applicationDirs) {
        named << entries(valueIn(readIni(dir + QStringLiteral("/mimeinfo.cache")),
                                 QStringLiteral("MIME Cache"), mimeType));
        const QDir folder(dir);
        for (const QString& file :
             folder.entryList({QStringLiteral("*.desktop")}, QDir::Files | QDir::Readable)) {
            const Sections entry = readIni(folder.filePath(file));
            const QString types =
                valueIn(entry, QStringLiteral("Desktop Entry"), QStringLiteral("MimeType"));
            if (entries(types).contains(mimeType)) named << file;
        }
    }
    for (const QString& id : named)
        if (!removed.contains(id) && desktopEntryExists(id, applicationDirs)) return true;
    return false;
}

bool SoftwareCentre::hasHandler(const QString& scheme) {
    return hasHandler(scheme,
                      QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation),
                      QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation));
}

QUrl SoftwareCentre::storePage(const QString& componentId) {
    return QUrl(QString::fromLatin1(kScheme) + QStringLiteral("://") + componentId);
}

QUrl SoftwareCentre::ratingPage(const QString& componentId) {
    return ratingPage(componentId, QUrl(QString::fromLatin1(kProductWebsite)));
}

QUrl SoftwareCentre::ratingPage(const QString& componentId, const QUrl& website) {
    return ratingPage(componentId, website, hasHandler(QString::fromLatin1(kScheme)));
}

QUrl SoftwareCentre::ratingPage(const QString& componentId, const QUrl& website,
                                bool centreAvailable) {
    return centreAvailable && !componentId.isEmpty() ? storePage(componentId) : website;
}

} // namespace qui
