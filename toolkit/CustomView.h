#pragma once

#include <QColor>
#include <QWidget>

namespace qtk {

// A plain light-grey background.
class CustomView : public QWidget {
    Q_OBJECT
public:
    explicit CustomView(QWidget* parent = nullptr);

    static QColor backgroundColor() { return QColor::fromRgbF(0.965f, 0.965f, 0.965f); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace qtk
