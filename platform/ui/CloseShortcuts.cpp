#include "platform/ui/CloseShortcuts.h"

#include <QKeySequence>
#include <QList>
#include <QShortcut>
#include <QWidget>

namespace qui {

void CloseShortcuts::install(QWidget& window, std::function<void()> close) {
    if (!close) close = [target = &window] { target->close(); };
    QList<QKeySequence> sequences{QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)};
    // Two shortcuts on one key would cancel each other out as ambiguous.
    for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::Close))
        if (!sequences.contains(keys)) sequences.append(keys);
    for (const QKeySequence& keys : sequences) {
        auto* shortcut = new QShortcut(keys, &window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, &window, close);
    }
}

} // namespace qui
