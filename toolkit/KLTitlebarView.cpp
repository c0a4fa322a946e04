#include "toolkit/KLTitlebarView.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/TextMetrics.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <cmath>
#include <random>

namespace qtk {

namespace {

constexpr double kModernAppKit = 1038;
constexpr double kNoiseOpacity = 0.1;
constexpr double kTitleFontSize = 13; // the regular control size's system font size
constexpr double kTitleTopInset = 2;

QColor grey(double white, double alpha = 1.0) {
    return QColor::fromRgbF(static_cast<float>(white), static_cast<float>(white),
                            static_cast<float>(white), static_cast<float>(alpha));
}

QColor orDefault(const QColor& colour, const QColor& fallback) {
    return colour.isValid() ? colour : fallback;
}

// Paints in the bar's own terms: origin at the bottom left, y up.
void flip(QPainter& painter, double height) {
    painter.translate(0, height);
    painter.scale(1, -1);
}

QRectF toRectF(const qui::PointRect& r) {
    return {r.x, r.y, r.width, r.height};
}

} // namespace

KLTitlebarView::KLTitlebarView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("KLTitlebarView"));
}

KLAppStoreWindow* KLTitlebarView::appStoreWindow() const {
    return qobject_cast<KLAppStoreWindow*>(window());
}

KLTitlebarView::Colours KLTitlebarView::defaultColours(bool drawsAsMainWindow,
                                                       double appKitVersion) {
    const bool modern = std::floor(appKitVersion) > kModernAppKit;
    if (modern)
        return drawsAsMainWindow ? Colours{grey(0.66), grey(0.9), grey(0.408)}
                                 : Colours{grey(0.878), grey(0.976), grey(0.655)};
    return drawsAsMainWindow ? Colours{grey(0.659), grey(0.812), grey(0.318)}
                             : Colours{grey(0.851), grey(0.929), grey(0.6)};
}

KLTitlebarView::Colours KLTitlebarView::colours(const KLAppStoreWindow& window,
                                                bool drawsAsMainWindow) {
    const Colours fallback =
        defaultColours(drawsAsMainWindow, window.systemVersion().appKitVersionNumber());
    if (drawsAsMainWindow)
        return {orDefault(window.titleBarStartColor(), fallback.start),
                orDefault(window.titleBarEndColor(), fallback.end),
                orDefault(window.baselineSeparatorColor(), fallback.baseline)};
    return {orDefault(window.inactiveTitleBarStartColor(), fallback.start),
            orDefault(window.inactiveTitleBarEndColor(), fallback.end),
            orDefault(window.inactiveBaselineSeparatorColor(), fallback.baseline)};
}

QPainterPath KLTitlebarView::roundedTopPath(const qui::PointRect& rect, double top) {
    const double r = kCornerRadius;
    const double minX = rect.x;
    const double maxX = rect.maxX();
    const double minY = rect.y;
    QPainterPath path;
    path.moveTo(minX, minY);
    path.lineTo(minX, top - r);
    path.arcTo(QRectF(minX, top - 2 * r, 2 * r, 2 * r), 180, 90);
    path.lineTo(maxX - r, top);
    path.arcTo(QRectF(maxX - 2 * r, top - 2 * r, 2 * r, 2 * r), 270, 90);
    path.lineTo(maxX, minY);
    path.closeSubpath();
    return path;
}

const QImage& KLTitlebarView::noiseImage() {
    static const QImage image = [] {
        QImage noise(kNoiseSide, kNoiseSide, QImage::Format_Grayscale8);
        std::mt19937 generator(120);
        for (int y = 0; y < kNoiseSide; ++y) {
            uchar* row = noise.scanLine(y);
            for (int x = 0; x < kNoiseSide; ++x)
                row[x] = static_cast<uchar>(generator() & 0xFF);
        }
        return noise;
    }();
    return image;
}

void KLTitlebarView::drawNoiseWithOpacity(QPainter& painter, double opacity) const {
    static const QPixmap tile = QPixmap::fromImage(noiseImage());
    painter.save();
    painter.setOpacity(opacity);
    painter.setCompositionMode(QPainter::CompositionMode_Screen);
    const double scale = devicePixelRatioF();
    painter.scale(1 / scale, 1 / scale);
    painter.drawTiledPixmap(QRectF(0, 0, width() * scale, height() * scale), tile);
    painter.restore();
}

KLTitlebarView::TitleLayout KLTitlebarView::titleLayout(const KLAppStoreWindow& window,
                                                        bool drawsAsMainWindow) const {
    const auto& ownShadow =
        drawsAsMainWindow ? window.titleTextShadow() : window.inactiveTitleTextShadow();
    const TitleTextShadow shadow = ownShadow.value_or(TitleTextShadow{grey(1.0, 0.5), {0, -1}, 0});
    const QColor colour = drawsAsMainWindow
                              ? orDefault(window.titleTextColor(), grey(56.0 / 255.0))
                              : orDefault(window.inactiveTitleTextColor(), grey(56.0 / 255.0, 0.5));
    const QFont font = window.titleFont().value_or(qui::systemFont(kTitleFontSize));

    const QSizeF size = qui::textSize(font, window.windowTitle());
    const double x = width() * 0.5 - size.width() / 2;
    const double y = height() - size.height() - kTitleTopInset;
    return {{x, y, size.width(), size.height()}, {font, colour, shadow}};
}

void KLTitlebarView::paintEvent(QPaintEvent*) {
    const KLAppStoreWindow* window = appStoreWindow();
    if (!window) return;
    const bool drawsAsMain = window->drawsAsMainWindow();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    painter.save();
    flip(painter, height());
    if (const auto& block = window->titleBarDrawingBlock()) {
        const qui::PointRect bounds = qui::boundsOf(this);
        block(painter, drawsAsMain, bounds, roundedTopPath(bounds, bounds.y + bounds.height - 1));
    } else {
        paintBar(painter, *window, drawsAsMain);
    }
    painter.restore();

    paintTitle(painter, *window, drawsAsMain);
}

void KLTitlebarView::paintBar(QPainter& painter, const KLAppStoreWindow& window,
                              bool drawsAsMain) const {
    const bool modern = std::floor(window.systemVersion().appKitVersionNumber()) > kModernAppKit;
    const Colours colour = colours(window, drawsAsMain);
    const qui::PointRect bounds = qui::boundsOf(this);

    if (window.isFullScreenWindow()) painter.fillRect(toRectF(bounds), Qt::black);

    painter.setClipPath(roundedTopPath(bounds, bounds.y + bounds.height - 1));
    QLinearGradient gradient(QPointF(bounds.width / 2, bounds.y),
                             QPointF(bounds.width / 2, bounds.maxY()));
    gradient.setColorAt(0, colour.start);
    gradient.setColorAt(1, colour.end);
    painter.fillRect(toRectF(bounds), gradient);

    if (window.showsBaselineSeparator()) {
        painter.fillRect(QRectF(0, bounds.y, bounds.width, 1), colour.baseline);
        if (modern) painter.fillRect(QRectF(0, bounds.y + 1, bounds.width, 1), grey(1.0, 0.12));
    }

    if (drawsAsMain && modern) {
        qui::PointRect noiseRect{bounds.x + 1, bounds.y + 1, bounds.width - 2, bounds.height - 2};
        if (!window.showsBaselineSeparator()) {
            noiseRect.y -= 1;
            noiseRect.height += 1;
        }
        painter.setClipPath(roundedTopPath(noiseRect, noiseRect.maxY()), Qt::IntersectClip);
        drawNoiseWithOpacity(painter, kNoiseOpacity);
    }
}

void KLTitlebarView::paintTitle(QPainter& painter, const KLAppStoreWindow& window,
                                bool drawsAsMain) const {
    if (!window.showsTitle()) return;
    if (window.isFullScreenWindow() && !window.showsTitleInFullscreen()) return;
    TitleLayout title = titleLayout(window, drawsAsMain);
    if (window.verticallyCenterTitle())
        title.frame.y = std::floor(static_cast<float>(height() * 0.5 - title.frame.height * 0.5));

    const QRectF frame = qui::toQtF(title.frame, height());
    const TitleTextShadow& shadow = title.attributes.shadow;
    painter.setFont(title.attributes.font);
    if (shadow.color.isValid() && shadow.color.alpha() > 0) {
        painter.setPen(shadow.color);
        painter.drawText(frame.translated(shadow.offset.x(), -shadow.offset.y()),
                         Qt::AlignLeft | Qt::AlignTop, window.windowTitle());
    }
    painter.setPen(title.attributes.color);
    painter.drawText(frame, Qt::AlignLeft | Qt::AlignTop, window.windowTitle());
}

void KLTitlebarView::mousePressEvent(QMouseEvent* event) {
    // Not ours: the container under the view drags the window.
    event->ignore();
}

void KLTitlebarView::mouseDoubleClickEvent(QMouseEvent* event) {
    doubleClickPending_ = event->button() == Qt::LeftButton;
    event->setAccepted(doubleClickPending_);
}

void KLTitlebarView::mouseReleaseEvent(QMouseEvent* event) {
    if (!doubleClickPending_) return event->ignore();
    doubleClickPending_ = false;
    if (auto* window = appStoreWindow(); window && rect().contains(event->position().toPoint()))
        window->performMiniaturize();
    event->accept();
}

} // namespace qtk
