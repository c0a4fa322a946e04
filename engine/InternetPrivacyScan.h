#pragma once

#include "engine/CountedPaths.h"
#include "engine/PrivacyItemNode.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace qengine {

class DataFiller;

// The Internet Privacy scan: one group row per browser (Safari, Firefox, Google Chrome) with
// one item row per kind of trace found under the real home folder. Progress is reported once
// per browser; a stop request is honoured between browsers.
class InternetPrivacyScan {
public:
    static inline const std::string kSafari = "Safari";
    static inline const std::string kFirefox = "Firefox";
    static inline const std::string kGoogleChrome = "Google Chrome";
    // Relative to the home folder.
    static inline const std::string kChromeProfile =
        "Library/Application Support/Google/Chrome/Default";

    enum ChromeHistoryItem { NotHistory = 0, WholeFile = 1, InTables = 2 };

    explicit InternetPrivacyScan(DataFiller& engine);

    // The whole scan, on the calling worker thread.
    void fillInternetPrivacy();

    // Classifies an entry of the Google Chrome profile folder for the history kind; for
    // InTables the tables to look into are appended to `tableNames`.
    static ChromeHistoryItem checkChromeHistoryItem(const std::string& fileName,
                                                    std::vector<std::string>& tableNames);

private:
    using Item = std::shared_ptr<PrivacyItemNode>;
    using Action = PrivacyItemNode::Action;

    std::uint64_t fillSafariCache(OutlineViewNode& group);
    std::uint64_t fillFirefoxCache(OutlineViewNode& group);
    std::uint64_t fillGoogleChromeCache(OutlineViewNode& group);

    std::uint64_t fillInternetCache_Safari(OutlineViewNode& group);
    std::uint64_t fillInternetHistory_Safari(OutlineViewNode& group);
    std::uint64_t fillCookies_Safari(OutlineViewNode& group);
    std::uint64_t fillDownloadHistory_Safari(OutlineViewNode& group);
    std::uint64_t fillApplicationCache_Safari(OutlineViewNode& group);

    std::uint64_t fillInternetCache_Firefox(OutlineViewNode& group);
    std::uint64_t fillInternetHistory_Firefox(OutlineViewNode& group);
    std::uint64_t fillApplicationCache_Firefox(OutlineViewNode& group);
    std::uint64_t fillSession_Firefox(OutlineViewNode& group);
    // A kind that is one database (or other file) per profile.
    std::uint64_t updateItemInCache(OutlineViewNode& group, const std::string& title,
                                    const std::string& itemName);

    std::uint64_t fillInternetCache_Google(OutlineViewNode& group);
    std::uint64_t fillInternetHistory_Google(OutlineViewNode& group);
    std::uint64_t fillCookies_Google(OutlineViewNode& group);
    std::uint64_t fillApplicationCache_Google(OutlineViewNode& group);
    std::uint64_t fillSession_Google(OutlineViewNode& group);

    // Scans one browser into a group of its own and, when it found something, appends the
    // group and reports it. Then the reload and its pause.
    void scanBrowser(const std::string& name,
                     std::uint64_t (InternetPrivacyScan::*fill)(OutlineViewNode&),
                     double pauseAfterReload);

    Item makeItem(const std::string& title) const;
    // Lists an existing path (looked at without following links) with its size; a path already
    // listed for this browser, or gone, is not listed again.
    bool list(PrivacyItemNode& item, const std::string& path, const std::string& moduleFolder,
              Action action, std::vector<std::string> tables = {});
    // Appends the item to the group when it holds bytes, then the kind's pause.
    std::uint64_t finishKind(OutlineViewNode& group, const Item& item) const;

    std::string home(const std::string& relative) const;
    void listDatabaseOrFile(PrivacyItemNode& item, const std::string& path,
                            const std::string& moduleFolder);

    DataFiller& engine_;
    std::string home_;
    std::vector<std::string> profiles_;
    std::set<std::string> listedForBrowser_;
    // Across every browser, so a path inside another listed path counts once in the totals.
    CountedPaths counted_;
    std::int32_t count_ = 0;
    std::uint64_t size_ = 0;
};

} // namespace qengine
