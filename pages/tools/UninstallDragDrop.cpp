#include "pages/tools/UninstallDragDrop.h"

#include "platform/core/Log.h"
#include "platform/core/NotificationCenter.h"
#include "platform/ui/ImageCache.h"
#include "platform/ui/ThreePartImage.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

#include <optional>

namespace qpages {

namespace {

// The generic operation: whatever the file manager offers of copy, move or link.
constexpr Qt::DropActions kGeneric = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;

// The dragged file paths, or nothing when the data offers anything but local files.
std::optional<qcore::Array> filePaths(const QMimeData* data) {
    if (!data || !data->hasUrls()) return std::nullopt;
    qcore::Array paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) return std::nullopt;
        paths.emplace_back(url.toLocalFile().toStdString());
    }
    if (paths.empty()) return std::nullopt;
    return paths;
}

void post(const std::string& name, QObject* sender, qcore::Dictionary info = {}) {
    qcore::NotificationCenter::defaultCenter().post(name, sender, std::move(info));
}

} // namespace

UninstallDragDrop::UninstallDragDrop(QWidget* parent) : QWidget(parent) {
    setAcceptDrops(true);
}

void UninstallDragDrop::dragEnterEvent(QDragEnterEvent* event) {
    accepting_ = false;
    const auto paths = filePaths(event->mimeData());
    if (!(event->possibleActions() & kGeneric) || !paths) {
        event->ignore();
        return;
    }
    accepting_ = true;
    post(kEnterNotification, this, {{kFilesKey, *paths}});
    event->acceptProposedAction();
}

void UninstallDragDrop::dragMoveEvent(QDragMoveEvent* event) {
    if (accepting_)
        event->acceptProposedAction();
    else
        event->ignore();
}

void UninstallDragDrop::dragLeaveEvent(QDragLeaveEvent* event) {
    if (accepting_) post(kExitNotification, this);
    accepting_ = false;
    event->accept();
}

void UninstallDragDrop::dropEvent(QDropEvent* event) {
    accepting_ = false;
    const auto paths = filePaths(event->mimeData());
    if (!paths) {
        qcore::log("Error UninstallDragDrop performDragOperation");
        event->ignore();
        return;
    }
    post(kDropNotification, this, {{kItemKey, *paths}});
    update();
    event->acceptProposedAction();
}

void UninstallDragDrop::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    const QPixmap picture = qui::namedImage(QStringLiteral("Uninstaller_Drop.png"));
    if (picture.isNull()) return;
    const QSizeF size = picture.deviceIndependentSize();
    const QRectF target((width() - size.width()) * 0.5, (height() - size.height()) * 0.5,
                        size.width(), size.height());
    qui::drawThreePartImage(painter, target, QPixmap(), picture, QPixmap());
}

void UninstallDragDrop::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isVisible()) post(kResizeNotification, nullptr);
}

} // namespace qpages
