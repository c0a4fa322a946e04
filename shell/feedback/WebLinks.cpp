#include "shell/feedback/WebLinks.h"

#include "engine/TextFormat.h"
#include "platform/ui/SoftwareCentre.h"

#include <mutex>

namespace qshell {

namespace {

const std::string kDefaultProbeUrl = "http://example.com/";

std::mutex probeMutex;
std::string probe = kDefaultProbeUrl;

} // namespace

std::string WebLinks::supportUrl() {
    return "http://support.quendrix.example/zebkin.php";
}

std::string WebLinks::websiteUrl() {
    return qui::SoftwareCentre::kProductWebsite;
}

std::string WebLinks::ratingUrl(const std::string& bundleIdentifier) {
    return qui::SoftwareCentre::ratingPage(QString::fromStdString(bundleIdentifier))
        .toString()
        .toStdString();
}

std::string WebLinks::probeUrl() {
    std::lock_guard lock(probeMutex);
    return probe;
}

void WebLinks::setProbeUrl(const std::string& url) {
    std::lock_guard lock(probeMutex);
    probe = url;
}

void WebLinks::resetProbeUrl() {
    setProbeUrl(kDefaultProbeUrl);
}

WebLinks::FailureAlert WebLinks::failureAlert(Link link, const std::string& url,
                                              const TextSource& texts) {
    FailureAlert alert;
    alert.okTitle = texts.common("ID_OK");
    alert.informative = texts.common("ID_TRY_LATER");
    if (link == Link::Help) {
        alert.message = texts.token("GRP_MAIN_MENU", "ID_APP_HELP_ERROR");
    } else {
        alert.message =
            qengine::text::fillPlaceholders(texts.token("GRP_MAIN_MENU", "ID_APP_OPEN_URL"), {url});
    }
    return alert;
}

} // namespace qshell
