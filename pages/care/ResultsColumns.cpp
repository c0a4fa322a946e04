#include "pages/care/ResultsColumns.h"

#include "engine/DataFiller.h"
#include "engine/FileOperations.h"
#include "engine/NodeIcon.h"
#include "platform/ui/GuiWorkspace.h"
#include "platform/ui/ImageCache.h"
#include "toolkit/SpokenNames.h"

namespace qpages::columns {

int compareTexts(const std::string& a, const std::string& b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

QVariant sizeCell(const qengine::DataFiller& engine, const std::string& bytes, int role) {
    if (role == Qt::DisplayRole)
        return QString::fromStdString(
            qengine::FileOperations::convertBytesToApplicableUnit(engine.sizeLangTokens(), bytes));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QIcon iconOf(const qengine::NodeIcon& icon) {
    using Kind = qengine::NodeIcon::Kind;
    switch (icon.kind) {
    case Kind::FileIcon:
    case Kind::ApplicationIcon:
        return fileIcon(icon.source);
    case Kind::GenericFolder:
        return qui::GuiWorkspace::genericFolderIcon();
    case Kind::NamedImage:
        return QIcon(qui::namedImage(QString::fromStdString(icon.source)));
    case Kind::None:
        break;
    }
    return {};
}

QIcon fileIcon(const std::string& path) {
    return qui::GuiWorkspace::iconForFile(QString::fromStdString(path));
}

std::string lastPathComponent(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    const auto slash = trimmed.rfind('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

QString spokenHeader(const qengine::DataFiller& engine, const QString& identifier,
                     const QString& header) {
    std::string key;
    if (identifier == kCheck || identifier == kState)
        key = "ID_SELECT";
    else if (identifier == kIcon)
        key = "ID_ICON";
    const QString word =
        key.empty() ? QString() : QString::fromStdString(engine.getTokenForGroup("GRP_CMN", key));
    return qtk::SpokenNames::header(header, word);
}

} // namespace qpages::columns
