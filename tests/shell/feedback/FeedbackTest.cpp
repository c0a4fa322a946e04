#include "tests/shell/support/FakeTexts.h"
#include "tests/shell/support/ScratchFolder.h"

#include "shell/feedback/FeedbackForm.h"
#include "shell/feedback/FeedbackReport.h"
#include "shell/feedback/FeedbackSheet.h"
#include "shell/feedback/NetworkProbe.h"
#include "shell/feedback/WebLinks.h"

#include "platform/core/FileManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using qshell::FeedbackForm;
using qshell::FeedbackSheet;
using qshell::NetworkProbe;
using qshell::WebLinks;

namespace {

// A loopback HTTP server that answers every request with `reply` until it is destroyed.
class LoopbackServer {
public:
    explicit LoopbackServer(std::string reply) : reply_(std::move(reply)) {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(fd_, 8);
        socklen_t length = sizeof address;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::jthread([this] { serve(); });
    }
    ~LoopbackServer() {
        ::shutdown(fd_, SHUT_RDWR);
        ::close(fd_);
    }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/probe"; }
    int requests() const { return requests_.load(); }
    const std::string& lastRequest() const { return lastRequest_; }

private:
    void serve() {
        for (;;) {
            const int client = ::accept(fd_, nullptr, nullptr);
            if (client < 0) return;
            char buffer[1024];
            const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
            if (n > 0) lastRequest_.assign(buffer, static_cast<std::size_t>(n));
            ++requests_;
            if (!reply_.empty()) ::send(client, reply_.data(), reply_.size(), MSG_NOSIGNAL);
            ::close(client);
        }
    }

    std::string reply_;
    int fd_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<int> requests_{0};
    std::string lastRequest_;
    std::jthread thread_;
};

// A loopback port nothing listens on.
std::string closedPortUrl() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/";
}

} // namespace

TEST(FeedbackEmail, PatternIsTheFullExpression) {
    const std::string& pattern = FeedbackForm::emailPattern();
    EXPECT_EQ(pattern.size(), 430u);
    EXPECT_EQ(std::count(pattern.begin(), pattern.end(), '"'), 2);
    EXPECT_EQ(std::count(pattern.begin(), pattern.end(), '`'), 2);
}

TEST(FeedbackEmail, AcceptedAndRejectedAddresses) {
    for (const char* good :
         {"ana@example.org", "a.b-c+tag@mail.example.co.uk", "x@[192.168.0.1]",
          "o'neil@example.com", "\"odd.person!\"@example.com", "a`b@example.com"})
        EXPECT_TRUE(FeedbackForm::validateEmail(good)) << good;
    for (const char* bad : {"ana@localhost", "ana@example.", "an..a@example.com", "Ana@example.com",
                            "@example.com", "ana@", "ana example.com", "ana@example.com ",
                            "ana@[300.1.1.1]", "\"odd person\"@example.com"})
        EXPECT_FALSE(FeedbackForm::validateEmail(bad)) << bad;
}

TEST(FeedbackChecks, FieldsAreCleanedBeforeTheyAreChecked) {
    auto check = FeedbackForm::check("  Ana@Example.ORG \n", false, "  \n\t ");
    EXPECT_EQ(check.email, "ana@example.org");
    EXPECT_FALSE(check.emailError);
    EXPECT_EQ(check.message, "");
    EXPECT_TRUE(check.messageError);
    EXPECT_TRUE(check.anyError());

    // Only the type is wrong.
    check = FeedbackForm::check("ana@example.org", true, " It works. ");
    EXPECT_EQ(check.message, "It works.");
    EXPECT_TRUE(check.typeError);
    EXPECT_FALSE(check.emailError || check.messageError);
}

TEST(FeedbackProbe, ParsesOnlyPlainHttpAddresses) {
    const auto address = NetworkProbe::parseUrl("http://127.0.0.1:8080/a/b");
    ASSERT_TRUE(address);
    EXPECT_EQ(address->host, "127.0.0.1");
    EXPECT_EQ(address->port, 8080);
    EXPECT_EQ(address->path, "/a/b");
    EXPECT_EQ(NetworkProbe::parseUrl("http://example.com")->path, "/");
    EXPECT_EQ(NetworkProbe::parseUrl("http://example.com")->port, 80);
    EXPECT_FALSE(NetworkProbe::parseUrl("https://example.com/"));
    EXPECT_FALSE(NetworkProbe::parseUrl("http://:80/"));
    EXPECT_FALSE(NetworkProbe::parseUrl("http://host:99999/"));
}

TEST(FeedbackProbe, AnsweringServerIsReachable) {
    LoopbackServer server("HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok");
    EXPECT_TRUE(NetworkProbe(server.url(), std::chrono::seconds(2)).isInternetConnected());
    EXPECT_EQ(server.requests(), 1);
    EXPECT_EQ(server.lastRequest().rfind("GET /probe HTTP/1.0\r\n", 0), 0u);
    EXPECT_NE(server.lastRequest().find("Cache-Control: no-cache"), std::string::npos);
}

TEST(FeedbackProbe, SilentOrClosedServerFailsAfterThreeTries) {
    LoopbackServer silent("");
    EXPECT_FALSE(NetworkProbe(silent.url(), std::chrono::milliseconds(300)).isInternetConnected());
    EXPECT_EQ(silent.requests(), 3);
    EXPECT_FALSE(
        NetworkProbe(closedPortUrl(), std::chrono::milliseconds(300)).isInternetConnected());
}

TEST(FeedbackProbe, AddressComesFromOnePlace) {
    LoopbackServer server("HTTP/1.0 204 No Content\r\n\r\n");
    WebLinks::setProbeUrl(server.url());
    EXPECT_TRUE(NetworkProbe(WebLinks::probeUrl(), std::chrono::seconds(2)).tryOnce());
    WebLinks::resetProbeUrl();
    EXPECT_EQ(WebLinks::probeUrl().rfind("http://", 0), 0u);
}

TEST(FeedbackSheet, SubmitFlowSavesTheReportBesideTheLog) {
    ScratchFolder scratch;
    const std::string logs = scratch.folder("Library/Logs");
    const std::string logPath = logs + "/Quendrix.log";
    bool networkUp = false;
    FeedbackSheet sheet(logs, logPath, [&] { return networkUp; });
    const FeedbackSheet::Fields fields{" Ana@Example.org ", "General feedback", false,
                                       "Nice tool.\n", true};

    sheet.open();
    EXPECT_EQ(sheet.submit(fields).result, FeedbackSheet::Result::NoNetwork);

    networkUp = true;
    auto wrongType = fields;
    wrongType.typeIsPlaceholder = true;
    const auto invalid = sheet.submit(wrongType);
    EXPECT_EQ(invalid.result, FeedbackSheet::Result::InvalidFields);
    EXPECT_TRUE(invalid.check.typeError);

    const auto saved = sheet.submit(fields);
    ASSERT_EQ(saved.result, FeedbackSheet::Result::Saved);
    EXPECT_EQ(qcore::FileManager::deletingLastPathComponent(saved.reportPath), logs);
    const auto text = qcore::FileManager::readFile(saved.reportPath);
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("E-mail: ana@example.org\n"), std::string::npos);
    EXPECT_NE(text->find("Type: General feedback\n"), std::string::npos);
    EXPECT_NE(text->find("Log file: " + logPath), std::string::npos);
    EXPECT_NE(text->find("\nNice tool.\n"), std::string::npos);

    qshell::TextSource texts = fakeTexts();
    texts.token = [](const std::string& group, const std::string& key) {
        return group + ":" + key + " %@";
    };
    const auto thanks = sheet.acknowledgement(texts);
    ASSERT_TRUE(thanks);
    EXPECT_EQ(*thanks, "GRP_NAG_FEEDBACK:ID_FB_SAVED " + saved.reportPath);

    // A second report in the same second gets a name of its own.
    const auto again = sheet.submit(fields, qcore::Date{1.0e9});
    const auto third = sheet.submit(fields, qcore::Date{1.0e9});
    EXPECT_NE(again.reportPath, third.reportPath);
}

TEST(FeedbackSheet, CancelThanksNobodyAndUnwritableFolderFails) {
    ScratchFolder scratch;
    FeedbackSheet sheet(scratch.file("not-a-folder", "x") + "/logs", "", [] { return true; });
    sheet.open();
    const FeedbackSheet::Fields fields{"ana@example.org", "Problem", false, "Broken", false};
    EXPECT_EQ(sheet.submit(fields).result, FeedbackSheet::Result::SaveFailed);
    EXPECT_FALSE(sheet.acknowledgement(fakeTexts()));
    sheet.cancel();
    EXPECT_TRUE(sheet.cancelled());
    EXPECT_FALSE(sheet.acknowledgement(fakeTexts()));
    sheet.open();
    EXPECT_FALSE(sheet.cancelled());
}

TEST(FeedbackWebLinks, AddressesAndFailureAlerts) {
    EXPECT_NE(WebLinks::supportUrl().find("/zebkin.php"), std::string::npos);
    EXPECT_EQ(WebLinks::websiteUrl().rfind("http", 0), 0u);

    const auto help = WebLinks::failureAlert(WebLinks::Link::Help, "", fakeTexts());
    EXPECT_EQ(help.message, "[GRP_MAIN_MENU:ID_APP_HELP_ERROR]");
    EXPECT_EQ(help.informative, "[GRP_CMN:ID_TRY_LATER]");
    EXPECT_EQ(help.okTitle, "[GRP_CMN:ID_OK]");

    qshell::TextSource texts = fakeTexts();
    texts.token = [](const std::string&, const std::string& key) {
        return key == "ID_APP_OPEN_URL" ? std::string("Could not open %@.") : key;
    };
    EXPECT_EQ(WebLinks::failureAlert(WebLinks::Link::Website, "http://x.example/", texts).message,
              "Could not open http://x.example/.");
}
