#include "tests/pages/tools/FinderTestSupport.h"

#include "platform/core/UserDefaults.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <functional>
#include <sstream>

namespace finders {

namespace {

// Runs `act` on the first event-loop pass where it answers true, giving up after a while.
void whenReady(const std::function<bool()>& act, int triesLeft = 400) {
    QTimer::singleShot(10, qApp, [act, triesLeft] {
        if (!act() && triesLeft > 0) whenReady(act, triesLeft - 1);
    });
}

} // namespace

void saveShot(QWidget& widget, const QString& name) {
    const QString folder = QStringLiteral(QUENDRIX_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    // Lay out what changed since the last pass, as the event loop would before painting.
    QApplication::processEvents();
    widget.grab().save(folder + '/' + name + ".png");
}

std::shared_ptr<bool> answerNextAlert(const QString& button) {
    auto pressed = std::make_shared<bool>(false);
    whenReady([button, pressed] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return false;
        for (auto* candidate : box->findChildren<QPushButton*>())
            if (candidate->text() == button) {
                *pressed = true;
                QTest::mouseClick(candidate, Qt::LeftButton);
                return true;
            }
        return false;
    });
    return pressed;
}

void chooseInNextMenu(const QString& item) {
    whenReady([item] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return false;
        for (QAction* action : menu->actions())
            if (action->text() == item) {
                if (!action->isEnabled()) {
                    menu->close();
                    return true;
                }
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                return true;
            }
        menu->close();
        return true;
    });
}

void rightClick(QAbstractItemView& view, const QModelIndex& index) {
    const QPoint at = view.visualRect(index).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, view.viewport()->mapToGlobal(at));
    QApplication::sendEvent(view.viewport(), &event);
}

void clickCheckBox(QAbstractItemView& view, const QModelIndex& index) {
    const QModelIndex cell = index.siblingAtColumn(0);
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.rect = view.visualRect(cell);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box =
        view.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &view);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, box.center());
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void useDuplicatesSettings(const std::string& folder) {
    auto& defaults = qcore::UserDefaults::standard();
    defaults.setObject("DuplicatesFinderPath", folder);
    defaults.setObject("searchFileMinSize", "0");
    defaults.setObject("searchSizeUnit", "0");
    defaults.setObject("excludedDirectoryNames",
                       qcore::Array{qcore::Value("/Library"), qcore::Value("/Volumes")});
}

void forgetDuplicatesSettings() {
    for (const auto* key :
         {"DuplicatesFinderPath", "searchFileMinSize", "searchSizeUnit", "excludedDirectoryNames"})
        qcore::UserDefaults::standard().removeObject(key);
}

} // namespace finders
