#pragma once

#include <QColor>
#include <QImage>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>

#include <optional>

namespace qtk {

// Draws an item as a push button, tinted with a colour: the button's shape in the colour,
// shaded by the button's own light and dark parts. With no colour, or the clear colour, it
// is an ordinary button.
class CCDColoredButtonCell : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CCDColoredButtonCell(QObject* parent = nullptr);

    std::optional<QColor> buttonColor() const { return buttonColor_; }
    void setButtonColor(std::optional<QColor> color) { buttonColor_ = std::move(color); }

    // Draws a button described by `button` into `painter`, tinted when a colour is set.
    void drawWithFrame(QPainter* painter, const QStyleOptionButton& button,
                       const QWidget* widget) const;
    // The tint itself: `button` drawn into an image of its size, recoloured.
    static QImage tinted(const QImage& button, const QColor& color);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    static QStyleOptionButton buttonOption(const QStyleOptionViewItem& option,
                                           const QModelIndex& index);

    std::optional<QColor> buttonColor_;
};

} // namespace qtk
