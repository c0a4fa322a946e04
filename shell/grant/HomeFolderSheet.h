#pragma once

#include "shell/common/TextSource.h"
#include "shell/grant/HomeGrantPresenter.h"
#include "shell/views/ShellDialogs.h"

#include <QObject>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace qtk {
class CustomSheetWindow;
}

namespace qshell {

class SheetRunner;

// The home-folder grant's face: the confirmation sheet over the main window, the folder panel,
// the mismatch alert and quitting. Confirm and Cancel go to the actions set by the grant's
// owner.
class HomeFolderSheet : public QObject, public HomeGrantPresenter {
    Q_OBJECT
public:
    HomeFolderSheet(QWidget& mainWindow, const SheetRunner& runner, TextSource texts,
                    const QString& appName, ShellDialogs dialogs, QObject* parent = nullptr);
    ~HomeFolderSheet() override;

    void setActions(std::function<void()> confirm, std::function<void()> cancel);

    void showSheet(const std::string& homePath) override;
    void closeSheet() override;
    void beginFolderPanel(const std::string& startFolder, PanelCompletion completion) override;
    void showMismatchAlert(const std::string& message, const std::string& informative) override;
    void quit() override;

    void showHideProgressbar(bool show);

    qtk::CustomSheetWindow* sheet() const { return sheet_; }
    QWidget* box() const { return box_; }
    QLabel* homeFolderPathLabel() const { return pathLabel_; }
    QPushButton* confirmButton() const { return confirm_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void buildBox(const QString& appName);

    QWidget& mainWindow_;
    const SheetRunner& runner_;
    TextSource texts_;
    ShellDialogs dialogs_;
    std::function<void()> onConfirm_;
    std::function<void()> onCancel_;
    qtk::CustomSheetWindow* sheet_ = nullptr;
    QWidget* box_ = nullptr;
    QLabel* pathLabel_ = nullptr;
    QProgressBar* pgBar_ = nullptr;
    QPushButton* confirm_ = nullptr;
    QPushButton* cancel_ = nullptr;
    // The sheet's heading, also the title of the folder panel it leads to.
    QString heading_;
};

} // namespace qshell
