#pragma once

#include "toolkit/CustomSheetWindow.h"

class QLabel;
class QPushButton;

namespace qpages {

// The rate prompt's sheet: a question, an explanation, and the rate and close buttons, titled
// by the caller from the language table.
class RateMeWindow : public qtk::CustomSheetWindow {
    Q_OBJECT
public:
    RateMeWindow(const QString& rateTitle, const QString& closeTitle, QWidget* parent = nullptr);

    QLabel* lblHeadingRateMe() const { return lblHeadingRateMe_; }
    QLabel* lblSubHeadingRateMe() const { return lblSubHeadingRateMe_; }
    QPushButton* rateButton() const { return rateButton_; }
    QPushButton* closeButton() const { return closeButton_; }

private:
    QLabel* lblHeadingRateMe_;
    QLabel* lblSubHeadingRateMe_;
    QPushButton* rateButton_;
    QPushButton* closeButton_;
};

} // namespace qpages
