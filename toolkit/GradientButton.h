#pragma once

#include <QLinearGradient>
#include <QPushButton>

namespace qtk {

// A dark button face: a grey gradient with a hard step in the middle and a black outline. No
// title or bezel is drawn.
class GradientButton : public QPushButton {
    Q_OBJECT
public:
    explicit GradientButton(QWidget* parent = nullptr);

    // The face over `height` pixels, darkest at the bottom.
    static QLinearGradient faceGradient(double height);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace qtk
