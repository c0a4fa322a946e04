#include "tests/pages/support/ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

ModalDriver::ModalDriver() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (steps_.empty() || !steps_.front().ready()) return;
        auto step = std::move(steps_.front());
        steps_.pop_front();
        step.act();
    });
    timer_.start();
}

ModalDriver::~ModalDriver() = default;

ModalDriver& ModalDriver::then(std::function<bool()> ready, std::function<void()> act) {
    steps_.push_back({std::move(ready), std::move(act)});
    return *this;
}

ModalDriver& ModalDriver::answerAlert(const QString& title,
                                      std::function<void(QMessageBox*)> look) {
    return then([] { return visibleMessageBox() != nullptr; },
                [title, look] {
                    QMessageBox* box = visibleMessageBox();
                    if (look) look(box);
                    for (QAbstractButton* b : box->buttons())
                        if (b->text() == title) return QTest::mouseClick(b, Qt::LeftButton);
                    ADD_FAILURE() << "no button " << title.toStdString();
                });
}

QMessageBox* visibleMessageBox() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) return box;
    return nullptr;
}

void clickCheckBox(QTableView* table, int row) {
    const QModelIndex index = table->model()->index(row, 0);
    QStyleOptionViewItem option;
    option.initFrom(table);
    option.rect = table->visualRect(index);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect check =
        table->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, table);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, check.center());
}

void saveScreenshot(QWidget* widget, const QString& name) {
    const QString folder = QStringLiteral(QUENDRIX_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    widget->window()->grab().save(folder + "/" + name + ".png");
}
