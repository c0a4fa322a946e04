#include "pages/care/ModuleSwitch.h"

#include <QPainter>
#include <QPainterPath>

namespace qpages {

namespace {

constexpr int kKnobWidth = 25;

// "ON" on green, the knob, "OFF" on grey, side by side.
class SwitchStrip : public QWidget {
public:
    explicit SwitchStrip(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const int travel = ModuleSwitch::kTravel;
        const QRectF on(0, 0, travel + kKnobWidth / 2.0, height());
        const QRectF off(travel + kKnobWidth / 2.0, 0, travel + kKnobWidth / 2.0, height());
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(46, 139, 58));
        painter.drawRect(on);
        painter.setBrush(QColor(160, 160, 160));
        painter.drawRect(off);
        QFont font = painter.font();
        font.setPixelSize(10);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRectF(0, 0, travel, height()), Qt::AlignCenter, QStringLiteral("ON"));
        painter.drawText(QRectF(travel + kKnobWidth, 0, travel, height()), Qt::AlignCenter,
                         QStringLiteral("OFF"));
        const QRectF knob(travel + 1, 1, kKnobWidth - 2, height() - 2);
        painter.setPen(QColor(120, 120, 120));
        painter.setBrush(QColor(250, 250, 250));
        painter.drawRoundedRect(knob, 3, 3);
    }
};

} // namespace

ModuleSwitch::ModuleSwitch(QWidget* parent)
    : QAbstractButton(parent), strip_(new SwitchStrip(this)) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    strip_->setGeometry(0, 0, 2 * kTravel + kKnobWidth, height());
}

void ModuleSwitch::showOn(bool on) {
    strip_->move(on ? 0 : -kTravel, 0);
}

QSize ModuleSwitch::sizeHint() const {
    return {kTravel + kKnobWidth, 22};
}

void ModuleSwitch::paintEvent(QPaintEvent*) {
    // The strip paints the face; the frame keeps the window's edge visible.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setClipPath(outline);
    painter.fillRect(rect(), QColor(200, 200, 200));
}

void ModuleSwitch::resizeEvent(QResizeEvent* event) {
    QAbstractButton::resizeEvent(event);
    strip_->resize(2 * kTravel + kKnobWidth, height());
}

} // namespace qpages
