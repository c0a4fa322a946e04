#pragma once

#include <QPoint>
#include <QString>

#include <memory>
#include <string>

class QAbstractItemView;
class QModelIndex;
class QWidget;

namespace finders {

// Saves `widget` as "<build>/screenshots/finders/<name>.png".
void saveShot(QWidget& widget, const QString& name);

// Presses the button titled `button` of the next message box, once it is up; the flag turns
// true when it has been pressed.
std::shared_ptr<bool> answerNextAlert(const QString& button);
// Chooses `item` in the next popup menu, once it is up.
void chooseInNextMenu(const QString& item);

// A right-click on the view at the centre of `index`'s row.
void rightClick(QAbstractItemView& view, const QModelIndex& index);
// A left click on the check box of `index`'s row (its first column).
void clickCheckBox(QAbstractItemView& view, const QModelIndex& index);

std::string readFile(const std::string& path);

// The duplicates search of `folder` with no size minimum and the usual excluded folders; and
// those settings taken away again.
void useDuplicatesSettings(const std::string& folder);
void forgetDuplicatesSettings();

} // namespace finders
