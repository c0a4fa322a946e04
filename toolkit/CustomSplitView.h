#pragma once

#include <QSplitter>

namespace qtk {

// A splitter on the same light grey as CustomView.
class CustomSplitView : public QSplitter {
    Q_OBJECT
public:
    explicit CustomSplitView(QWidget* parent = nullptr);
    explicit CustomSplitView(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace qtk
