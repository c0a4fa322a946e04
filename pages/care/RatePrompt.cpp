#include "pages/care/RatePrompt.h"

#include "platform/core/Bundle.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/SoftwareCentre.h"

#include <QDateTime>

#include <cmath>

namespace qpages {

namespace {

QDate localDay(const qcore::Date& date) {
    return QDateTime::fromMSecsSinceEpoch(
               static_cast<qint64>(std::llround(date.secondsSince1970 * 1000.0)))
        .date();
}

} // namespace

RatePrompt::RatePrompt(qcore::UserDefaults& defaults, const qcore::Bundle& bundle, Clock clock)
    : defaults_(defaults), bundle_(bundle), clock_(std::move(clock)) {
    if (!clock_) clock_ = [] { return qcore::Date::now(); };
}

bool RatePrompt::versionNotRated() const {
    return defaults_.stringForKey(kVersionRated) != bundle_.infoString("CFBundleVersion");
}

bool RatePrompt::dayAllows() const {
    const auto shown = defaults_.dateForKey(kRateDate);
    return !shown || localDay(*shown) != localDay(clock_());
}

void RatePrompt::markShown() {
    defaults_.setObject(kRateDate, clock_());
    defaults_.synchronize();
}

void RatePrompt::markRated() {
    defaults_.setObject(kVersionRated, bundle_.infoString("CFBundleVersion"));
    defaults_.synchronize();
}

std::string RatePrompt::question() const {
    return "Would you like to rate this version(" +
           bundle_.infoString("CFBundleShortVersionString") + ") of " + bundle_.bundleName() + "?";
}

std::string RatePrompt::explanation() {
    return "If you find this app useful, please rate it to let others also regain disk space.";
}

std::string RatePrompt::storeUrl() const {
    // The software centre only when the desktop has one to open the address, else the web
    // site, as Rate Us does.
    return qui::SoftwareCentre::ratingPage(QString::fromStdString(bundle_.bundleIdentifier()))
        .toString()
        .toStdString();
}

} // namespace qpages
