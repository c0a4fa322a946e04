#include "images.h"

#include "palette.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

// ---------------------------------------------------------------- window buttons

enum class WinKind { Close, Minimize, Zoom };
enum class WinState { Active, NotKey, Inactive, Pressed, Rollover };

QImage windowButton(WinKind kind, WinState state)
{
    const int size = 14;
    QImage img = canvas(size, size);
    QPainter p;
    beginPainter(p, img);

    QColor base;
    switch (kind) {
    case WinKind::Close: base = pal::hex("#EE5B55"); break;
    case WinKind::Minimize: base = pal::hex("#F4B73E"); break;
    case WinKind::Zoom: base = pal::hex("#3EBE5A"); break;
    }

    QColor top, bottom, rim;
    switch (state) {
    case WinState::Active:
    case WinState::Rollover:
        top = base.lighter(110);
        bottom = base;
        rim = base.darker(128);
        break;
    case WinState::Pressed:
        top = base.darker(122);
        bottom = base.darker(112);
        rim = base.darker(150);
        break;
    case WinState::NotKey:
        top = pal::hex("#E2E6EB");
        bottom = pal::hex("#D3D8DF");
        rim = pal::hex("#B4BCC6");
        break;
    case WinState::Inactive:
        top = pal::hex("#EEF1F4");
        bottom = pal::hex("#E5E9EE");
        rim = pal::hex("#CDD3DA");
        break;
    }

    const QPointF c(7, 7);
    QPainterPath outer;
    outer.addEllipse(c, 6.2, 6.2);
    p.fillPath(outer, rim);
    QPainterPath face;
    face.addEllipse(c, 5.3, 5.3);
    QLinearGradient g(QPointF(7, 1.7), QPointF(7, 12.3));
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillPath(face, g);
    if (state == WinState::Inactive) {
        // Lower contrast: the whole button is a little see-through.
        p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        p.fillRect(img.rect(), QColor(0, 0, 0, 200));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    if (state == WinState::Rollover || state == WinState::Pressed) {
        const QColor glyphInk = state == WinState::Pressed ? QColor(40, 16, 10, 190) : QColor(60, 24, 16, 160);
        QColor ink = glyphInk;
        if (kind == WinKind::Minimize)
            ink = state == WinState::Pressed ? QColor(70, 40, 0, 200) : QColor(90, 52, 0, 170);
        if (kind == WinKind::Zoom)
            ink = state == WinState::Pressed ? QColor(8, 52, 16, 200) : QColor(10, 64, 20, 170);
        p.setPen(QPen(ink, 1.3, Qt::SolidLine, Qt::RoundCap));
        const qreal a = 2.5;
        switch (kind) {
        case WinKind::Close:
            p.drawLine(QPointF(7 - a, 7 - a), QPointF(7 + a, 7 + a));
            p.drawLine(QPointF(7 - a, 7 + a), QPointF(7 + a, 7 - a));
            break;
        case WinKind::Minimize:
            p.drawLine(QPointF(7 - 3.1, 7), QPointF(7 + 3.1, 7));
            break;
        case WinKind::Zoom:
            p.drawLine(QPointF(7 - 3.1, 7), QPointF(7 + 3.1, 7));
            p.drawLine(QPointF(7, 7 - 3.1), QPointF(7, 7 + 3.1));
            break;
        }
    }
    return img;
}

// ---------------------------------------------------------------- header and brand

const QColor headerTop = pal::hex("#3D8AF2");
const QColor headerBottom = pal::hex("#2B6FDA");

QFont brandFont(int pixelSize)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(true);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.2);
    return f;
}

// The brand mark: a white rounded square with the blue ring and a green sparkle.
void drawMark(QPainter& p, const QRectF& r, bool onBlue)
{
    const qreal rad = r.width() * 0.26;
    QPainterPath sq;
    sq.addRoundedRect(r, rad, rad);
    if (onBlue) {
        p.fillPath(sq.translated(0, 1), QColor(10, 40, 100, 60));
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, Qt::white);
        g.setColorAt(1, pal::hex("#E8F0FD"));
        p.fillPath(sq, g);
    } else {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, pal::blueLight);
        g.setColorAt(1, pal::blueDark);
        p.fillPath(sq, g);
    }
    const qreal s = r.width() / 24.0;
    p.save();
    p.translate(r.topLeft());
    p.scale(s, s);
    const QColor ringInk = onBlue ? pal::blue : QColor(Qt::white);
    QPen pen(ringInk, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(11.0, 12.6), 5.6, 5.6);
    p.drawLine(QPointF(14.4, 16.0), QPointF(17.8, 19.4));
    p.fillPath(sparklePath(QPointF(18.2, 5.8), 3.6, 0.3), onBlue ? pal::green : pal::hex("#7CE39A"));
    p.restore();
}

QImage headerLogo()
{
    QImage img = canvas(194, 40);
    QPainter p;
    beginPainter(p, img);
    const QFont f = brandFont(21);
    const QString word = QStringLiteral("Quendrix");
    const QFontMetricsF fm(f);
    const qreal textW = fm.horizontalAdvance(word);
    const qreal markW = 26, gap = 9;
    const qreal x0 = qRound((194 - (markW + gap + textW)) / 2.0);
    drawMark(p, QRectF(x0, 7, markW, markW), true);
    p.setFont(f);
    const qreal baseline = 20 + (fm.capHeight()) / 2.0;
    const QPointF at(x0 + markW + gap, qRound(baseline));
    p.setPen(QColor(8, 36, 96, 70));
    p.drawText(at + QPointF(0, 1), word);
    p.setPen(Qt::white);
    p.drawText(at, word);
    return img;
}

QImage appIcon(int size)
{
    QImage img = canvas(size, size);
    QPainter p;
    beginPainter(p, img);
    const qreal m = size * 0.06;
    const QRectF r(m, m, size - 2 * m, size - 2 * m);
    QPainterPath sq;
    sq.addRoundedRect(r, r.width() * 0.24, r.width() * 0.24);
    p.fillPath(sq.translated(0, size * 0.015), QColor(0, 0, 0, 50));
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, pal::hex("#5AA0F6"));
    g.setColorAt(1, pal::hex("#2364CF"));
    p.fillPath(sq, g);
    p.save();
    p.setClipPath(sq);
    QRadialGradient glow(QPointF(r.center().x(), r.top()), r.width() * 0.8);
    glow.setColorAt(0, QColor(255, 255, 255, 60));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(r, glow);
    p.restore();
    const qreal s = r.width() / 24.0;
    p.translate(r.topLeft());
    p.scale(s, s);
    p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawEllipse(QPointF(11.0, 12.6), 5.6, 5.6);
    p.drawLine(QPointF(14.4, 16.0), QPointF(17.8, 19.4));
    p.fillPath(sparklePath(QPointF(18.2, 5.8), 3.4, 0.3), pal::hex("#7CE39A"));
    return img;
}

QImage statusItem()
{
    // Template image: black shapes, the meaning carried by alpha only.
    return glyphLayer(22, glyph::brandRing, 1.0, 2.0, Qt::black);
}

QImage sidebarLine()
{
    QImage img = canvas(173, 1);
    QPainter p(&img);
    QLinearGradient g(QPointF(0, 0), QPointF(173, 0));
    const QColor c = pal::hex("#C9D0D8");
    g.setColorAt(0, withAlpha(c, 0));
    g.setColorAt(0.08, c);
    g.setColorAt(0.92, c);
    g.setColorAt(1, withAlpha(c, 0));
    p.fillRect(img.rect(), g);
    return img;
}

} // namespace

void makeWindowChrome(Writer& w)
{
    w.setGroup(QStringLiteral("Window buttons"),
               QStringLiteral("Close, minimise and zoom buttons of the main window's own title bar, "
                              "14 x 14 each, placed at x 13, 33 and 53. The roll-over face is shown on "
                              "all three enabled buttons while the pointer is over any of them."));
    const struct {
        WinKind kind;
        const char* prefix;
        const char* what;
        const char* glyph;
    } kinds[] = {{WinKind::Close, "close", "close (red)", "x"},
                 {WinKind::Minimize, "minimize", "minimise (amber)", "-"},
                 {WinKind::Zoom, "zoom", "zoom (green)", "+"}};
    const struct {
        WinState state;
        const char* suffix;
        const char* role;
        const char* where;
    } states[] = {
        {WinState::Active, "-active-color.png", "coloured disc", "enabled, in the key window"},
        {WinState::NotKey, "-activenokey-color.png", "grey disc", "the window is not key"},
        {WinState::Inactive, "-inactive-disabled-color.png", "pale, see-through grey disc", "disabled button"},
        {WinState::Pressed, "-pd-color.png", "darker disc with the glyph %1", "while the mouse is held down"},
        {WinState::Rollover, "-rollover-color.png", "coloured disc with the glyph %1", "pointer over the button group"},
    };
    for (const auto& k : kinds)
        for (const auto& s : states)
            w.save(windowButton(k.kind, s.state), QString::fromLatin1(k.prefix) + QString::fromLatin1(s.suffix),
                   QString::fromLatin1(k.what) + QStringLiteral(" button: ")
                       + QString::fromLatin1(s.role).replace(QStringLiteral("%1"), QString::fromLatin1(k.glyph)),
                   QStringLiteral("title bar; ") + QString::fromLatin1(s.where));

    w.setGroup(QStringLiteral("Main window header and brand"));
    w.threePart({QStringLiteral("header_bg_left.png"), QStringLiteral("header_bg_middle.png"),
                 QStringLiteral("header_bg_right.png")},
                12, 12, 40,
                [](QPainter& p, const QRectF& r) {
                    drawBand(p, r, headerTop, headerBottom, QColor(0, 0, 0, 0), pal::hex("#2160C4"),
                             QColor(255, 255, 255, 40));
                },
                QStringLiteral("blue title-bar band, 40 high"),
                QStringLiteral("main window: panel behind the whole 40-point title bar"));
    w.save(headerLogo(), QStringLiteral("header_logo.png"),
           QStringLiteral("brand mark and white wordmark \"Quendrix\" on transparent ground"),
           QStringLiteral("main window: 194 x 40 image view centred in the title bar"));
    w.save(statusItem(), QStringLiteral("quendrix.png"),
           QStringLiteral("template image (black, alpha carries the shape): ring mark with sparkle"),
           QStringLiteral("menu-bar / tray status item; tint it to the panel's text colour"));
    w.save(appIcon(128), QStringLiteral("quendrix_app.png"),
           QStringLiteral("application icon (name chosen here)"),
           QStringLiteral("window and desktop-entry icon"));
    w.save(appIcon(48), QStringLiteral("quendrix_app_48.png"),
           QStringLiteral("application icon, small (name chosen here)"),
           QStringLiteral("about box and places that need a small application icon"));
    w.save(sidebarLine(), QStringLiteral("line.png"),
           QStringLiteral("hairline separator with faded ends"),
           QStringLiteral("sidebar: above the OPTIMIZATION and MANUAL CLEANING headings, 173 wide"));
}

// ---------------------------------------------------------------- action buttons

namespace {

Face faceBlue() { return {pal::hex("#4C94F4"), pal::hex("#2C72DE"), pal::hex("#2261C6"), QColor(255, 255, 255, 70), 28}; }
Face faceBlueDown() { return {pal::hex("#1F5CC0"), pal::hex("#2869D4"), pal::hex("#1A4FA8"), QColor(0, 0, 0, 0), 18, QColor(0, 0, 0, 50)}; }
Face faceGray() { return {pal::hex("#8F99A7"), pal::hex("#727C8A"), pal::hex("#646D7A"), QColor(255, 255, 255, 60), 28}; }
Face faceGrayDown() { return {pal::hex("#5F6875"), pal::hex("#6C7582"), pal::hex("#545C68"), QColor(0, 0, 0, 0), 18, QColor(0, 0, 0, 50)}; }
Face faceGreen() { return {pal::hex("#4DBC6A"), pal::hex("#2F9E4D"), pal::hex("#27893F"), QColor(255, 255, 255, 70), 28}; }
Face faceGreenDown() { return {pal::hex("#258639"), pal::hex("#2D9647"), pal::hex("#1F7532"), QColor(0, 0, 0, 0), 18, QColor(0, 0, 0, 50)}; }
Face faceDisabled() { return {pal::hex("#F1F3F5"), pal::hex("#E6E9ED"), pal::hex("#D3D8DE"), QColor(255, 255, 255, 160), 10}; }

void button(Writer& w, const QString& stem, const QString& mid, const QString& tail, int h, int cap,
            qreal radius, const Face& f, const QString& role, const QString& where)
{
    w.threePart({stem + QStringLiteral("left") + tail, stem + mid + tail, stem + QStringLiteral("right") + tail},
                cap, 4, h,
                [&](QPainter& p, const QRectF& r) { drawBody(p, r, radius, f); }, role, where);
}

} // namespace

void makeButtons(Writer& w)
{
    w.setGroup(QStringLiteral("Action buttons"),
               QStringLiteral("The pages' large push buttons draw one of these three-part sets behind a "
                              "white title (dark grey when disabled). Drawn 32 high; the program stretches "
                              "them to the button's height. `_n_` is the normal face, `_d_` the face while "
                              "the mouse is held down."));
    const QString pages = QStringLiteral("scan, clean, uninstall and other large buttons of the pages");
    button(w, QStringLiteral("btn_blue_n_"), QStringLiteral("middle"), QStringLiteral(".png"), 32, 8, 6, faceBlue(),
           QStringLiteral("blue button, normal"), pages + QStringLiteral(" (idle face: Start Scan, Clean Now)"));
    button(w, QStringLiteral("btn_blue_d_"), QStringLiteral("middle"), QStringLiteral(".png"), 32, 8, 6, faceBlueDown(),
           QStringLiteral("blue button, pressed"), pages);
    button(w, QStringLiteral("btn_gray_n_"), QStringLiteral("middle"), QStringLiteral(".png"), 32, 8, 6, faceGray(),
           QStringLiteral("grey button, normal"), pages + QStringLiteral(" (running face: Stop Scan, Stop Cleaning)"));
    button(w, QStringLiteral("btn_gray_d_"), QStringLiteral("middle"), QStringLiteral(".png"), 32, 8, 6, faceGrayDown(),
           QStringLiteral("grey button, pressed"), pages);
    button(w, QStringLiteral("btn_green_n_"), QStringLiteral("middle"), QStringLiteral(".png"), 32, 8, 6, faceGreen(),
           QStringLiteral("green button, normal"), QStringLiteral("One Click page: Clean button and the alert box's Clean button"));
    button(w, QStringLiteral("btn_green_d_"), QStringLiteral("middle"), QStringLiteral(".png"), 32, 8, 6, faceGreenDown(),
           QStringLiteral("green button, pressed"), QStringLiteral("One Click page: Clean buttons"));
    button(w, QStringLiteral("btn_dis_"), QStringLiteral("middle"), QStringLiteral(".png"), 32, 8, 6, faceDisabled(),
           QStringLiteral("disabled button: light grey, low contrast"), QStringLiteral("every action button while disabled, in either state"));

    w.setGroup(QStringLiteral("Duplicates Finder start button"),
               QStringLiteral("The large rounded button on the Duplicates Finder's folder face, 40 high."));
    button(w, QStringLiteral("scan_btn-1_"), QStringLiteral("middle"), QStringLiteral("_n.png"), 40, 20, 20, faceBlue(),
           QStringLiteral("large blue pill button, normal"), QStringLiteral("Duplicates Finder: find-duplicates button, normal and disabled"));
    button(w, QStringLiteral("scan_btn-1_"), QStringLiteral("middle"), QStringLiteral("_d.png"), 40, 20, 20, faceBlueDown(),
           QStringLiteral("large blue pill button, pressed"), QStringLiteral("Duplicates Finder: find-duplicates button, pressed"));

    w.setGroup(QStringLiteral("Tabs"),
               QStringLiteral("Misc Cleaning's three list tabs (device backups, mail downloads, downloads), 28 high."));
    w.threePart({QStringLiteral("Blue_Left.png"), QStringLiteral("Blue_Middle.png"), QStringLiteral("Blue_Right.png")},
                8, 4, 28, [](QPainter& p, const QRectF& r) { drawBody(p, r, 6, faceBlue()); },
                QStringLiteral("selected tab, blue, white text"), QStringLiteral("Misc Cleaning: the selected tab"));
    w.threePart({QStringLiteral("Alt_Left.png"), QStringLiteral("Alt_Middle.png"), QStringLiteral("Alt_Right.png")},
                8, 4, 28,
                [](QPainter& p, const QRectF& r) {
                    drawBody(p, r, 6, {pal::hex("#FBFCFD"), pal::hex("#EDF0F4"), pal::hex("#CDD4DC"), QColor(255, 255, 255, 200), 14});
                },
                QStringLiteral("unselected tab, light grey, black text"), QStringLiteral("Misc Cleaning: the other two tabs"));
}

// ---------------------------------------------------------------- panels

namespace {

void panel3(Writer& w, const QStringList& names, int cap, int h, qreal radius, const Face& f,
            const QString& role, const QString& where)
{
    w.threePart(names, cap, 8, h, [&](QPainter& p, const QRectF& r) { drawBody(p, r, radius, f); }, role, where);
}

void strip(Writer& w, const QString& name, int h, const QColor& top, const QColor& bottom,
           const QColor& topLine, const QColor& bottomLine, const QColor& highlight,
           const QString& role, const QString& where)
{
    QImage img = canvas(8, h);
    QPainter p;
    beginPainter(p, img);
    p.setRenderHint(QPainter::Antialiasing, false);
    drawBand(p, QRectF(0, 0, 8, h), top, bottom, topLine, bottomLine, highlight);
    p.end();
    w.save(img, name, role, where);
}

} // namespace

void makePanels(Writer& w)
{
    w.setGroup(QStringLiteral("Single-image panels"),
               QStringLiteral("Panels that name one image draw it as left cap, middle and right cap, so "
                              "these are 8-pixel-wide bands that do not vary from left to right; only "
                              "the height and the vertical gradient matter. The heights are the ones the "
                              "panels are drawn for; the program stretches them to the panel's height."));
    strip(w, QStringLiteral("header.png"), 72, pal::hex("#FFFFFF"), pal::hex("#F1F4F8"), QColor(0, 0, 0, 0),
          pal::hex("#DCE2E9"), QColor(0, 0, 0, 0), QStringLiteral("white to pale grey header band with a bottom rule"),
          QStringLiteral("module pages: header box behind the page title and description"));
    strip(w, QStringLiteral("header_main.png"), 96, pal::hex("#F5F9FF"), pal::hex("#E3EDFC"), QColor(0, 0, 0, 0),
          pal::hex("#C8D9F3"), QColor(0, 0, 0, 0), QStringLiteral("pale blue header band with a bottom rule"),
          QStringLiteral("One Click page: header box while scanning, cleaning or idle"));
    strip(w, QStringLiteral("red_gradient_alert.png"), 96, pal::hex("#FFF6F5"), pal::hex("#FBE3E1"), QColor(0, 0, 0, 0),
          pal::hex("#F0C6C2"), QColor(0, 0, 0, 0), QStringLiteral("pale red header band with a bottom rule"),
          QStringLiteral("One Click page: header box when a finished scan found items"));
    strip(w, QStringLiteral("titlebar.png"), 30, pal::hex("#F8FAFC"), pal::hex("#ECEFF3"), QColor(0, 0, 0, 0),
          pal::hex("#D6DCE4"), QColor(255, 255, 255, 0), QStringLiteral("light grey bar with a bottom rule"),
          QStringLiteral("One Click page: title bar box"));
    strip(w, QStringLiteral("footer.png"), 52, pal::hex("#F4F6F9"), pal::hex("#E8ECF1"), pal::hex("#D5DBE3"),
          QColor(0, 0, 0, 0), QColor(255, 255, 255, 200), QStringLiteral("light grey footer band with a top rule"),
          QStringLiteral("module pages and One Click page: footer box behind the counts and buttons"));
    strip(w, QStringLiteral("globalfooter.png"), 28, pal::hex("#EEF1F5"), pal::hex("#E1E6EC"), pal::hex("#CBD3DC"),
          QColor(0, 0, 0, 0), QColor(255, 255, 255, 180), QStringLiteral("grey footer band with a top rule"),
          QStringLiteral("main window: footer along the bottom of the window"));

    w.setGroup(QStringLiteral("Three-part panels"),
               QStringLiteral("Rounded panels drawn as left cap, stretched middle, right cap."));
    const Face greenFace{pal::hex("#EFF9F2"), pal::hex("#E1F3E7"), pal::hex("#BCE0C7"), QColor(255, 255, 255, 150), 0};
    const Face yellowFace{pal::hex("#FFFBEB"), pal::hex("#FFF3CF"), pal::hex("#EFD98F"), QColor(255, 255, 255, 150), 0};
    panel3(w, {QStringLiteral("green_start.png"), QStringLiteral("green_middle.png"), QStringLiteral("green_end.png")},
           10, 48, 8, greenFace, QStringLiteral("pale green rounded panel"),
           QStringLiteral("main window: green information box (good news, last result)"));
    panel3(w, {QStringLiteral("yellow_start.png"), QStringLiteral("yellow_middle.png"), QStringLiteral("yellow_end.png")},
           10, 48, 8, yellowFace, QStringLiteral("pale yellow rounded panel"),
           QStringLiteral("main window: yellow information box (hints)"));
    panel3(w, {QStringLiteral("yellow_bg_left.png"), QStringLiteral("yellow_bg_middle.png"), QStringLiteral("yellow_bg_right.png")},
           8, 36, 6, yellowFace, QStringLiteral("pale yellow rounded info bar"),
           QStringLiteral("module pages, One Click, Duplicates Finder, Misc Cleaning, Uninstaller: main info box"));
    panel3(w, {QStringLiteral("status_box_bg_left.png"), QStringLiteral("status_box_bg_middle.png"), QStringLiteral("status_box_bg_right.png")},
           12, 160, 10, {pal::hex("#FFFFFF"), pal::hex("#FAFBFD"), pal::hex("#DCE2E9"), QColor(0, 0, 0, 0), 16},
           QStringLiteral("white card with a grey border and a soft bottom shadow"),
           QStringLiteral("System Status panel: the panel box"));
    panel3(w, {QStringLiteral("small_box_left.png"), QStringLiteral("small_box_mid.png"), QStringLiteral("small_box_right.png")},
           10, 64, 8, {pal::hex("#F6F9FD"), pal::hex("#EDF2F8"), pal::hex("#D7E0EA"), QColor(255, 255, 255, 200), 0},
           QStringLiteral("pale blue-grey rounded box"),
           QStringLiteral("System Status panel: the issues, space and status boxes"));
    panel3(w, {QStringLiteral("title_left.png"), QStringLiteral("title_mid.png"), QStringLiteral("title_rigth.png")},
           8, 24, 6, {pal::hex("#F5F7FA"), pal::hex("#E7EBF0"), pal::hex("#D2D9E1"), QColor(255, 255, 255, 220), 0},
           QStringLiteral("light grey section title bar (the right cap's name is spelt \"rigth\" on purpose)"),
           QStringLiteral("status-bar popover: the five section header boxes"));

    w.setGroup(QStringLiteral("One Click alert box"),
               QStringLiteral("The box at the top of the One Click page after a scan, with a 26-point white "
                              "text and the alert picture; 64 high."));
    panel3(w, {QStringLiteral("Top_Red_Left.png"), QStringLiteral("Top_Red_Middle.png"), QStringLiteral("Top_Red_Right.png")},
           10, 64, 10, {pal::hex("#F26A62"), pal::hex("#D9423F"), pal::hex("#C23535"), QColor(255, 255, 255, 70), 22},
           QStringLiteral("red rounded box"), QStringLiteral("One Click page: alert box when issues were found"));
    panel3(w, {QStringLiteral("Top_Green_Left.png"), QStringLiteral("Top_Green_Middle.png"), QStringLiteral("Top_Green_Right.png")},
           10, 64, 10, {pal::hex("#4FBE6C"), pal::hex("#2E9C4B"), pal::hex("#268740"), QColor(255, 255, 255, 70), 22},
           QStringLiteral("green rounded box"), QStringLiteral("One Click page: alert box when no issues remain"));
}
