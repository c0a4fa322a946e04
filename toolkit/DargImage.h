#pragma once

#include <QLabel>

namespace qtk {

// An image that drags the application itself: pressing on it starts a drag of the program's
// path with its desktop icon under the pointer.
class DargImage : public QLabel {
    Q_OBJECT
public:
    explicit DargImage(QWidget* parent = nullptr);

    // What is dragged: the running program's path.
    static QString applicationPath();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace qtk
