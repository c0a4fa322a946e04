#include "shell/views/StatusHeaderView.h"

#include "ui_MainMenu.h"

#include "platform/core/Guarded.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/ImageCache.h"
#include "toolkit/CommonFuncs.h"
#include "toolkit/IMGButton.h"

#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QTimer>

namespace qshell {

namespace {

constexpr int kAnimationMs = 250;
const QColor kMachineGrey = QColor::fromRgbF(0.351f, 0.351f, 0.351f);
const QColor kJunkRed = QColor::fromRgbF(0.6353f, 0.0314f, 0.0314f);

void setTextColor(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// Running (state 1) reads grey, idle (state 0) blue, like the pages' buttons.
void giveHeaderImages(qtk::IMGButton* button) {
    button->setButtonImages("btn_gray_n_left.png", "btn_gray_n_middle.png", "btn_gray_n_right.png",
                            "btn_gray_d_left.png", "btn_gray_d_middle.png", "btn_gray_d_right.png",
                            "btn_dis_left.png", "btn_dis_middle.png", "btn_dis_right.png",
                            "btn_blue_n_left.png", "btn_blue_n_middle.png", "btn_blue_n_right.png",
                            "btn_blue_d_left.png", "btn_blue_d_middle.png", "btn_blue_d_right.png",
                            "btn_dis_left.png", "btn_dis_middle.png", "btn_dis_right.png");
}

} // namespace

StatusHeaderView::StatusHeaderView(Ui::MainMenuInterface& ui, SystemStatusHeader& header,
                                   TextSource texts, Actions actions, QObject* parent)
    : QObject(parent), ui_(ui), header_(header), texts_(std::move(texts)),
      actions_(std::move(actions)) {
    for (qtk::IMGButton* button : {ui_.scanButton, ui_.removeButton})
        giveHeaderImages(button);
    ui_.topBox->setGradientImageName(QStringLiteral("header.png"));
    ui_.animationImageView->setPixmap(qui::namedImage(QStringLiteral("status_gauge.png")));
    ui_.watchImageView->setPixmap(qui::namedImage(QStringLiteral("System Status.png")));
    showLock(true);
    ui_.lockButton->setIconSize({22, 22});
    ui_.lockButton->setStyleSheet(QStringLiteral("QPushButton { border: none; }"));
    connect(ui_.scanButton, &QAbstractButton::clicked, this, &StatusHeaderView::scanButtonClicked);
    connect(ui_.removeButton, &QAbstractButton::clicked, this,
            &StatusHeaderView::removeButtonClicked);
    connect(ui_.lockButton, &QAbstractButton::clicked, this, &StatusHeaderView::lockButtonClicked);
}

void StatusHeaderView::setStatusFonts() {
    for (qtk::IMGButton* button : {ui_.scanButton, ui_.removeButton})
        button->setFont(qui::fontNamed(QStringLiteral("Arial"), 16));
    ui_.macSystemName->setFont(qui::labelFont(22));
    setTextColor(ui_.macSystemName, kMachineGrey);
    qtk::CommonFuncs::setBoldFont(ui_.textTotalJunkSize, 16);
    setTextColor(ui_.textTotalJunkSize, kJunkRed);
    ui_.systemHeaderText->setFont(qui::labelFont(11));
    setTextColor(ui_.systemHeaderText, kMachineGrey);
    refresh();
}

void StatusHeaderView::setMachineName(const QString& text) {
    ui_.macSystemName->setText(text);
}

void StatusHeaderView::applyFace(qtk::IMGButton* button, const HeaderButtons::Face& face) {
    button->setVisible(face.visible);
    button->setEnabled(face.enabled);
    button->setState(face.state);
    button->setText(QString::fromStdString(texts_.token(face.titleGroup, face.titleKey)));
    qtk::CommonFuncs::changeButtonTextColor(button, Qt::white);
}

void StatusHeaderView::refresh() {
    applyFace(ui_.scanButton, header_.buttons().scanButton());
    applyFace(ui_.removeButton, header_.buttons().cleanButton());
    ui_.textTotalJunkSize->setText(QString::fromStdString(header_.junkLabel()));
}

void StatusHeaderView::refreshAfterClick() {
    refresh();
    QTimer::singleShot(
        0, this, [this] { qcore::runGuarded("System Status header", [this] { refresh(); }); });
}

void StatusHeaderView::scanButtonClicked() {
    header_.startStopScan(1 - ui_.scanButton->state());
    refreshAfterClick();
}

void StatusHeaderView::removeButtonClicked() {
    const auto click = header_.startStopRemove(1 - ui_.removeButton->state());
    refreshAfterClick();
    if (click == SystemStatusHeader::RemoveClick::ShowOneClickPage && actions_.showOneClickPage)
        actions_.showOneClickPage();
}

void StatusHeaderView::lockButtonClicked() {
    header_.lockUnlock();
}

void StatusHeaderView::showLock(bool locked) {
    ui_.lockButton->setIcon(QIcon(qui::namedImage(locked ? QStringLiteral("lock_closed.png")
                                                         : QStringLiteral("lock_open.png"))));
    // The button shows only its image; a screen reader says what a press does.
    ui_.lockButton->setAccessibleName(QString::fromStdString(
        texts_.token("GRP_SYSTEM_STATUS", locked ? "ID_UNLOCK" : "ID_LOCK")));
}

void StatusHeaderView::animateLock(int shift) {
    QPushButton* lock = ui_.lockButton;
    showLock(shift > 0);
    // A slide still running ends where it was going; the new one starts from there.
    QPoint from = lock->pos();
    if (lockAnimation_) {
        from = lockAnimation_->endValue().toPoint();
        lockAnimation_->stop();
        lock->move(from);
    }
    auto* animation = new QPropertyAnimation(lock, "pos", this);
    animation->setDuration(kAnimationMs);
    animation->setStartValue(from);
    animation->setEndValue(from + QPoint(shift, 0));
    lockAnimation_ = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void StatusHeaderView::fade(bool visible) {
    if (visible == fadedIn_) return;
    fadedIn_ = visible;
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(ui_.topBox->graphicsEffect());
    if (!effect) {
        effect = new QGraphicsOpacityEffect(ui_.topBox);
        ui_.topBox->setGraphicsEffect(effect);
    }
    if (fadeAnimation_) fadeAnimation_->stop();
    auto* animation = new QPropertyAnimation(effect, "opacity", this);
    animation->setDuration(kAnimationMs);
    animation->setStartValue(effect->opacity());
    animation->setEndValue(visible ? 1.0 : 0.0);
    fadeAnimation_ = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace qshell
