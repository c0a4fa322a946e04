#pragma once

#include <QPointer>
#include <QWidget>

#include <optional>

class QEventLoop;

namespace qui {

// A sheet inside a window: a dimmed layer over the host widget (usually the main window's
// content area) with the sheet's box on it. While it runs, the widgets it covers and the rest
// of that window take no input; work queued to the main thread keeps running.
class SheetOverlay : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCancelledCode = -1000; // the host went away while the sheet ran

    explicit SheetOverlay(QWidget* host);
    ~SheetOverlay() override;

    // The sheet's box keeps its size and is placed by the alignment (centred by default).
    void setContentWidget(QWidget* box);
    QWidget* contentWidget() const { return box_; }
    void setBoxAlignment(Qt::Alignment alignment);
    // Opacity of the black layer, 0..1.
    void setDimming(double alpha);
    double dimming() const { return dimming_; }
    // Esc ends the sheet with this code; without one Esc does nothing.
    void setEscapeCode(std::optional<int> code) { escapeCode_ = code; }

    // Shows the sheet and returns the code given to endSheet(). Does not return before that
    // (or before the host is destroyed).
    int runModal();
    // Ends a running sheet; ignored when none runs.
    void endSheet(int returnCode);
    bool isRunning() const { return loop_ != nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitHost();
    void placeBox();
    bool isBlockedInput(QObject* watched, QEvent* event) const;
    void focusBox();

    QPointer<QWidget> box_;
    Qt::Alignment alignment_ = Qt::AlignCenter;
    double dimming_ = 0.7;
    std::optional<int> escapeCode_;
    QEventLoop* loop_ = nullptr; // the running nested loop, on runModal's stack
    int returnCode_ = 0;
    QPointer<QWidget> previousFocus_;
};

} // namespace qui
