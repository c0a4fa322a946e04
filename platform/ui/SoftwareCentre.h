#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace qui {

// The desktop's software centre, reached by "appstream://<component id>" addresses. Whether
// anything on the desktop opens such an address is read from the freedesktop MIME
// associations (mimeapps.list, mimeinfo.cache and the applications' desktop entries), since
// handing an unhandled address to the desktop ends in a browser that cannot show it.
class SoftwareCentre {
public:
    static constexpr const char* kScheme = "appstream";

    // Whether a handler for `scheme` addresses is registered: named in the configuration
    // folders' or application folders' mimeapps.list ([Default Applications] or [Added
    // Associations], and not under [Removed Associations]), in an application folder's
    // mimeinfo.cache, or in a desktop entry's MimeType; a named handler counts only when its
    // desktop entry exists in one of `applicationDirs`.
    static bool hasHandler(const QString& scheme, const QStringList& configDirs,
                           const QStringList& applicationDirs);
    // The same over the user's and the system's folders.
    static bool hasHandler(const QString& scheme);

    // The product's own web site, where rating goes when there is no software centre.
    static constexpr const char* kProductWebsite = "https://www.quendrix.example/lite/";

    static QUrl storePage(const QString& componentId);
    // The software-centre page when the desktop can open it, else the product web site.
    static QUrl ratingPage(const QString& componentId);
    // The software-centre page when the desktop can open it, else `website`.
    static QUrl ratingPage(const QString& componentId, const QUrl& website);
    static QUrl ratingPage(const QString& componentId, const QUrl& website, bool centreAvailable);
};

} // namespace qui
