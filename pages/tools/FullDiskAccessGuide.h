#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace Ui {
class FullDiskAccessGuideInterface;
}
namespace qengine {
class DataFiller;
}

namespace qpages {

// The four-step window that walks the user through granting the application access to the
// protected browser folder. The Internet Privacy and Misc Cleaning pages each keep one; they
// differ in the logo shown when the guide starts and in whether its closing is followed.
//
// Steps build up one under another: Next moves 1 to 2 and 2 to 3; at 3 it moves to 4 only
// when the access test passes, else it shows the error and stays. Next at 4, Cancel (steps 2
// and 3) and the window's own close control close it. It is not modal.
class FullDiskAccessGuide : public QObject {
    Q_OBJECT
public:
    enum class Variant { InternetPrivacy, MiscCleaning };

    FullDiskAccessGuide(qengine::DataFiller& engine, Variant variant, QWidget* page);
    ~FullDiskAccessGuide() override;

    // Sets every text (and the version-dependent ones) from the language table.
    void localizeFDALables();
    // Opens the guide at step 1, or brings it forward where it is when already open.
    void showFullDiskAccessNag();
    void setStepIntial();
    void stepNextClick();
    void stepCancelClick();
    // Opens the desktop's settings; false when none could be started.
    bool openPrivPrefClick();

    bool checkFulldiskAccess() const;
    bool is1014OSX() const;

    // Places `guide` centred over `page`, 22 points below the exact centre, and shows it.
    static void setWindow(QWidget* guide, const QWidget* page);

    int currentStep() const { return currentStep_; }
    bool isVisible() const;
    // The guide window (made on first use).
    QWidget* window();
    // The controls, for the pages' tests and screenshots.
    Ui::FullDiskAccessGuideInterface& ui();

    // Replaces what the settings button starts (tests); answers whether something started.
    void setSettingsOpener(std::function<bool()> opener) { settingsOpener_ = std::move(opener); }

signals:
    // The guide window was closed, by any of its controls.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makeWindow();
    QString text(const std::string& key) const;
    void setStepPicture(int step);
    void setImage(QWidget* view, const QString& name);
    void showBox(int step, bool shown);

    qengine::DataFiller& engine_;
    Variant variant_;
    QPointer<QWidget> page_;
    QPointer<QWidget> winFDTutorial_;
    std::unique_ptr<Ui::FullDiskAccessGuideInterface> ui_;
    std::function<bool()> settingsOpener_;
    int currentStep_ = 1;
    const std::string strGroupFD_ = "GRP_FD_ACCESS";
};

} // namespace qpages
