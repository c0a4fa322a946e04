#include "shell/feedback/FeedbackSheetView.h"

#include "shell/views/SheetRunner.h"

#include "engine/TextFormat.h"
#include "platform/ui/Fonts.h"
#include "toolkit/CommonFuncs.h"
#include "toolkit/CustomSheetWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace qshell {

namespace {

constexpr int kBoxWidth = 500;
constexpr int kBoxHeight = 372;
const char* const kGroup = "GRP_NAG_FEEDBACK";
const QColor kErrorRed(178, 34, 34);

QLabel* addLabel(QWidget* box, const QString& text, const QRect& frame) {
    auto* label = new QLabel(text, box);
    label->setFont(qui::labelFont(12));
    label->setGeometry(frame);
    return label;
}

QLabel* addErrorLine(QWidget* box, const QString& text, const QRect& frame) {
    QLabel* label = addLabel(box, text, frame);
    label->setFont(qui::labelFont(11));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kErrorRed);
    label->setPalette(palette);
    label->hide();
    return label;
}

} // namespace

FeedbackSheetView::FeedbackSheetView(QWidget& mainWindow, const SheetRunner& runner,
                                     TextSource texts, const QString& appName, FeedbackSheet& logic,
                                     ShellDialogs dialogs, QObject* parent)
    : QObject(parent), mainWindow_(mainWindow), runner_(runner), texts_(std::move(texts)),
      logic_(logic), dialogs_(std::move(dialogs)) {
    sheet_ = new qtk::CustomSheetWindow({0, 0, kBoxWidth, kBoxHeight},
                                        qtk::CustomSheetWindow::TitledWindowMask,
                                        qcore::SystemVersion::current(), &mainWindow);
    sheet_->setObjectName(QStringLiteral("feedbackSheet"));
    sheet_->hide();
    buildBox(appName);
}

FeedbackSheetView::~FeedbackSheetView() = default;

QString FeedbackSheetView::text(const std::string& key) const {
    return QString::fromStdString(texts_.token(kGroup, key));
}

void FeedbackSheetView::buildBox(const QString& appName) {
    auto* box = new QFrame(sheet_->contentView());
    box->setObjectName(QStringLiteral("feedbackSheetBox"));
    // Square, so nothing of the overlay beneath shows at its corners.
    box->setStyleSheet(
        QStringLiteral("#feedbackSheetBox { background: white; border: 1px solid #b9bec7; }"));
    box->resize(kBoxWidth, kBoxHeight);
    box_ = box;

    QLabel* heading = addLabel(box, text("ID_FB_HEADING"), {24, 16, 452, 24});
    qtk::CommonFuncs::setBoldFont(heading, 16);
    QLabel* subheading = addLabel(box, text("ID_FB_SUBHEADING"), {24, 42, 452, 18});
    QPalette grey = subheading->palette();
    grey.setColor(QPalette::WindowText, QColor(110, 110, 110));
    subheading->setPalette(grey);

    addLabel(box, text("ID_EMAIL_ADD"), {24, 70, 452, 18});
    email_ = new QLineEdit(box);
    email_->setGeometry(24, 90, 452, 24);
    invalidEmail_ = addErrorLine(box, QString::fromStdString(texts_.common("ID_INVALID_EMAIL")),
                                 {24, 115, 452, 16});

    addLabel(box, text("ID_PLEASE_SELECT_TYPE"), {24, 134, 452, 18});
    type_ = new QComboBox(box);
    for (const char* key : {"ID_SELECT_TYPE", "ID_GENERAL_FB", "ID_SUCCESSFULLY_CLEANED",
                            "ID_REPORT_PROB", "ID_UNABLE_UNDERSTAND", "ID_UNABLE_VIEW"})
        type_->addItem(text(key));
    type_->setGeometry(24, 154, 300, 26);
    invalidType_ = addErrorLine(box, text("ID_INVALID_FB_TYPE"), {24, 181, 452, 16});

    addLabel(box, text("ID_SHARE_EXP"), {24, 200, 452, 18});
    message_ = new QPlainTextEdit(box);
    message_->setGeometry(24, 220, 452, 70);
    invalidMessage_ = addErrorLine(box, text("ID_INVALID_EXP"), {24, 291, 452, 16});

    sendLogs_ =
        new QCheckBox(QString::fromStdString(qengine::text::fillPlaceholders(
                          texts_.token(kGroup, "ID_INCLUDE_LOGS"), {appName.toStdString()})),
                      box);
    sendLogs_->setGeometry(24, 308, 452, 20);

    wait_ = addLabel(box, text("ID_FB_WAIT"), {48, 338, 200, 20});
    wait_->hide();
    spinner_ = new QProgressBar(box);
    spinner_->setRange(0, 0);
    spinner_->setTextVisible(false);
    spinner_->setGeometry(24, 342, 18, 12);
    spinner_->hide();

    cancel_ = new QPushButton(QString::fromStdString(texts_.common("ID_CANCEL")), box);
    cancel_->setGeometry(276, 332, 96, 30);
    submit_ = new QPushButton(QString::fromStdString(texts_.common("ID_SUBMIT")), box);
    submit_->setGeometry(380, 332, 96, 30);
    submit_->setDefault(true);
    connect(submit_, &QPushButton::clicked, this, &FeedbackSheetView::submitFeedback);
    connect(cancel_, &QPushButton::clicked, this, &FeedbackSheetView::cancelFeedbackSheet);
}

void FeedbackSheetView::openFeedbackWindow() {
    for (QWidget* hidden : std::initializer_list<QWidget*>{invalidEmail_, invalidType_,
                                                           invalidMessage_, wait_, spinner_})
        hidden->hide();
    message_->clear();
    type_->setCurrentIndex(0);
    logic_.open();
    runner_.runSheetWindow(*sheet_, *box_);
    if (const auto acknowledgement = logic_.acknowledgement(texts_))
        dialogs_.sheetAlert(&mainWindow_, QString::fromStdString(*acknowledgement),
                            QString::fromStdString(texts_.common("ID_OK")));
}

void FeedbackSheetView::submitFeedback() {
    const FeedbackSheet::Fields fields{
        email_->text().toStdString(), type_->currentText().toStdString(),
        type_->currentIndex() == 0, message_->toPlainText().toStdString(), sendLogs_->isChecked()};
    const FeedbackSheet::Outcome outcome = logic_.submit(fields);
    const QString ok = QString::fromStdString(texts_.common("ID_OK"));
    switch (outcome.result) {
    case FeedbackSheet::Result::NoNetwork:
        dialogs_.modalAlert(&mainWindow_,
                            QString::fromStdString(texts_.common("ID_PRB_INTERNET_CONN")),
                            QString(), ok);
        return;
    case FeedbackSheet::Result::InvalidFields:
        showErrors(outcome.check);
        return;
    case FeedbackSheet::Result::SaveFailed:
        dialogs_.modalAlert(&mainWindow_, text("ID_FB_NOT_SAVED"), text("ID_FB_NOT_SAVED_INFO"),
                            ok);
        return;
    case FeedbackSheet::Result::Saved:
        wait_->show();
        spinner_->show();
        closeSheet();
        return;
    }
}

void FeedbackSheetView::showErrors(const FeedbackForm::Check& check) {
    email_->setText(QString::fromStdString(check.email));
    message_->setPlainText(QString::fromStdString(check.message));
    invalidEmail_->setVisible(check.emailError);
    invalidType_->setVisible(check.typeError);
    invalidMessage_->setVisible(check.messageError);
}

void FeedbackSheetView::cancelFeedbackSheet() {
    logic_.cancel();
    closeSheet();
}

void FeedbackSheetView::closeSheet() {
    wait_->hide();
    spinner_->hide();
    spinner_->update();
    SheetRunner::closeSheet(*sheet_);
}

} // namespace qshell
