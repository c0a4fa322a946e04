#pragma once

#include "shell/common/TextSource.h"
#include "shell/views/SystemStatusHeader.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QPropertyAnimation;

namespace Ui {
class MainMenuInterface;
}
namespace qtk {
class IMGButton;
}

namespace qshell {

// The System Status header's widgets: the machine line, the junk label, the scan and clean
// buttons copied from the header's faces, and the lock button that slides as the removal
// object comes and goes. Main thread only.
class StatusHeaderView : public QObject {
    Q_OBJECT
public:
    struct Actions {
        // The clean button pressed while idle: the One Click page, where the clean starts.
        std::function<void()> showOneClickPage;
    };

    StatusHeaderView(Ui::MainMenuInterface& ui, SystemStatusHeader& header, TextSource texts,
                     Actions actions, QObject* parent = nullptr);

    // The buttons' first titles and fonts, the machine line and the junk label's look.
    void setStatusFonts();
    void setMachineName(const QString& text);

    // Copies the header's faces and junk label onto the widgets.
    void refresh();
    // "AnimateLockNotification": slides the lock button and shows its new image.
    void animateLock(int shift);
    // Fades the header in (System Status shown) or out (a module page shown).
    void fade(bool visible);
    bool isFadedIn() const { return fadedIn_; }

    void scanButtonClicked();
    void removeButtonClicked();
    void lockButtonClicked();

private:
    // The lock's image and spoken name for its state.
    void showLock(bool locked);
    void applyFace(qtk::IMGButton* button, const HeaderButtons::Face& face);
    // A click flips the button's state after its action has run, so the faces that the action
    // decided are put back once it has.
    void refreshAfterClick();

    Ui::MainMenuInterface& ui_;
    SystemStatusHeader& header_;
    TextSource texts_;
    Actions actions_;
    QPointer<QPropertyAnimation> lockAnimation_;
    QPointer<QPropertyAnimation> fadeAnimation_;
    bool fadedIn_ = true;
};

} // namespace qshell
