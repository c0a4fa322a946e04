#pragma once

#include <QColor>
#include <QFont>
#include <QPushButton>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

namespace qtk {

// The pages' action button. Everything visible is drawn here: a three-part background chosen
// by state, enabled flag and press, and a title at the largest size that fits its margins, on
// one line or two. The action (clicked) runs on a mouse-up inside, and only then does the
// on/off state flip, so the handler still reads the state the user clicked. A press without
// the mouse (an assistive tool's press action, animateClick) acts and flips the same way. The
// accessible name is the title (text()), so it changes with every setText().
class IMGButton : public QPushButton {
    Q_OBJECT
public:
    // One laid-out title: the text in its final form, its font and colour, the measured size
    // and the rectangle it is drawn in (top-down coordinates of the button).
    struct TitleLayout {
        QString text;
        QFont font;
        QColor color;
        QSizeF size;
        QRectF rect;
    };

    // The three image names and title colour a draw uses.
    struct Appearance {
        QString start;
        QString middle;
        QString end;
        QColor titleColor;
    };

    explicit IMGButton(QWidget* parent = nullptr);
    IMGButton(const QString& title, QWidget* parent);

    // Eighteen names: on normal, on pressed, on disabled, then the same for off; each start,
    // middle, end. Does not repaint.
    void setButtonImages(const QString& imgOnState_St, const QString& imgOnState_Md,
                         const QString& imgOnState_En, const QString& imgOnStateDwn_St,
                         const QString& imgOnStateDwn_Md, const QString& imgOnStateDwn_En,
                         const QString& imgOnStateDis_St, const QString& imgOnStateDis_Md,
                         const QString& imgOnStateDis_En, const QString& imgOffState_St,
                         const QString& imgOffState_Md, const QString& imgOffState_En,
                         const QString& imgOffStateDwn_St, const QString& imgOffStateDwn_Md,
                         const QString& imgOffStateDwn_En, const QString& imgOffStateDis_St,
                         const QString& imgOffStateDis_Md, const QString& imgOffStateDis_En);
    // The usual blue-on / grey-off set.
    void setStandardImages();

    // On/off state: 1 on, 0 off; other values keep the last look.
    int state() const { return state_; }
    void setState(int state);

    QString imgOnState_St() const { return imgOnState_St_; }
    QString imgOnState_Md() const { return imgOnState_Md_; }
    QString imgOnState_En() const { return imgOnState_En_; }
    QString imgOnStateDwn_St() const { return imgOnStateDwn_St_; }
    QString imgOnStateDwn_Md() const { return imgOnStateDwn_Md_; }
    QString imgOnStateDwn_En() const { return imgOnStateDwn_En_; }
    QString imgOnStateDis_St() const { return imgOnStateDis_St_; }
    QString imgOnStateDis_Md() const { return imgOnStateDis_Md_; }
    QString imgOnStateDis_En() const { return imgOnStateDis_En_; }
    QString imgOffState_St() const { return imgOffState_St_; }
    QString imgOffState_Md() const { return imgOffState_Md_; }
    QString imgOffState_En() const { return imgOffState_En_; }
    QString imgOffStateDwn_St() const { return imgOffStateDwn_St_; }
    QString imgOffStateDwn_Md() const { return imgOffStateDwn_Md_; }
    QString imgOffStateDwn_En() const { return imgOffStateDwn_En_; }
    QString imgOffStateDis_St() const { return imgOffStateDis_St_; }
    QString imgOffStateDis_Md() const { return imgOffStateDis_Md_; }
    QString imgOffStateDis_En() const { return imgOffStateDis_En_; }

    QColor colorOnState() const { return colorOnState_; }
    void setColorOnState(const QColor& color) { colorOnState_ = color; }
    QColor colorOnStateDis() const { return colorOnStateDis_; }
    void setColorOnStateDis(const QColor& color) { colorOnStateDis_ = color; }
    QColor colorOffState() const { return colorOffState_; }
    void setColorOffState(const QColor& color) { colorOffState_ = color; }
    QColor colorOffStateDis() const { return colorOffStateDis_; }
    void setColorOffStateDis(const QColor& color) { colorOffStateDis_ = color; }
    QColor blueColor() const { return blueColor_; }
    void setBlueColor(const QColor& color) { blueColor_ = color; }

    bool isBlackColor() const { return isBlackColor_; }
    void setIsBlackColor(bool value) { isBlackColor_ = value; }
    bool isMultiLine() const { return isMultiLine_; }
    void setIsMultiLine(bool value) { isMultiLine_ = value; }
    QString multiLineStr() const { return multiLineStr_; }
    void setMultiLineStr(const QString& separator) { multiLineStr_ = separator; }
    QString mTitle() const { return mTitle_; }
    void setMTitle(const QString& title) { mTitle_ = title; }

    int marginLeft() const { return marginLeft_; }
    void setMarginLeft(int value) { marginLeft_ = value; }
    int marginRight() const { return marginRight_; }
    void setMarginRight(int value) { marginRight_ = value; }
    int marginTop() const { return marginTop_; }
    void setMarginTop(int value) { marginTop_ = value; }
    int marginBottom() const { return marginBottom_; }
    void setMarginBottom(int value) { marginBottom_ = value; }
    int marginTopML() const { return marginTopML_; }
    void setMarginTopML(int value) { marginTopML_ = value; }
    int marginBottomML() const { return marginBottomML_; }
    void setMarginBottomML(int value) { marginBottomML_ = value; }

    bool isMouseDown() const { return isMouseDown_; }

    // Images and title colour for the current state, or nothing for a state other than 0/1.
    std::optional<Appearance> appearance() const;
    // The title as the two-line layout splits it at `separator`.
    static QString twoLineTitle(const QString& title, const QString& separator);
    // Whether the title may be drawn on two lines at all.
    static bool isTwoLineCandidate(const QString& title, const QString& separator);
    // Lays the title out in `bounds` for one kind; nothing when no size up to 50 overflows.
    std::optional<TitleLayout> layoutTitle(const QRectF& bounds, bool multi,
                                           const QColor& color) const;
    // The layout a draw in `bounds` picks (before the pressed offset).
    std::optional<TitleLayout> chooseLayout(const QRectF& bounds, const QColor& color) const;
    // The rectangle the last draw put the title in.
    QRectF rectText() const { return rectText_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void setDefaults();
    QFont titleFont(int size) const;

    QString imgOffState_Md_, imgOffState_St_, imgOffState_En_;
    QString imgOffStateDwn_Md_, imgOffStateDwn_St_, imgOffStateDwn_En_;
    QString imgOffStateDis_Md_, imgOffStateDis_St_, imgOffStateDis_En_;
    QString imgOnState_Md_, imgOnState_St_, imgOnState_En_;
    QString imgOnStateDwn_Md_, imgOnStateDwn_St_, imgOnStateDwn_En_;
    QString imgOnStateDis_Md_, imgOnStateDis_St_, imgOnStateDis_En_;

    QColor colorOnState_;
    QColor colorOnStateDis_;
    QColor colorOffState_;
    QColor colorOffStateDis_;
    QColor blueColor_;
    // What the last draw chose; a state other than 0/1 keeps them.
    Appearance lastAppearance_;

    bool isMouseDown_ = false;
    bool isBlackColor_ = false;
    int marginLeft_ = 5;
    int marginRight_ = 5;
    int marginTop_ = 5;
    int marginBottom_ = 5;
    int marginTopML_ = 2;
    int marginBottomML_ = 2;
    QString mTitle_;
    bool isMultiLine_ = false;
    QString multiLineStr_;
    QRectF rectText_;
    // A layout that found no overflowing size keeps the previous draw's.
    std::optional<TitleLayout> lastOneLine_;
    std::optional<TitleLayout> lastTwoLine_;
    int state_ = 0;
    // Clicks emitted so far, mouse-up or not.
    int clicks_ = 0;
};

} // namespace qtk
