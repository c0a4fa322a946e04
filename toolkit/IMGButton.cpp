#include "toolkit/IMGButton.h"

#include "platform/ui/Cursors.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/TextMetrics.h"
#include "platform/ui/ThreePartImage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace qtk {

namespace {

constexpr int kSmallestSize = 5;
constexpr int kLargestSize = 50;

QStringList piecesOf(const QString& title, const QString& separator) {
    if (separator.isEmpty()) return {title};
    return title.split(separator);
}

} // namespace

IMGButton::IMGButton(QWidget* parent) : QPushButton(parent) {
    setDefaults();
}

IMGButton::IMGButton(const QString& title, QWidget* parent) : QPushButton(title, parent) {
    setDefaults();
}

void IMGButton::setDefaults() {
    colorOnState_ = Qt::white;
    colorOffState_ = Qt::white;
    colorOnStateDis_ = QColor(96, 96, 96);
    colorOffStateDis_ = QColor(96, 96, 96);
    blueColor_ = QColor(0, 126, 255);
    multiLineStr_ = QStringLiteral(" ");
    // Buttons act on the mouse only; keyboard activation would skip the toggle.
    setFocusPolicy(Qt::NoFocus);
    qui::useHandCursor(this);
    // Connected first, so it counts a click before any action runs.
    connect(this, &QAbstractButton::clicked, this, [this] { ++clicks_; });
}

void IMGButton::setButtonImages(const QString& imgOnState_St, const QString& imgOnState_Md,
                                const QString& imgOnState_En, const QString& imgOnStateDwn_St,
                                const QString& imgOnStateDwn_Md, const QString& imgOnStateDwn_En,
                                const QString& imgOnStateDis_St, const QString& imgOnStateDis_Md,
                                const QString& imgOnStateDis_En, const QString& imgOffState_St,
                                const QString& imgOffState_Md, const QString& imgOffState_En,
                                const QString& imgOffStateDwn_St, const QString& imgOffStateDwn_Md,
                                const QString& imgOffStateDwn_En, const QString& imgOffStateDis_St,
                                const QString& imgOffStateDis_Md,
                                const QString& imgOffStateDis_En) {
    imgOnState_St_ = imgOnState_St;
    imgOnState_Md_ = imgOnState_Md;
    imgOnState_En_ = imgOnState_En;
    imgOnStateDwn_St_ = imgOnStateDwn_St;
    imgOnStateDwn_Md_ = imgOnStateDwn_Md;
    imgOnStateDwn_En_ = imgOnStateDwn_En;
    imgOnStateDis_St_ = imgOnStateDis_St;
    imgOnStateDis_Md_ = imgOnStateDis_Md;
    imgOnStateDis_En_ = imgOnStateDis_En;
    imgOffState_St_ = imgOffState_St;
    imgOffState_Md_ = imgOffState_Md;
    imgOffState_En_ = imgOffState_En;
    imgOffStateDwn_St_ = imgOffStateDwn_St;
    imgOffStateDwn_Md_ = imgOffStateDwn_Md;
    imgOffStateDwn_En_ = imgOffStateDwn_En;
    imgOffStateDis_St_ = imgOffStateDis_St;
    imgOffStateDis_Md_ = imgOffStateDis_Md;
    imgOffStateDis_En_ = imgOffStateDis_En;
    isMouseDown_ = false;
}

void IMGButton::setStandardImages() {
    setButtonImages("btn_blue_n_left.png", "btn_blue_n_middle.png", "btn_blue_n_right.png",
                    "btn_blue_d_left.png", "btn_blue_d_middle.png", "btn_blue_d_right.png",
                    "btn_dis_left.png", "btn_dis_middle.png", "btn_dis_right.png",
                    "btn_gray_n_left.png", "btn_gray_n_middle.png", "btn_gray_n_right.png",
                    "btn_gray_d_left.png", "btn_gray_d_middle.png", "btn_gray_d_right.png",
                    "btn_dis_left.png", "btn_dis_middle.png", "btn_dis_right.png");
}

void IMGButton::setState(int state) {
    if (state_ == state) return;
    state_ = state;
    update();
}

std::optional<IMGButton::Appearance> IMGButton::appearance() const {
    if (state_ != 0 && state_ != 1) return std::nullopt;
    const bool on = state_ == 1;
    if (!isEnabled()) {
        if (on)
            return Appearance{imgOnStateDis_St_, imgOnStateDis_Md_, imgOnStateDis_En_,
                              colorOnStateDis_};
        return Appearance{imgOffStateDis_St_, imgOffStateDis_Md_, imgOffStateDis_En_,
                          colorOffStateDis_};
    }
    if (on) {
        if (isMouseDown_)
            return Appearance{imgOnStateDwn_St_, imgOnStateDwn_Md_, imgOnStateDwn_En_,
                              colorOnState_};
        return Appearance{imgOnState_St_, imgOnState_Md_, imgOnState_En_, colorOnState_};
    }
    if (isMouseDown_)
        return Appearance{imgOffStateDwn_St_, imgOffStateDwn_Md_, imgOffStateDwn_En_,
                          colorOffState_};
    return Appearance{imgOffState_St_, imgOffState_Md_, imgOffState_En_, colorOffState_};
}

bool IMGButton::isTwoLineCandidate(const QString& title, const QString& separator) {
    return piecesOf(title, separator).size() > 1 || title.split(QLatin1Char('\n')).size() >= 2;
}

QString IMGButton::twoLineTitle(const QString& title, const QString& separator) {
    const QStringList pieces = piecesOf(title, separator);
    const qsizetype n = pieces.size();
    if (n == 1) return title;
    const qsizetype firstCount = n / 2;
    const QString first = pieces.mid(0, firstCount).join(separator);
    const QString second = pieces.mid(firstCount).join(separator);
    return first + QLatin1Char('\n') + second;
}

QFont IMGButton::titleFont(int size) const {
    return isBlackColor_ ? qui::boldSystemFont(size) : qui::systemFont(size);
}

std::optional<IMGButton::TitleLayout> IMGButton::layoutTitle(const QRectF& bounds, bool multi,
                                                             const QColor& color) const {
    const QString title = multi ? twoLineTitle(text(), multiLineStr_) : text();
    const int top = multi ? marginTopML_ : marginTop_;
    const int bottom = multi ? marginBottomML_ : marginBottom_;
    const QRectF area(bounds.x() + marginLeft_, bounds.y() + top,
                      bounds.width() - (marginLeft_ + marginRight_),
                      bounds.height() - (top + bottom));
    const QColor titleColor = isBlackColor_ ? blueColor_ : color;

    for (int size = kSmallestSize; size <= kLargestSize; ++size) {
        const QSizeF measured = qui::textSize(titleFont(size), title);
        if (measured.width() <= area.width() && measured.height() <= area.height()) continue;
        TitleLayout layout;
        layout.text = title;
        layout.font = titleFont(size - 1);
        layout.color = titleColor;
        layout.size = qui::textSize(layout.font, title);
        layout.rect = area.translated(0, (area.height() - layout.size.height()) / 2);
        return layout;
    }
    return std::nullopt;
}

std::optional<IMGButton::TitleLayout> IMGButton::chooseLayout(const QRectF& bounds,
                                                              const QColor& color) const {
    const std::optional<TitleLayout> oneLine = layoutTitle(bounds, false, color);
    if (!isTwoLineCandidate(text(), multiLineStr_)) return oneLine;
    const std::optional<TitleLayout> twoLine = layoutTitle(bounds, true, color);
    if (!twoLine) return oneLine;
    if (!oneLine) return twoLine;
    const double areaTwo = twoLine->size.width() * twoLine->size.height();
    const double areaOne = oneLine->size.width() * oneLine->size.height();
    return areaTwo > areaOne ? twoLine : oneLine;
}

void IMGButton::paintEvent(QPaintEvent*) {
    mTitle_ = text();
    if (const std::optional<Appearance> chosen = appearance()) lastAppearance_ = *chosen;

    QPainter painter(this);
    const QRectF bounds = rect();
    qui::drawThreePartImage(painter, bounds, lastAppearance_.start, lastAppearance_.middle,
                            lastAppearance_.end);

    // A layout that finds no overflowing size keeps the previous draw's fields.
    if (auto one = layoutTitle(bounds, false, lastAppearance_.titleColor)) lastOneLine_ = one;
    std::optional<TitleLayout> chosen = lastOneLine_;
    if (isTwoLineCandidate(mTitle_, multiLineStr_)) {
        if (auto two = layoutTitle(bounds, true, lastAppearance_.titleColor)) lastTwoLine_ = two;
        if (lastTwoLine_ && (!chosen || lastTwoLine_->size.width() * lastTwoLine_->size.height() >
                                            chosen->size.width() * chosen->size.height()))
            chosen = lastTwoLine_;
    }
    if (!chosen) {
        // Fits even at the largest size: draw it at that size, centred in the bounds.
        chosen = TitleLayout{mTitle_, titleFont(kLargestSize),
                             isBlackColor_ ? blueColor_ : lastAppearance_.titleColor,
                             qui::textSize(titleFont(kLargestSize), mTitle_), bounds};
    }
    // Colours follow the state even when the geometry is an earlier draw's.
    const QColor color = isBlackColor_ ? blueColor_ : lastAppearance_.titleColor;
    mTitle_ = chosen->text;
    rectText_ = chosen->rect;
    if (isMouseDown_) rectText_.translate(1, 1);

    painter.setFont(chosen->font);
    painter.setPen(color);
    painter.drawText(rectText_, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, chosen->text);
}

void IMGButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
    isMouseDown_ = true;
    update();
}

void IMGButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second click of a double click is another press.
    mousePressEvent(event);
}

void IMGButton::mouseMoveEvent(QMouseEvent*) {
    // No press tracking while dragging: the press look holds until the mouse comes up.
}

void IMGButton::timerEvent(QTimerEvent* event) {
    // animateClick() ends in the base class's timer with a click; that click flips the state
    // after its action as a mouse-up does.
    const int before = clicks_;
    const QPointer<IMGButton> guard(this);
    QPushButton::timerEvent(event);
    if (!guard || clicks_ == before) return;
    state_ = state_ == 0 ? 1 : 0;
    update();
}

void IMGButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
    isMouseDown_ = false;
    update();
    const QPointF at = event->position();
    const bool inside = at.x() >= 0 && at.x() <= width() && at.y() >= 0 && at.y() <= height();
    if (!inside) return;

    const QPointer<IMGButton> guard(this);
    emit clicked(false);
    if (!guard) return;
    state_ = state_ == 0 ? 1 : 0;
    update();
}

} // namespace qtk
