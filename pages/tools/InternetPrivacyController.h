#pragma once

#include "pages/care/ModuleViewController.h"

#include <memory>
#include <vector>

namespace Ui {
class InternetPrivacyInterface;
}

namespace qpages {

class FullDiskAccessGuide;
class RunningAppsSheet;

// The Internet Privacy page: the browsers' traces as a tree of browsers and kinds. Before a
// scan it warns when a browser runs; before a clean it lists the ticked browsers that run and
// lets the user retry, go on or give up; where the protected browser folder cannot be read it
// opens the access guide. Nothing in the page quits a browser.
class InternetPrivacyController : public ModuleViewController {
    Q_OBJECT
public:
    explicit InternetPrivacyController(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~InternetPrivacyController() override;

    FullDiskAccessGuide& guide();
    RunningAppsSheet& runningAppsSheet();

    // Ticked Safari items with a positive total size.
    bool checkSafariCount() const;
    // The message of the alert shown before a scan while a browser runs.
    static QString runningBrowsersMessage();

protected:
    void loadInterface() override;
    void viewDidLoad() override;
    void scanButtonClicked() override;
    void rescanButtonClicked() override;
    void activityHandled(bool isStart, bool isScan) override;
    void resultsSettled() override;

private:
    // Tests every browser (no short cut); true when one runs.
    bool anyBrowserRunning();
    // The alert before a scan; true for Continue.
    bool askToScanWhileBrowsersRun();
    // Everything asked before a clean: the access gate, the confirmation and the browsers.
    bool confirmClean();
    // The ticked browser groups, as the sheet checks them.
    std::vector<std::pair<std::string, std::string>> tickedBrowsers() const;
    void collapseGroups();
    void handleScanEnd();
    void delayRescanBtnShow(int generation);
    void closeFDWindow();
    bool accessMissing() const;

    std::unique_ptr<Ui::InternetPrivacyInterface> ui_;
    FullDiskAccessGuide* guide_ = nullptr;
    RunningAppsSheet* sheet_ = nullptr;
    // Numbers scans, so a settle scheduled by an earlier scan's end does nothing later.
    int scanGeneration_ = 0;
};

} // namespace qpages
