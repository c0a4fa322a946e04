#include "platform/ui/ImageCache.h"
#include "platform/ui/ThreePartImage.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using qui::ImageCache;

class ImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        save("left.png", 4, 10, Qt::red);
        save("middle.png", 1, 10, Qt::blue);
        save("right.png", 3, 10, Qt::green);
    }

    void save(const QString& name, int w, int h, QColor colour) {
        QImage image(w, h, QImage::Format_ARGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(dir_.filePath(name)));
    }

    ImageCache makeCache() {
        return ImageCache([this](const std::string& fileName) {
            ++lookups_;
            return dir_.filePath(QString::fromStdString(fileName)).toStdString();
        });
    }

    static QImage blank(int w, int h) {
        QImage image(w, h, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        return image;
    }

    QTemporaryDir dir_;
    int lookups_ = 0;
};

TEST_F(ImageTest, NamesWithAndWithoutExtensionShareOneLoadedImage) {
    ImageCache cache = makeCache();
    const QPixmap byFile = cache.pixmap("left.png");
    ASSERT_FALSE(byFile.isNull());
    EXPECT_EQ(byFile.size(), QSize(4, 10));
    EXPECT_EQ(cache.pixmap("left").cacheKey(), byFile.cacheKey());
    EXPECT_EQ(lookups_, 1);

    // Loaded once: later changes on disk do not matter until clear().
    QFile::remove(dir_.filePath("left.png"));
    EXPECT_FALSE(cache.pixmap("left").isNull());
    cache.clear();
    EXPECT_TRUE(cache.pixmap("left").isNull());
}

TEST_F(ImageTest, MissingImageIsNullRememberedAndDrawsNothing) {
    ImageCache cache = makeCache();
    EXPECT_TRUE(cache.pixmap("no-such-image").isNull());
    EXPECT_TRUE(cache.pixmap("no-such-image.png").isNull());
    EXPECT_FALSE(cache.contains("no-such-image"));
    EXPECT_EQ(lookups_, 1); // asked and logged once
    EXPECT_TRUE(cache.pixmap("").isNull());

    QImage target = blank(20, 20);
    {
        QPainter painter(&target);
        qui::drawImage(painter, QRectF(0, 0, 20, 20), cache.pixmap("no-such-image"));
    }
    EXPECT_EQ(target, blank(20, 20));

    ImageCache noResolver(nullptr);
    EXPECT_TRUE(noResolver.pixmap("left").isNull());
}

TEST(ThreePartLayoutTest, CapsKeepTheirLengthAndTheMiddleFills) {
    const auto h = qui::threePartLayout(QRectF(5, 2, 100, 20), 10, 6);
    EXPECT_EQ(h.start, QRectF(5, 2, 10, 20));
    EXPECT_EQ(h.middle, QRectF(15, 2, 84, 20));
    EXPECT_EQ(h.end, QRectF(99, 2, 6, 20));

    // Too narrow for both caps: they shrink in proportion and the middle vanishes.
    const auto narrow = qui::threePartLayout(QRectF(0, 0, 8, 20), 10, 6);
    EXPECT_DOUBLE_EQ(narrow.start.width(), 5);
    EXPECT_DOUBLE_EQ(narrow.middle.width(), 0);
    EXPECT_DOUBLE_EQ(narrow.end.width(), 3);
    EXPECT_DOUBLE_EQ(narrow.end.right(), 8);

    const auto v = qui::threePartLayout(QRectF(0, 0, 20, 50), 5, 5, Qt::Vertical);
    EXPECT_EQ(v.start, QRectF(0, 0, 20, 5));
    EXPECT_EQ(v.middle, QRectF(0, 5, 20, 40));
    EXPECT_EQ(v.end, QRectF(0, 45, 20, 5));
}

TEST_F(ImageTest, ThreePartDrawingPaintsCapsAtNaturalWidthAndStretchesTheMiddle) {
    ImageCache cache = makeCache();
    QImage target = blank(40, 10);
    {
        QPainter painter(&target);
        qui::drawThreePartImage(painter, QRectF(0, 0, 40, 10), cache.pixmap("left"),
                                cache.pixmap("middle"), cache.pixmap("right"));
    }
    auto at = [&](int x) { return QColor(target.pixel(x, 5)); };
    EXPECT_EQ(at(0), QColor(Qt::red));
    EXPECT_EQ(at(3), QColor(Qt::red));
    EXPECT_EQ(at(4), QColor(Qt::blue));
    EXPECT_EQ(at(20), QColor(Qt::blue));
    EXPECT_EQ(at(36), QColor(Qt::blue));
    EXPECT_EQ(at(37), QColor(Qt::green));
    EXPECT_EQ(at(39), QColor(Qt::green));
    EXPECT_EQ(QColor(target.pixel(20, 0)), QColor(Qt::blue)); // full height
    EXPECT_EQ(QColor(target.pixel(20, 9)), QColor(Qt::blue));
}

TEST_F(ImageTest, ThreePartDrawingLeavesAMissingPartEmpty) {
    ImageCache cache = makeCache();
    QImage target = blank(40, 10);
    {
        QPainter painter(&target);
        qui::drawThreePartImage(painter, QRectF(0, 0, 40, 10), cache.pixmap("left"),
                                cache.pixmap("missing-middle"), cache.pixmap("right"));
    }
    EXPECT_EQ(QColor(target.pixel(0, 5)), QColor(Qt::red));
    EXPECT_EQ(target.pixel(20, 5), qRgba(0, 0, 0, 0));
    EXPECT_EQ(QColor(target.pixel(39, 5)), QColor(Qt::green));

    // A missing cap takes no room: the middle starts at the edge.
    QImage noCap = blank(40, 10);
    {
        QPainter painter(&noCap);
        qui::drawThreePartImage(painter, QRectF(0, 0, 40, 10), QPixmap(), cache.pixmap("middle"),
                                cache.pixmap("right"));
    }
    EXPECT_EQ(QColor(noCap.pixel(0, 5)), QColor(Qt::blue));
}

} // namespace
