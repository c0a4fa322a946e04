#include "pages/tools/UninstallerAppsSheet.h"

#include "platform/ui/SheetOverlay.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qpages {

namespace {

constexpr int kRetryCode = 1;
constexpr int kCancelCode = 2;
constexpr int kIconSize = 32;

} // namespace

UninstallerAppsSheet::UninstallerAppsSheet(QWidget* parent)
    : QFrame(parent), lblWAppsRunning_(new QLabel(this)), lblWQuitApps_(new QLabel(this)),
      appsRunning_(new QTableWidget(0, 1, this)), btnWRetry_(new QPushButton(this)),
      btnWContinue_(new QPushButton(this)) {
    setObjectName(QStringLiteral("appsRunningSheet"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setFixedSize(440, 250);

    lblWAppsRunning_->setObjectName(QStringLiteral("lblWAppsRunning"));
    QFont heading = lblWAppsRunning_->font();
    heading.setBold(true);
    heading.setPixelSize(14);
    lblWAppsRunning_->setFont(heading);
    lblWQuitApps_->setObjectName(QStringLiteral("lblWQuitApps"));
    lblWQuitApps_->setWordWrap(true);

    appsRunning_->setObjectName(QStringLiteral("appsRunning"));
    appsRunning_->setAccessibleName(QStringLiteral("Running applications"));
    appsRunning_->horizontalHeader()->hide();
    appsRunning_->horizontalHeader()->setStretchLastSection(true);
    appsRunning_->verticalHeader()->hide();
    appsRunning_->setIconSize(QSize(kIconSize, kIconSize));
    appsRunning_->verticalHeader()->setDefaultSectionSize(kIconSize + 8);
    appsRunning_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    appsRunning_->setSelectionMode(QAbstractItemView::NoSelection);
    appsRunning_->setTextElideMode(Qt::ElideMiddle);
    appsRunning_->setWordWrap(false);

    btnWRetry_->setObjectName(QStringLiteral("btnWRetry"));
    btnWContinue_->setObjectName(QStringLiteral("btnWContinue"));
    btnWRetry_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnWContinue_);
    buttons->addWidget(btnWRetry_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->addWidget(lblWAppsRunning_);
    layout->addWidget(appsRunning_, 1);
    layout->addWidget(lblWQuitApps_);
    layout->addLayout(buttons);
}

void UninstallerAppsSheet::setTexts(const QString& heading, const QString& request,
                                    const QString& retryTitle, const QString& cancelTitle) {
    lblWAppsRunning_->setText(heading);
    lblWQuitApps_->setText(request);
    btnWRetry_->setText(retryTitle);
    btnWContinue_->setText(cancelTitle);
    for (QPushButton* button : {btnWRetry_, btnWContinue_})
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 30);
}

void UninstallerAppsSheet::setRows(const std::vector<Row>& rows) {
    appsRunning_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        auto* item = new QTableWidgetItem(rows[static_cast<std::size_t>(i)].appIcon,
                                          rows[static_cast<std::size_t>(i)].appName);
        item->setToolTip(rows[static_cast<std::size_t>(i)].appName);
        appsRunning_->setItem(i, 0, item);
    }
}

int UninstallerAppsSheet::rowCount() const {
    return appsRunning_->rowCount();
}

QString UninstallerAppsSheet::rowName(int row) const {
    const QTableWidgetItem* item = appsRunning_->item(row, 0);
    return item ? item->text() : QString();
}

UninstallerAppsSheet::Choice UninstallerAppsSheet::runOn(QWidget* window) {
    // The overlay borrows this box while it runs and gives it back afterwards. It belongs to
    // the window, which may go away while the sheet runs.
    QWidget* const formerParent = parentWidget();
    const QPointer<qui::SheetOverlay> overlay = new qui::SheetOverlay(window);
    overlay->setEscapeCode(kCancelCode);
    qui::SheetOverlay* const sheet = overlay.data();
    const auto retry =
        connect(btnWRetry_, &QPushButton::clicked, sheet, [sheet] { sheet->endSheet(kRetryCode); });
    const auto cancel = connect(btnWContinue_, &QPushButton::clicked, sheet,
                                [sheet] { sheet->endSheet(kCancelCode); });
    overlay->setContentWidget(this);
    const int code = overlay->runModal();
    disconnect(retry);
    disconnect(cancel);
    if (overlay) {
        hide();
        setParent(formerParent);
        delete overlay.data();
    }
    return code == kRetryCode ? Choice::Retry : Choice::Cancel;
}

} // namespace qpages
