#include "shell/grant/HomeFolderSheet.h"

#include "shell/views/SheetRunner.h"

#include "engine/TextFormat.h"
#include "platform/core/Guarded.h"
#include "platform/ui/Fonts.h"
#include "toolkit/CustomSheetWindow.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace qshell {

namespace {

constexpr int kBoxWidth = 480;
constexpr int kBoxHeight = 214;

QLabel* addLabel(QWidget* box, const QString& text, const QFont& font, const QRect& frame) {
    auto* label = new QLabel(text, box);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(frame);
    return label;
}

} // namespace

HomeFolderSheet::HomeFolderSheet(QWidget& mainWindow, const SheetRunner& runner, TextSource texts,
                                 const QString& appName, ShellDialogs dialogs, QObject* parent)
    : QObject(parent), mainWindow_(mainWindow), runner_(runner), texts_(std::move(texts)),
      appName_(appName), dialogs_(std::move(dialogs)) {
    // The sheet belongs to the window, like the other views of its interface.
    sheet_ = new qtk::CustomSheetWindow({0, 0, kBoxWidth, kBoxHeight},
                                        qtk::CustomSheetWindow::TitledWindowMask,
                                        qcore::SystemVersion::current(), &mainWindow);
    sheet_->setObjectName(QStringLiteral("homeFolderSheet"));
    sheet_->hide();
    buildBox(appName);
}

HomeFolderSheet::~HomeFolderSheet() = default;

void HomeFolderSheet::buildBox(const QString& appName) {
    auto* box = new QFrame(sheet_->contentView());
    box->setObjectName(QStringLiteral("homeFolderSheetBox"));
    // Square, so nothing of the overlay beneath shows at its corners.
    box->setStyleSheet(
        QStringLiteral("#homeFolderSheetBox { background: white; border: 1px solid #b9bec7; }"));
    box->resize(kBoxWidth, kBoxHeight);
    box_ = box;

    heading_ = QString::fromStdString(
        qengine::text::fillPlaceholders(texts_.common("ID_CONFIRM_HOME"), {appName.toStdString()}));
    addLabel(box, heading_, qui::boldSystemFont(16), {24, 18, 432, 24});
    addLabel(box, QString::fromStdString(texts_.common("ID_PLS_CONFIRM")), qui::systemFont(13),
             {24, 50, 432, 36});
    addLabel(box, QString::fromStdString(texts_.common("ID_TO_AUTH")), qui::systemFont(12),
             {24, 88, 432, 36});
    // Emptied until the sheet shows, which fills in the home folder.
    pathLabel_ = addLabel(box, QString(), qui::boldSystemFont(13), {24, 130, 432, 20});
    pathLabel_->setObjectName(QStringLiteral("homeFolderPathLabel"));
    pathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    pgBar_ = new QProgressBar(box);
    pgBar_->setRange(0, 0);
    pgBar_->setTextVisible(false);
    pgBar_->setGeometry(24, 172, 120, 14);
    pgBar_->hide();

    cancel_ = new QPushButton(QString::fromStdString(texts_.common("ID_CANCEL")), box);
    cancel_->setGeometry(256, 164, 96, 30);
    confirm_ = new QPushButton(QString::fromStdString(texts_.common("ID_CONFIRM")), box);
    confirm_->setGeometry(360, 164, 96, 30);
    confirm_->setDefault(true);
    connect(confirm_, &QPushButton::clicked, this, [this] {
        if (onConfirm_) onConfirm_();
    });
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (onCancel_) onCancel_();
    });
}

void HomeFolderSheet::setActions(std::function<void()> confirm, std::function<void()> cancel) {
    onConfirm_ = std::move(confirm);
    onCancel_ = std::move(cancel);
}

void HomeFolderSheet::showSheet(const std::string& homePath) {
    // Asked again from inside the last run (a panel that answered at once): that run's loop
    // has to return before the sheet can run again.
    if (sheet_->isRunning()) {
        QTimer::singleShot(0, this, [this, homePath] {
            qcore::runGuarded("Home folder sheet", [&] { showSheet(homePath); });
        });
        return;
    }
    pathLabel_->setText(QString::fromStdString(homePath));
    runner_.runSheetWindow(*sheet_, *box_);
}

void HomeFolderSheet::closeSheet() {
    showHideProgressbar(false);
    SheetRunner::closeSheet(*sheet_);
}

void HomeFolderSheet::showHideProgressbar(bool show) {
    pgBar_->setVisible(show);
    pgBar_->update();
}

void HomeFolderSheet::beginFolderPanel(const std::string& startFolder, PanelCompletion completion) {
    dialogs_.chooseFolder(&mainWindow_, heading_,
                          QString::fromStdString(texts_.common("ID_CONFIRM")),
                          QString::fromStdString(startFolder),
                          [completion = std::move(completion)](bool ok, const QString& folder) {
                              if (ok)
                                  completion(PanelResult::OK, folder.toStdString());
                              else
                                  completion(PanelResult::Cancel, std::nullopt);
                          });
}

void HomeFolderSheet::showMismatchAlert(const std::string& message,
                                        const std::string& informative) {
    dialogs_.modalAlert(&mainWindow_, QString::fromStdString(message),
                        QString::fromStdString(informative),
                        QString::fromStdString(texts_.common("ID_OK")));
}

void HomeFolderSheet::showHomeNotFoundAlert() {
    const std::string message = qengine::text::fillPlaceholders(texts_.common("ID_HOME_NOT_FOUND"),
                                                                {appName_.toStdString()});
    dialogs_.modalAlert(&mainWindow_, QString::fromStdString(message), QString(),
                        QString::fromStdString(texts_.common("ID_OK")));
}

void HomeFolderSheet::quit() {
    dialogs_.quit();
}

} // namespace qshell
