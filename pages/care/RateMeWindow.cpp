#include "pages/care/RateMeWindow.h"

#include <QLabel>
#include <QPushButton>

namespace qpages {

namespace {
constexpr int kWidth = 460;
constexpr int kHeight = 170;
} // namespace

RateMeWindow::RateMeWindow(const QString& rateTitle, const QString& closeTitle, QWidget* parent)
    : qtk::CustomSheetWindow({0, 0, kWidth, kHeight}, TitledWindowMask,
                             qcore::SystemVersion::current(), parent),
      lblHeadingRateMe_(new QLabel(this)), lblSubHeadingRateMe_(new QLabel(this)),
      rateButton_(new QPushButton(rateTitle, this)),
      closeButton_(new QPushButton(closeTitle, this)) {
    setBackgroundColor(Qt::white);
    setOpaque(true);
    QFont heading = lblHeadingRateMe_->font();
    heading.setPixelSize(15);
    heading.setBold(true);
    lblHeadingRateMe_->setFont(heading);
    lblHeadingRateMe_->setWordWrap(true);
    lblHeadingRateMe_->setGeometry(24, 18, kWidth - 48, 44);
    QFont sub = lblSubHeadingRateMe_->font();
    sub.setPixelSize(12);
    lblSubHeadingRateMe_->setFont(sub);
    lblSubHeadingRateMe_->setWordWrap(true);
    lblSubHeadingRateMe_->setGeometry(24, 66, kWidth - 48, 44);
    closeButton_->setGeometry(kWidth - 24 - 2 * 110 - 12, kHeight - 24 - 30, 110, 30);
    rateButton_->setGeometry(kWidth - 24 - 110, kHeight - 24 - 30, 110, 30);
    rateButton_->setDefault(true);
}

} // namespace qpages
