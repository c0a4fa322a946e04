#pragma once

#include "platform/ui/Geometry.h"
#include "toolkit/KLAppStoreWindow.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QWidget>

namespace qtk {

// Paints a KLAppStoreWindow's title bar: a gradient with rounded top corners, a baseline, a
// faint noise in the active window, and the title. A double click in it miniaturizes the
// window; presses go on to the container, which drags the window.
class KLTitlebarView : public QWidget {
    Q_OBJECT
public:
    struct Colours {
        QColor start; // bottom of the gradient
        QColor end;   // top
        QColor baseline;
    };
    struct TitleAttributes {
        QFont font;
        QColor color;
        TitleTextShadow shadow;
    };
    struct TitleLayout {
        qui::PointRect frame; // in the view, bottom-left
        TitleAttributes attributes;
    };

    static constexpr int kNoiseSide = 124;
    static constexpr double kCornerRadius = 4;

    explicit KLTitlebarView(QWidget* parent = nullptr);

    // The colours used when the window sets none.
    static Colours defaultColours(bool drawsAsMainWindow, double appKitVersion);
    // The window's colours, with defaults for those it leaves unset.
    static Colours colours(const KLAppStoreWindow& window, bool drawsAsMainWindow);
    // `rect` with its top corners rounded; `top` is the y of its top edge.
    static QPainterPath roundedTopPath(const qui::PointRect& rect, double top);
    // 124 x 124 grey bytes from a generator seeded with 120; made once.
    static const QImage& noiseImage();

    TitleLayout titleLayout(const KLAppStoreWindow& window, bool drawsAsMainWindow) const;
    // Tiles the noise over the painter's clip at its pixel size with screen blending.
    void drawNoiseWithOpacity(QPainter& painter, double opacity) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    KLAppStoreWindow* appStoreWindow() const;
    void paintBar(QPainter& painter, const KLAppStoreWindow& window, bool drawsAsMain) const;
    void paintTitle(QPainter& painter, const KLAppStoreWindow& window, bool drawsAsMain) const;

    bool doubleClickPending_ = false;
};

} // namespace qtk
