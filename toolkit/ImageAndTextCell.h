#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPersistentModelIndex>
#include <QPixmap>
#include <QPointer>
#include <QStyledItemDelegate>

#include <functional>
#include <memory>
#include <optional>

class QAbstractItemView;
class QLabel;

namespace qengine {
class DataFiller;
}

namespace qtk {

// Draws the sidebar's rows: a module row is a 16 x 16 icon (the index's decoration) left of
// its name; a row without an icon is a heading, its title centred vertically, and the
// OPTIMIZATION and MANUAL CLEANING headings get a hairline 17 points above their middle.
// Row heights come from the model's Qt::SizeHintRole; the cell only widens for the icon.
class ImageAndTextCell : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Text look-up by group and key ("NA" when missing), as the engine answers it.
    using TextLookup = std::function<QString(const QString& group, const QString& key)>;

    // Whether the row's node may be dragged (a bool under this role).
    static constexpr int DraggableRole = Qt::UserRole + 77;
    static constexpr int kIconSize = 16;
    static constexpr int kSeparatorWidth = 173;

    enum HitTest { HitContentArea = 1, HitTrackableArea = 4 };

    struct IconRowLayout {
        QRectF imageRect; // top-left based, 16 x 16
        QRectF textRect;
    };
    struct HeadingLayout {
        QRectF textRect;
        std::optional<QRectF> separator; // in the outline's coordinates
    };

    // Looks texts up through an engine object of its own.
    explicit ImageAndTextCell(QObject* parent = nullptr);
    explicit ImageAndTextCell(TextLookup lookup, QObject* parent = nullptr);
    ~ImageAndTextCell() override;

    // The icon of the row being drawn, always shown at 16 x 16; a null pixmap for a heading.
    void setImage(const QPixmap& image);
    QPixmap image() const { return image_; }
    int textOriginYOffset() const { return textOriginYOffset_; }
    void setTextOriginYOffset(int offset) { textOriginYOffset_ = offset; }
    QFont font() const { return font_; }
    void setFont(const QFont& font) { font_ = font; }
    QColor textColor() const { return textColor_; }
    void setTextColor(const QColor& color) { textColor_ = color; }
    // Rows are laid out in their frame moved this far right; the view's selection band and
    // click targets keep the full row.
    int leftInset() const { return leftInset_; }
    void setLeftInset(int inset) { leftInset_ = inset; }

    static bool isGroupCell(bool hasImage, const QString& title) {
        return !hasImage && !title.isEmpty();
    }
    bool isGroupCell(const QString& title) const { return isGroupCell(!image_.isNull(), title); }
    // The text's rectangle for editing: right of the icon, offset down by textOriginYOffset.
    QRect titleRectForBounds(const QRect& bounds) const;
    // The text's own size widened by the icon strip.
    QSize cellSize(const QString& title) const;
    // Answers by the node of the selected row, not of the row under the mouse.
    HitTest hitTestForEvent(const QAbstractItemView* view) const;
    // Only the OPTIMIZATION and MANUAL CLEANING headings carry the separator.
    bool hasSeparator(const QString& title) const;

    static IconRowLayout iconRowLayout(const QRectF& frame, const QSizeF& imageSize,
                                       const QSizeF& textSize);
    static HeadingLayout headingLayout(const QRectF& frame, double textHeight, bool withSeparator);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

private:
    static QPixmap iconOf(const QModelIndex& index);
    static QPixmap iconSized(const QPixmap& image);
    QRect titleRect(const QRect& bounds, const QPixmap& image) const;
    QRect insetFrame(const QRect& rowRect) const { return rowRect.adjusted(leftInset_, 0, 0, 0); }
    void drawText(QPainter* painter, const QRectF& rect, const QString& title) const;
    void placeSeparator(const QStyleOptionViewItem& option, const QModelIndex& index,
                        const QRectF& frame) const;

    int textOriginYOffset_ = 5;
    int leftInset_ = 0;
    std::unique_ptr<qengine::DataFiller> dataFiller_;
    TextLookup lookup_;
    QPixmap image_;
    qint64 imageSourceKey_ = 0;
    QFont font_;
    QColor textColor_ = Qt::black;
    // One hairline per heading row, living in the outline like the rows' own views.
    mutable QHash<QPersistentModelIndex, QPointer<QLabel>> separators_;
};

} // namespace qtk
