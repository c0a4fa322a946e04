#include "toolkit/CCDColoredButtonCell.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace qtk {

namespace {

bool isClear(const QColor& color) {
    return color.alpha() == 0;
}

// Darkens where either side is dark: max(0, s + d - 1) per channel, composited with the
// general separable-blend formula so transparent parts keep the other side.
QRgb plusDarker(QRgb source, QRgb dest) {
    const double sa = qAlpha(source) / 255.0;
    const double da = qAlpha(dest) / 255.0;
    if (sa == 0) return dest;
    if (da == 0) return source;
    const auto channel = [&](int s, int d) {
        const double sc = s / 255.0 / sa; // un-premultiplied
        const double dc = d / 255.0 / da;
        const double blended = std::max(0.0, sc + dc - 1.0);
        const double out = sa * da * blended + sa * (1 - da) * sc + da * (1 - sa) * dc;
        return std::clamp(static_cast<int>(out * 255.0 + 0.5), 0, 255);
    };
    const double ra = sa + da - sa * da;
    return qRgba(channel(qRed(source), qRed(dest)), channel(qGreen(source), qGreen(dest)),
                 channel(qBlue(source), qBlue(dest)),
                 std::clamp(static_cast<int>(ra * 255.0 + 0.5), 0, 255));
}

} // namespace

CCDColoredButtonCell::CCDColoredButtonCell(QObject* parent) : QStyledItemDelegate(parent) {}

QImage CCDColoredButtonCell::tinted(const QImage& button, const QColor& color) {
    const QImage c = button.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // B: the button's shape, wholly in the colour.
    QImage b(c.size(), QImage::Format_ARGB32_Premultiplied);
    b.fill(Qt::transparent);
    {
        QPainter painter(&b);
        painter.drawImage(0, 0, c);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(b.rect(), color);
    }
    // A: B, then the button over it darkening.
    QImage a = b;
    for (int y = 0; y < a.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(a.scanLine(y));
        const auto* src = reinterpret_cast<const QRgb*>(c.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            out[x] = plusDarker(src[x], out[x]);
    }
    return a;
}

void CCDColoredButtonCell::drawWithFrame(QPainter* painter, const QStyleOptionButton& button,
                                         const QWidget* widget) const {
    QStyle* style = widget ? widget->style() : QApplication::style();
    if (!buttonColor_ || isClear(*buttonColor_)) {
        style->drawControl(QStyle::CE_PushButton, &button, painter, widget);
        return;
    }
    const QRect frame = button.rect;
    if (frame.isEmpty()) return;
    QImage c(frame.size(), QImage::Format_ARGB32_Premultiplied);
    c.fill(Qt::transparent);
    {
        QPainter into(&c);
        QStyleOptionButton local = button;
        local.rect = QRect(QPoint(0, 0), frame.size());
        style->drawControl(QStyle::CE_PushButton, &local, &into, widget);
    }
    painter->drawImage(frame.topLeft(), tinted(c, *buttonColor_));
}

QStyleOptionButton CCDColoredButtonCell::buttonOption(const QStyleOptionViewItem& option,
                                                      const QModelIndex& index) {
    QStyleOptionButton button;
    button.rect = option.rect;
    button.text = index.data(Qt::DisplayRole).toString();
    button.palette = option.palette;
    button.fontMetrics = option.fontMetrics;
    button.direction = option.direction;
    button.state = QStyle::State_Raised;
    if (option.state & QStyle::State_Enabled) button.state |= QStyle::State_Enabled;
    if (option.state & QStyle::State_Sunken) button.state |= QStyle::State_Sunken;
    return button;
}

void CCDColoredButtonCell::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    drawWithFrame(painter, buttonOption(option, index), option.widget);
}

QSize CCDColoredButtonCell::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    const QStyleOptionButton button = buttonOption(option, index);
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    const QSize text = option.fontMetrics.size(Qt::TextShowMnemonic, button.text);
    return style->sizeFromContents(QStyle::CT_PushButton, &button, text, option.widget);
}

} // namespace qtk
