#pragma once

#include <QImage>
#include <QWidget>

#include <string>

namespace qpages {

// The Uninstaller's drop area: turns drags of files from the desktop's file manager into three
// notifications on the default centre, with this view as object. Draws the drop picture
// centred on white.
class UninstallDragDrop : public QWidget {
    Q_OBJECT
public:
    inline static const std::string kEnterNotification = "FileEnterDropNotification_Uninstall";
    inline static const std::string kExitNotification = "FileExitDropNotification_Uninstall";
    inline static const std::string kDropNotification = "FileDropNotification_Uninstall";
    inline static const std::string kResizeNotification = "ViewResizeNotification_Uninstall";
    inline static const std::string kFilesKey = "filesArray";
    inline static const std::string kItemKey = "itemName";

    explicit UninstallDragDrop(QWidget* parent = nullptr);

    // Kept for callers that set one; never drawn.
    QImage nsImageObj;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool accepting_ = false; // the drag in progress was accepted on entering
};

} // namespace qpages
