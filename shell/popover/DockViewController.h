#pragma once

#include "shell/popover/DockViewModel.h"

#include "toolkit/PNLineChart.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QMenu;
class QTimer;

namespace Ui {
class DockViewControllerInterface;
}

namespace qshell {

// The status-bar popover's content: the "DockViewController" interface file showing what
// DockViewModel holds. It keeps no figures of its own; every redraw reads the model's state.
class DockViewController : public QWidget {
    Q_OBJECT
public:
    explicit DockViewController(DockViewModel::Setup setup, QWidget* parent = nullptr);
    ~DockViewController() override;

    // Reads drives, processor speed and memory, then refreshes every 3 s.
    void viewDidLoad();

    DockViewModel& model() { return *model_; }
    const DockViewModel& model() const { return *model_; }
    QTimer* updateTimer() const { return updateTimer_; }
    qtk::PNLineChart* lineChart() const { return lineChart_; }
    QMenu* mainmenu() const { return mainmenu_; }
    Ui::DockViewControllerInterface& ui() { return *ui_; }

    // The palette's answer: a window colour darker than mid-grey.
    static bool paletteIsDark(const QPalette& palette);
    // Whether the popover shows its dark face.
    bool showsDarkScheme() const { return darkScheme_; }
    // Dark mode as the application sees it: the palette first, then the desktop's settings.
    static std::function<bool()> darkModeProbe();

signals:
    // The tray's text (used memory) and whether it reads white on the panel.
    void statusBarChanged(const QString& text, bool white);

protected:
    void changeEvent(QEvent* event) override;

private:
    void wireControls();
    void buildSettingsMenu();
    void loadChartView();
    void setGradientImagesForBoxes();
    std::shared_ptr<qtk::PNLineChartData> makeSeries() const;

    void redraw(DockViewModel::Section section);
    void showMemory();
    void showApplications();
    void showLoad();
    void showDrive();
    void showOneClick();
    void showDuplicates();
    void showButtons();
    void applyLinkColors();
    // The popover takes a dark palette while the desktop runs a dark scheme.
    void applyColorScheme(bool dark);
    static QPalette darkPalette();

    std::unique_ptr<Ui::DockViewControllerInterface> ui_;
    std::unique_ptr<DockViewModel> model_;
    QTimer* updateTimer_ = nullptr;
    QPointer<qtk::PNLineChart> lineChart_;
    QMenu* mainmenu_ = nullptr;
    QString optimizeTitle_;
    bool inPaletteChange_ = false;
    bool darkScheme_ = false;
};

} // namespace qshell
