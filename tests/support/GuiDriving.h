#pragma once

// Helpers for GUI tests that act as the user: files dropped from the file manager, modal
// alerts answered by their buttons. Header-only, for any GUI test program.
#include "tests/support/EventLoopWait.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDragEnterEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace gui_driving {

// A drag of local files entering `target` and dropped in its middle, with what a file manager
// offers (copy, move or link).
inline void dropFiles(QWidget* target, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    const QPoint at = target->rect().center();
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent dropped(QPointF(at), actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    QCoreApplication::processEvents();
}

// Clicks the button titled `title` of the next modal message box, once it shows; its message
// is appended to `seen`. The watch lives as long as `owner`.
inline void answerNextAlert(QObject* owner, const QString& title, QStringList* seen = nullptr) {
    auto* poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, [poll, title, seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        poll->stop();
        poll->deleteLater();
        if (seen) *seen << box->text();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == title) QTest::mouseClick(button, Qt::LeftButton);
    });
    poll->start(10);
}

// Does what an assistive tool does to `widget`: runs its accessibility action `action` (for
// example QAccessibleActionInterface::pressAction() or toggleAction()), with no mouse or key
// event. False when the control offers no such action.
inline bool accessibilityAction(QWidget* widget, const QString& action) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    QAccessibleActionInterface* actions = face ? face->actionInterface() : nullptr;
    if (!actions || !actions->actionNames().contains(action)) return false;
    actions->doAction(action);
    QCoreApplication::processEvents();
    return true;
}

// What a screen reader says for `widget`.
inline QString accessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

} // namespace gui_driving
