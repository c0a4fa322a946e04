#include "images.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>

#include <algorithm>
#include <cstdio>

namespace {

struct Item {
    QString name;
    QImage img;
};

QFont labelFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(10);
    return f;
}

// Lays cells out in rows of at most sheetW pixels and paints them.
QImage flow(const QList<Item>& items, int sheetW, int scale, int maxBox)
{
    const QFontMetrics fm(labelFont());
    struct Cell {
        const Item* item;
        QSize box;
        QRect at;
    };
    QList<Cell> cells;
    int x = 10, y = 10, rowH = 0;
    for (const Item& it : items) {
        QSize s = it.img.size() * scale;
        if (s.width() > maxBox || s.height() > maxBox)
            s.scale(maxBox, maxBox, Qt::KeepAspectRatio);
        const QSize box(std::max(s.width(), 24) + 16, std::max(s.height(), 16) + 16);
        const int labelW = fm.horizontalAdvance(it.name) + 8;
        const int cellW = std::max(2 * box.width() + 2, labelW);
        const int cellH = box.height() + fm.height() + 6;
        if (x + cellW > sheetW - 10) {
            x = 10;
            y += rowH + 10;
            rowH = 0;
        }
        cells.append({&it, s, QRect(x, y, cellW, cellH)});
        x += cellW + 10;
        rowH = std::max(rowH, cellH);
    }
    QImage sheet(sheetW, y + rowH + 10, QImage::Format_ARGB32);
    sheet.fill(QColor(236, 238, 241));
    QPainter p(&sheet);
    p.setFont(labelFont());
    for (const Cell& c : cells) {
        const QSize box(std::max(c.box.width(), 24) + 16, std::max(c.box.height(), 16) + 16);
        const QRect grey(c.at.left(), c.at.top(), box.width(), box.height());
        const QRect white(grey.right() + 2, c.at.top(), box.width(), box.height());
        p.fillRect(grey, QColor(128, 128, 128));
        p.fillRect(white, Qt::white);
        for (const QRect& bg : {grey, white}) {
            const QRect target(bg.left() + (bg.width() - c.box.width()) / 2,
                               bg.top() + (bg.height() - c.box.height()) / 2, c.box.width(), c.box.height());
            p.setRenderHint(QPainter::SmoothPixmapTransform, scale == 1);
            p.drawImage(target, c.item->img);
        }
        p.setPen(QColor(40, 44, 52));
        p.drawText(QPoint(c.at.left() + 2, c.at.top() + box.height() + fm.ascent() + 3), c.item->name);
    }
    return sheet;
}

// Saves the sheet, and when it is tall also pages of it ("NAME-1.png", ...)
// that are easier to look at one by one.
bool savePaged(const QImage& sheet, const QString& path)
{
    bool ok = sheet.save(path);
    const int pageH = 900, overlap = 60;
    if (sheet.height() <= pageH)
        return ok;
    const QFileInfo fi(path);
    int n = 1;
    for (int y = 0; y < sheet.height(); y += pageH - overlap, ++n) {
        const QString pagePath = fi.path() + QLatin1Char('/') + fi.completeBaseName() + QStringLiteral("-%1.png").arg(n);
        ok = sheet.copy(0, y, sheet.width(), std::min(pageH, sheet.height() - y)).save(pagePath) && ok;
        if (y + pageH >= sheet.height())
            break;
    }
    return ok;
}

} // namespace

int contactSheet(const QString& dir, const QString& out, const QString& zoomOut)
{
    const QStringList files = QDir(dir).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    QList<Item> all, small;
    for (const QString& f : files) {
        QImage img(QDir(dir).filePath(f));
        if (img.isNull())
            continue;
        all.append({f, img});
        if (std::max(img.width(), img.height()) <= 48)
            small.append({f, img});
    }
    if (all.isEmpty()) {
        std::fprintf(stderr, "no PNG files in %s\n", qPrintable(dir));
        return 1;
    }
    bool ok = savePaged(flow(all, 1400, 1, 330), out);
    if (!zoomOut.isEmpty())
        ok = savePaged(flow(small, 1400, 4, 200), zoomOut) && ok;
    std::printf("contact sheet: %lld images\n", static_cast<long long>(all.size()));
    return ok ? 0 : 1;
}
