#pragma once

#include <QString>
#include <QTimer>

#include <deque>
#include <functional>

class QAbstractButton;
class QMessageBox;
class QTableView;
class QWidget;

// Acts on modal windows while they run: each step waits until it is ready (an alert or a sheet
// is up), then acts once. Steps run in order from the event loop, nested loops included.
class ModalDriver {
public:
    ModalDriver();
    ~ModalDriver();
    ModalDriver& then(std::function<bool()> ready, std::function<void()> act);
    // Presses the button titled `title` of the next message box.
    ModalDriver& answerAlert(const QString& title, std::function<void(QMessageBox*)> look = {});
    bool finished() const { return steps_.empty(); }

private:
    struct Step {
        std::function<bool()> ready;
        std::function<void()> act;
    };
    std::deque<Step> steps_;
    QTimer timer_;
};

QMessageBox* visibleMessageBox();
// Clicks the check box of `row` in the table's first column.
void clickCheckBox(QTableView* table, int row);
// Writes the widget's window into the build's screenshot folder as `name`.png.
void saveScreenshot(QWidget* widget, const QString& name);
