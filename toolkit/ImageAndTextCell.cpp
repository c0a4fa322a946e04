#include "toolkit/ImageAndTextCell.h"

#include "engine/DataFiller.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/ImageCache.h"
#include "platform/ui/TextMetrics.h"

#include <QAbstractItemView>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPainter>

#include <cmath>

namespace qtk {

namespace {

constexpr int kImageGap = 3;

double stripWidth(const QPixmap& image) {
    return (image.isNull() ? 0 : image.width()) + kImageGap;
}

} // namespace

ImageAndTextCell::ImageAndTextCell(QObject* parent) : ImageAndTextCell(TextLookup{}, parent) {
    dataFiller_ = std::make_unique<qengine::DataFiller>();
    lookup_ = [filler = dataFiller_.get()](const QString& group, const QString& key) {
        return QString::fromStdString(
            filler->getTokenForGroup(group.toStdString(), key.toStdString()));
    };
}

ImageAndTextCell::ImageAndTextCell(TextLookup lookup, QObject* parent)
    : QStyledItemDelegate(parent), lookup_(std::move(lookup)), font_(qui::systemFont(12)) {}

ImageAndTextCell::~ImageAndTextCell() {
    for (const QPointer<QLabel>& separator : std::as_const(separators_))
        if (separator) separator->deleteLater();
}

QPixmap ImageAndTextCell::iconSized(const QPixmap& image) {
    if (image.isNull() || image.size() == QSize(kIconSize, kIconSize)) return image;
    return image.scaled(kIconSize, kIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void ImageAndTextCell::setImage(const QPixmap& image) {
    if (image.cacheKey() == imageSourceKey_) return;
    imageSourceKey_ = image.cacheKey();
    image_ = iconSized(image);
}

QRect ImageAndTextCell::titleRectForBounds(const QRect& bounds) const {
    return titleRect(bounds, image_);
}

QRect ImageAndTextCell::titleRect(const QRect& bounds, const QPixmap& image) const {
    const int strip = static_cast<int>(stripWidth(image));
    QRect text(bounds.x() + strip, bounds.y(), bounds.width() - strip, bounds.height());
    return {text.x() + 2, text.y() + textOriginYOffset_, text.width(), text.height() - 4};
}

QSize ImageAndTextCell::cellSize(const QString& title) const {
    const QSizeF text = qui::textSize(font_, title);
    // The text's own cell keeps two points either side.
    const int base = static_cast<int>(std::ceil(text.width())) + 4;
    return {base + static_cast<int>(stripWidth(image_)),
            static_cast<int>(std::ceil(text.height()))};
}

ImageAndTextCell::HitTest ImageAndTextCell::hitTestForEvent(const QAbstractItemView* view) const {
    if (!view) return HitContentArea;
    const QItemSelectionModel* selection = view->selectionModel();
    const QModelIndexList selected = selection ? selection->selectedIndexes() : QModelIndexList{};
    const bool draggable = !selected.isEmpty() && selected.first().data(DraggableRole).toBool();
    return draggable ? HitContentArea : HitTrackableArea;
}

bool ImageAndTextCell::hasSeparator(const QString& title) const {
    if (!lookup_) return false;
    const QString group = QStringLiteral("GRP_CMN");
    return title == lookup_(group, QStringLiteral("ID_OPTIMIZATION")) ||
           title == lookup_(group, QStringLiteral("ID_MANUAL_CLEANING"));
}

ImageAndTextCell::IconRowLayout ImageAndTextCell::iconRowLayout(const QRectF& frame,
                                                                const QSizeF& imageSize,
                                                                const QSizeF& textSize) {
    const double strip = imageSize.width() + kImageGap;
    const QRectF remainder(frame.x() + strip, frame.y(), frame.width() - strip, frame.height());
    // Top-down view: the image's bottom edge sits half the free height (rounded up) down.
    const double bottom = frame.y() + std::ceil((frame.height() + imageSize.height()) / 2);
    const QRectF image(frame.x() + kImageGap, bottom - imageSize.height(), imageSize.width(),
                       imageSize.height());

    const double d = std::floor((remainder.height() - textSize.height()) / 2);
    const double down = remainder.width() - textSize.width() > 5 ? d : d / 2;
    const QRectF text(remainder.x() + 2, remainder.y() + down, remainder.width(),
                      remainder.height() - 4);
    return {image, text};
}

ImageAndTextCell::HeadingLayout
ImageAndTextCell::headingLayout(const QRectF& frame, double textHeight, bool withSeparator) {
    QRectF cell = frame;
    std::optional<QRectF> separator;
    if (withSeparator) {
        cell.setWidth(kSeparatorWidth);
        const float y = static_cast<float>(frame.y()) + static_cast<float>(frame.height()) / 2 - 17;
        separator = QRectF(0, y, kSeparatorWidth, 1);
    }
    const double d = std::floor((cell.height() - textHeight) / 2);
    return {QRectF(cell.x(), cell.y() + d, cell.width(), cell.height() - 2 * d), separator};
}

QPixmap ImageAndTextCell::iconOf(const QModelIndex& index) {
    const QVariant decoration = index.data(Qt::DecorationRole);
    if (decoration.canConvert<QPixmap>() && !decoration.value<QPixmap>().isNull())
        return decoration.value<QPixmap>();
    if (decoration.canConvert<QIcon>()) {
        const QIcon icon = decoration.value<QIcon>();
        if (!icon.isNull()) return icon.pixmap(kIconSize, kIconSize);
    }
    return {};
}

void ImageAndTextCell::drawText(QPainter* painter, const QRectF& rect, const QString& title) const {
    painter->setFont(font_);
    painter->setPen(textColor_);
    const QString shown = QFontMetricsF(font_).elidedText(title, Qt::ElideRight, rect.width());
    painter->drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
}

void ImageAndTextCell::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    // Each row's own icon, as the controller hands it over before the row is drawn.
    const QPixmap icon = iconSized(iconOf(index));
    const QString title = index.data(Qt::DisplayRole).toString();
    const QRectF frame = insetFrame(option.rect);
    const QSizeF text = qui::textSize(font_, title);

    painter->save();
    if (!icon.isNull()) {
        const IconRowLayout layout = iconRowLayout(frame, icon.size(), text);
        painter->drawPixmap(layout.imageRect.topLeft(), icon);
        drawText(painter, layout.textRect, title);
    } else if (!title.isEmpty()) {
        const bool separator = hasSeparator(title);
        const HeadingLayout layout = headingLayout(frame, text.height(), separator);
        if (layout.separator) placeSeparator(option, index, *layout.separator);
        drawText(painter, layout.textRect, title);
    }
    painter->restore();
}

void ImageAndTextCell::placeSeparator(const QStyleOptionViewItem& option, const QModelIndex& index,
                                      const QRectF& frame) const {
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    if (!view) return;
    QPointer<QLabel>& separator = separators_[QPersistentModelIndex(index)];
    if (!separator) {
        separator = new QLabel(view->viewport());
        separator->setPixmap(qui::namedImage(QStringLiteral("line.png")));
        separator->setAttribute(Qt::WA_TransparentForMouseEvents);
        separator->show();
    }
    const QRect placed = frame.toRect();
    if (separator->geometry() != placed) separator->setGeometry(placed);
}

QSize ImageAndTextCell::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const {
    const QString title = index.data(Qt::DisplayRole).toString();
    const QPixmap icon = iconOf(index);
    const QSizeF text = qui::textSize(font_, title);
    const int width = leftInset_ + static_cast<int>(std::ceil(text.width())) + 4 +
                      (icon.isNull() ? 0 : kIconSize) + kImageGap;
    const QVariant hint = index.data(Qt::SizeHintRole);
    const int height =
        hint.isValid() ? hint.toSize().height() : static_cast<int>(std::ceil(text.height()));
    return {width, height};
}

void ImageAndTextCell::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
    editor->setGeometry(titleRect(insetFrame(option.rect), iconSized(iconOf(index))));
}

} // namespace qtk
