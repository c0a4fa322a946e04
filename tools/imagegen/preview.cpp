// A mock-up of the main window assembled from the generated files, to judge
// three-part images, seams and colours together.
#include "images.h"

#include <QDir>
#include <QFont>

#include <cstdio>

namespace {

class Assets {
public:
    explicit Assets(const QString& dir) : m_dir(dir) {}
    QImage get(const QString& name)
    {
        QImage img(QDir(m_dir).filePath(name));
        if (img.isNull()) {
            std::fprintf(stderr, "preview: missing %s\n", qPrintable(name));
            m_missing = true;
        }
        return img;
    }
    bool missing() const { return m_missing; }

private:
    QString m_dir;
    bool m_missing = false;
};

// Left cap and right cap at their own width, middle stretched; all scaled to r's height.
void three(QPainter& p, const QRectF& r, const QImage& l, const QImage& m, const QImage& rt)
{
    const qreal sl = l.isNull() ? 0 : l.width() * r.height() / l.height();
    const qreal sr = rt.isNull() ? 0 : rt.width() * r.height() / rt.height();
    if (!l.isNull())
        p.drawImage(QRectF(r.left(), r.top(), sl, r.height()), l);
    if (!m.isNull())
        p.drawImage(QRectF(r.left() + sl, r.top(), r.width() - sl - sr, r.height()), m);
    if (!rt.isNull())
        p.drawImage(QRectF(r.right() - sr, r.top(), sr, r.height()), rt);
}

QFont font(int px, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

void text(QPainter& p, const QRectF& r, const QString& s, const QColor& c, int px, bool bold = false,
          Qt::Alignment a = Qt::AlignCenter)
{
    p.setFont(font(px, bold));
    p.setPen(c);
    p.drawText(r, a, s);
}

} // namespace

int previewSheet(const QString& dir, const QString& out)
{
    Assets a(dir);
    QImage img(1260, 600, QImage::Format_ARGB32);
    img.fill(QColor(200, 204, 210));
    QPainter p;
    beginPainter(p, img);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);

    // ---- main window 833 x 560
    const QRectF win(10, 20, 833, 560);
    p.fillRect(win, Qt::white);
    three(p, QRectF(win.left(), win.top(), win.width(), 40), a.get("header_bg_left.png"),
          a.get("header_bg_middle.png"), a.get("header_bg_right.png"));
    const char* btn[] = {"close", "minimize", "zoom"};
    const char* st[] = {"-active-color.png", "-rollover-color.png", "-activenokey-color.png"};
    for (int i = 0; i < 3; ++i)
        p.drawImage(QPointF(win.left() + 13 + 20 * i, win.top() + 12), a.get(QString::fromLatin1(btn[i]) + QLatin1String(st[0])));
    p.drawImage(QPointF(win.left() + 833 / 2 - 97, win.top()), a.get("header_logo.png"));

    // Sidebar.
    const QRectF side(win.left(), win.top() + 40, 190, 520 - 28);
    p.fillRect(side, QColor("#F3F5F8"));
    p.fillRect(QRectF(side.right(), side.top(), 1, side.height()), QColor("#DDE2E8"));
    struct Row {
        const char* text;
        const char* icon;
        bool heading;
    };
    const Row rows[] = {{"CLEANING", nullptr, true}, {"System Status", "System Status.png", false},
                        {"One Click Cleaning", "One Click Cleaning.png", false}, {"System Cleaner", "System Cleaner.png", false},
                        {"Logs Cleaner", "Logs Cleaner.png", false}, {"Trash Cleaner", "Trash Cleaner.png", false},
                        {"Partial Downloads", "Partial Downloads.png", false}, {"MANUAL CLEANING", nullptr, true},
                        {"Internet Privacy", "Internet Privacy.png", false}, {"Misc Cleaning", "Misc Cleaning.png", false},
                        {"Large Files", "Large Files.png", false}, {"Old Downloads", "Old Downloads.png", false},
                        {"OPTIMIZATION", nullptr, true}, {"Duplicates Finder", "Duplicates Finder.png", false},
                        {"Uninstaller", "Uninstaller.png", false}};
    qreal y = side.top() + 14;
    for (const Row& r : rows) {
        if (r.heading) {
            if (y > side.top() + 20) {
                y += 6;
                p.drawImage(QPointF(side.left() + 8, y), a.get("line.png"));
                y += 8;
            }
            text(p, QRectF(side.left() + 12, y, 170, 20), QString::fromLatin1(r.text), QColor("#7D8796"), 10, true, Qt::AlignLeft | Qt::AlignVCenter);
            y += 22;
            continue;
        }
        const bool sel = QLatin1String(r.text) == QLatin1String("System Cleaner");
        if (sel)
            p.fillRect(QRectF(side.left(), y, side.width(), 24), QColor("#DCE8FB"));
        p.drawImage(QPointF(side.left() + 12, y + 4), a.get(QString::fromLatin1(r.icon)));
        text(p, QRectF(side.left() + 33, y, 150, 24), QString::fromLatin1(r.text), QColor("#2B3440"), 12, false, Qt::AlignLeft | Qt::AlignVCenter);
        y += 24;
    }

    // Page: header, info box, results placeholder, footer with buttons.
    const QRectF page(side.right() + 1, win.top() + 40, win.right() - side.right() - 1, 520 - 28);
    const QImage hdr = a.get("header.png");
    three(p, QRectF(page.left(), page.top(), page.width(), 72), hdr, hdr, hdr);
    p.drawImage(QPointF(page.left() + 16, page.top() + 12), a.get("System Cleaner_48.png"));
    text(p, QRectF(page.left() + 76, page.top() + 12, 400, 26), QStringLiteral("System Cleaner"), QColor("#2B3440"), 20, false, Qt::AlignLeft | Qt::AlignVCenter);
    text(p, QRectF(page.left() + 76, page.top() + 38, 460, 20), QStringLiteral("Removes caches that applications can make again."), QColor("#6C7684"), 11, false, Qt::AlignLeft | Qt::AlignVCenter);
    p.drawImage(QPointF(page.right() - 26, page.top() + 28), a.get("stop_sign.png"));
    three(p, QRectF(page.left() + 16, page.top() + 84, page.width() - 32, 36), a.get("yellow_bg_left.png"),
          a.get("yellow_bg_middle.png"), a.get("yellow_bg_right.png"));
    text(p, QRectF(page.left() + 30, page.top() + 84, 500, 36), QStringLiteral("Disk usage: 2.41 GB in 312 items"), QColor("#6B5A1E"), 12, false, Qt::AlignLeft | Qt::AlignVCenter);
    // Result rows.
    const char* groups[] = {"User Cache.png", "Sandbox Cache.png", "User Logs.png", "Music.png", "Pictures.png",
                            "Video.png", "Documents.png", "Others.png", "firefox.png", "chrome.png"};
    const char* gtext[] = {"User Cache", "Sandbox Cache", "User Logs", "Music", "Pictures", "Video",
                           "Documents", "Others", "Browser one", "Browser two"};
    for (int i = 0; i < 10; ++i) {
        const qreal ry = page.top() + 130 + i * 24;
        if (i % 2)
            p.fillRect(QRectF(page.left() + 16, ry, page.width() - 32, 24), QColor("#F7F9FB"));
        p.drawImage(QPointF(page.left() + 28, ry + 4), a.get(QString::fromLatin1(groups[i])));
        text(p, QRectF(page.left() + 52, ry, 300, 24), QString::fromLatin1(gtext[i]), QColor("#2B3440"), 12, false, Qt::AlignLeft | Qt::AlignVCenter);
    }
    const QImage foot = a.get("footer.png");
    const QRectF footer(page.left(), page.bottom() - 52, page.width(), 52);
    three(p, footer, foot, foot, foot);
    text(p, QRectF(footer.left() + 16, footer.top(), 300, footer.height()), QStringLiteral("12 of 312 selected, 1.2 GB"), QColor("#555F6C"), 12, false, Qt::AlignLeft | Qt::AlignVCenter);
    struct Btn {
        const char* set;
        const char* title;
        QColor ink;
        qreal w;
    };
    const Btn btns[] = {{"btn_dis_", "Clean Now", QColor(96, 96, 96), 110},
                        {"btn_gray_n_", "Stop Scan", Qt::white, 110},
                        {"btn_blue_n_", "Start Scan", Qt::white, 120}};
    qreal bx = footer.right() - 16;
    for (const Btn& b : btns) {
        bx -= b.w;
        const QString s = QString::fromLatin1(b.set);
        const QString mid = QStringLiteral("middle");
        three(p, QRectF(bx, footer.top() + 10, b.w, 32), a.get(s + "left.png"), a.get(s + mid + ".png"), a.get(s + "right.png"));
        text(p, QRectF(bx, footer.top() + 10, b.w, 31), QString::fromLatin1(b.title), b.ink, 14);
        bx -= 10;
    }
    const QImage gf = a.get("globalfooter.png");
    three(p, QRectF(win.left(), win.bottom() - 28, win.width(), 28), gf, gf, gf);
    text(p, QRectF(win.left() + 12, win.bottom() - 28, 300, 28), QStringLiteral("Quendrix"), QColor("#6C7684"), 10, false, Qt::AlignLeft | Qt::AlignVCenter);

    // ---- side column: other sets
    const qreal cx = 860, cw = 390;
    qreal cy = 20;
    three(p, QRectF(cx, cy, cw, 64), a.get("Top_Red_Left.png"), a.get("Top_Red_Middle.png"), a.get("Top_Red_Right.png"));
    p.drawImage(QPointF(cx + 14, cy + 12), a.get("alert_icon.png"));
    text(p, QRectF(cx + 64, cy, 200, 63), QStringLiteral("4 issues"), Qt::white, 26, false, Qt::AlignLeft | Qt::AlignVCenter);
    three(p, QRectF(cx + cw - 124, cy + 16, 110, 32), a.get("btn_green_n_left.png"), a.get("btn_green_n_middle.png"), a.get("btn_green_n_right.png"));
    text(p, QRectF(cx + cw - 124, cy + 16, 110, 31), QStringLiteral("Clean"), Qt::white, 14);
    cy += 74;
    three(p, QRectF(cx, cy, cw, 64), a.get("Top_Green_Left.png"), a.get("Top_Green_Middle.png"), a.get("Top_Green_Right.png"));
    p.drawImage(QPointF(cx + 14, cy + 12), a.get("Green_White_Tick.png"));
    text(p, QRectF(cx + 64, cy, 300, 63), QStringLiteral("No issues"), Qt::white, 26, false, Qt::AlignLeft | Qt::AlignVCenter);
    cy += 74;
    const QStringList tabs = {QStringLiteral("Backups"), QStringLiteral("Mail"), QStringLiteral("Downloads")};
    for (int i = 0; i < 3; ++i) {
        const QString s = i == 0 ? QStringLiteral("Blue_") : QStringLiteral("Alt_");
        const QRectF t(cx + i * 130, cy, 124, 28);
        three(p, t, a.get(s + "Left.png"), a.get(s + "Middle.png"), a.get(s + "Right.png"));
        text(p, t, tabs[i], i == 0 ? QColor(Qt::white) : QColor(Qt::black), 12);
    }
    cy += 38;
    three(p, QRectF(cx, cy, 200, 40), a.get("scan_btn-1_left_n.png"), a.get("scan_btn-1_middle_n.png"), a.get("scan_btn-1_right_n.png"));
    text(p, QRectF(cx, cy, 200, 39), QStringLiteral("Find Duplicates"), Qt::white, 15);
    three(p, QRectF(cx + 210, cy + 4, 84, 32), a.get("btn_blue_d_left.png"), a.get("btn_blue_d_middle.png"), a.get("btn_blue_d_right.png"));
    text(p, QRectF(cx + 211, cy + 5, 84, 31), QStringLiteral("Pressed"), Qt::white, 13);
    three(p, QRectF(cx + 302, cy + 4, 88, 32), a.get("btn_green_d_left.png"), a.get("btn_green_d_middle.png"), a.get("btn_green_d_right.png"));
    text(p, QRectF(cx + 303, cy + 5, 88, 31), QStringLiteral("Pressed"), Qt::white, 13);
    cy += 50;
    three(p, QRectF(cx, cy, cw, 120), a.get("status_box_bg_left.png"), a.get("status_box_bg_middle.png"), a.get("status_box_bg_right.png"));
    for (int i = 0; i < 3; ++i) {
        const QRectF b(cx + 12 + i * 124, cy + 44, 116, 64);
        three(p, b, a.get("small_box_left.png"), a.get("small_box_mid.png"), a.get("small_box_right.png"));
        text(p, b, i == 0 ? QStringLiteral("12 issues") : i == 1 ? QStringLiteral("1.2 GB") : QStringLiteral("Medium"), QColor("#A20808"), 14);
    }
    p.drawImage(QPointF(cx + 12, cy + 14), a.get("info_icon.png"));
    text(p, QRectF(cx + 34, cy + 10, 300, 24), QStringLiteral("Improvement potential"), QColor("#2B3440"), 12, false, Qt::AlignLeft | Qt::AlignVCenter);
    cy += 130;
    three(p, QRectF(cx, cy, 190, 48), a.get("green_start.png"), a.get("green_middle.png"), a.get("green_end.png"));
    text(p, QRectF(cx, cy, 190, 48), QStringLiteral("Last result: clean"), QColor("#1E6B34"), 12);
    three(p, QRectF(cx + 200, cy, 190, 48), a.get("yellow_start.png"), a.get("yellow_middle.png"), a.get("yellow_end.png"));
    text(p, QRectF(cx + 200, cy, 190, 48), QStringLiteral("Scan recommended"), QColor("#6B5A1E"), 12);
    cy += 58;
    for (int i = 0; i < 2; ++i) {
        const QRectF t(cx + i * 200, cy, 190, 24);
        three(p, t, a.get("title_left.png"), a.get("title_mid.png"), a.get("title_rigth.png"));
        text(p, t.adjusted(10, 0, 0, 0), i ? QStringLiteral("Processor") : QStringLiteral("Memory"), QColor("#2B3440"), 11, true, Qt::AlignLeft | Qt::AlignVCenter);
    }
    cy += 34;
    const QImage hm = a.get("header_main.png");
    three(p, QRectF(cx, cy, 190, 60), hm, hm, hm);
    text(p, QRectF(cx, cy, 190, 60), QStringLiteral("header_main"), QColor("#2B3440"), 12);
    const QImage ra = a.get("red_gradient_alert.png");
    three(p, QRectF(cx + 200, cy, 190, 60), ra, ra, ra);
    text(p, QRectF(cx + 200, cy, 190, 60), QStringLiteral("red_gradient_alert"), QColor("#2B3440"), 12);
    cy += 66;
    const QImage tb = a.get("titlebar.png");
    three(p, QRectF(cx, cy, 190, 30), tb, tb, tb);
    p.drawImage(QPointF(cx + 210, cy - 4), a.get("status_gauge.png").scaled(60, 36, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    p.drawImage(QPointF(cx + 280, cy), a.get("lock_closed.png"));
    p.drawImage(QPointF(cx + 306, cy), a.get("lock_open.png"));
    p.drawImage(QPointF(cx + 334, cy), a.get("fdaalert.png"));
    p.end();
    if (!img.save(out))
        return 1;
    return a.missing() ? 1 : 0;
}
