#pragma once

#include <QWidget>

namespace qpages {

// The picture of the Duplicates Finder's folder face: "DuplicatesImageView.png" (360 x 212)
// centred on white.
class DuplicatesImageView : public QWidget {
    Q_OBJECT
public:
    explicit DuplicatesImageView(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {360, 212}; }
    QSize minimumSizeHint() const override { return {360, 212}; }
    // Where the picture goes inside a view of `size`: centred on even-rounded bounds.
    static QRect pictureRect(const QSize& size);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace qpages
