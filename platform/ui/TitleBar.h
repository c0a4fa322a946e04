#pragma once

#include <QPoint>
#include <QWidget>

namespace qui {

// The strip at the top of a frameless window: dragging it moves the window, a double click
// zooms it. Views placed in it that do not take the mouse themselves (panels, the logo)
// pass their presses on to it, so they drag the window too.
class TitleBar : public QWidget {
    Q_OBJECT
public:
    explicit TitleBar(QWidget* parent = nullptr);

    // Where the window goes when the mouse, pressed at `pressGlobal` with the window at
    // `windowStart`, is now at `currentGlobal`.
    static QPoint dragTarget(QPoint windowStart, QPoint pressGlobal, QPoint currentGlobal);

signals:
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    enum class Drag { None, Pending, System, Manual };
    Drag drag_ = Drag::None;
    QPoint pressGlobal_;
    QPoint windowStart_;
};

} // namespace qui
