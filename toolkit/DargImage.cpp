#include "toolkit/DargImage.h"

#include "platform/ui/GuiWorkspace.h"

#include <QCoreApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace qtk {

DargImage::DargImage(QWidget* parent) : QLabel(parent) {}

QString DargImage::applicationPath() {
    return QCoreApplication::applicationFilePath();
}

void DargImage::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
    const QString path = applicationPath();
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(path)});

    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(qui::GuiWorkspace::iconPixmapForFile(path, 32));
    // The icon's corner sits 16 points up and left of the pointer.
    drag->setHotSpot(QPoint(16, 16));
    drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
}

} // namespace qtk
