#include "platform/ui/Alert.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

namespace {

using qui::Alert;

QMessageBox* openBox() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) return box;
    return nullptr;
}

QAbstractButton* buttonTitled(QMessageBox* box, const QString& title) {
    for (QAbstractButton* b : box->buttons())
        if (b->text() == title) return b;
    return nullptr;
}

// Runs the alert modally and clicks the button titled `title` (or presses Esc when empty).
int answer(const Alert& alert, const QString& title) {
    QTimer::singleShot(0, [title] {
        QMessageBox* box = openBox();
        if (!box) return;
        if (title.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Escape);
        } else if (QAbstractButton* b = buttonTitled(box, title)) {
            b->click();
        }
    });
    return alert.runModal();
}

TEST(AlertTest, AnswersAreTheButtonsPositionsFrom1000) {
    Alert alert;
    alert.setMessageText("Clean all items?")
        .setInformativeText("They cannot be restored.")
        .addButton("OK")
        .addButton("Cancel")
        .addButton("Later");
    EXPECT_EQ(answer(alert, "OK"), Alert::FirstButton);
    EXPECT_EQ(answer(alert, "Cancel"), Alert::SecondButton);
    EXPECT_EQ(answer(alert, "Later"), Alert::ThirdButton);
    EXPECT_EQ(answer(alert, ""), Alert::SecondButton); // Esc cancels
}

TEST(AlertTest, ShowsItsTextsAndDefaultsToOneOkButton) {
    Alert alert;
    alert.setMessageText("Home Directory does not match!!")
        .setInformativeText("Please confirm by selecting Home Directory");
    std::optional<QStringList> seen;
    QTimer::singleShot(0, [&] {
        QMessageBox* box = openBox();
        if (!box) return;
        QStringList titles;
        for (QAbstractButton* b : box->buttons())
            titles << b->text();
        seen = QStringList{box->text(), box->informativeText()} + titles;
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(alert.runModal(), Alert::FirstButton);
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(*seen, (QStringList{"Home Directory does not match!!",
                                  "Please confirm by selecting Home Directory", "OK"}));
}

TEST(AlertTest, SheetVariantReportsThroughItsCompletion) {
    QWidget window;
    window.resize(300, 200);
    window.show();
    std::optional<int> response;
    Alert alert;
    alert.setMessageText("Thank you").addButton("OK").addButton("Cancel").addButton("More");
    alert.beginSheetModal(&window, [&](int r) { response = r; });
    QMessageBox* box = openBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->parentWidget(), &window);
    EXPECT_FALSE(response.has_value()); // does not block
    buttonTitled(box, "More")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return response.has_value(); }, 2000));
    EXPECT_EQ(*response, Alert::ThirdButton);
}

} // namespace
