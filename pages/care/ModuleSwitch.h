#pragma once

#include <QAbstractButton>

namespace qpages {

// A module's on/off switch: a window on a strip that holds "ON", the knob and "OFF". The strip
// sits at x 0 (on) or x -kTravel (off); the dashboard slides it and so decides when a click
// counts. Clicks anywhere on the switch reach its clicked signal.
class ModuleSwitch : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int kTravel = 35;

    explicit ModuleSwitch(QWidget* parent = nullptr);

    // The sliding strip.
    QWidget* knob() const { return strip_; }
    // Places the strip at rest without animation.
    void showOn(bool on);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* strip_;
};

} // namespace qpages
