// The main window in both title-bar variants as the shell sets it up at launch, the window
// buttons in each state, the self-drawn bar on its own, and a sheet over the window.
#include "ShotRegistry.h"

#include "platform/ui/Autoresizing.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/ImageCache.h"
#include "toolkit/BlackView.h"
#include "toolkit/CustomSheetWindow.h"
#include "toolkit/GradientBox.h"
#include "toolkit/KLAppStoreWindow.h"
#include "toolkit/KLWindowButton.h"
#include "toolkit/WAYAppStoreWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <array>
#include <memory>

namespace {

using qtk::KLWindowButton;
using qtk::WAYAppStoreWindow;

constexpr unsigned kWidthAndTop = static_cast<unsigned>(qui::Resizing::FlexibleWidth) |
                                  static_cast<unsigned>(qui::Resizing::FlexibleBottomMargin);

void savePixmap(const QPixmap& pixmap, const QString& outDir, const QString& name) {
    pixmap.save(outDir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void activate(QWidget& window) {
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();
}

struct ButtonSetup {
    const char* prefix;
    double x;
    void (qui::FramelessMainWindow::*action)();
};

constexpr std::array<ButtonSetup, 3> kButtons{{
    {"close", 13, &qui::FramelessMainWindow::performClose},
    {"minimize", 33, &qui::FramelessMainWindow::performMiniaturize},
    {"zoom", 53, &qui::FramelessMainWindow::performZoom},
}};

void giveImages(KLWindowButton& button, const QString& prefix) {
    button.setActiveImage(qui::namedImage(prefix + "-active-color.png"));
    button.setActiveNotKeyWindowImage(qui::namedImage(prefix + "-activenokey-color.png"));
    button.setInactiveImage(qui::namedImage(prefix + "-inactive-disabled-color.png"));
    button.setPressedImage(qui::namedImage(prefix + "-pd-color.png"));
    button.setRolloverImage(qui::namedImage(prefix + "-rollover-color.png"));
}

// What the shell does at launch: frame, bar, header, logo and the three window buttons.
std::array<KLWindowButton*, 3> setUpLikeTheShell(WAYAppStoreWindow& window) {
    window.setFrame({120, 120, 833, 560}, true);
    window.setTitleBarHeight(40);
    window.setCenterTrafficLightButtons(false);
    window.setTrafficLightButtonsLeftMargin(8);
    window.setTrafficLightButtonsTopMargin(5);
    QWidget* bar = window.titleBarView();

    auto* header = new qtk::GradientBox(bar);
    header->setGradientImageName("header_bg_left.png", "header_bg_middle.png",
                                 "header_bg_right.png");
    qui::setFrame(header, qui::boundsOf(bar));
    qui::Autoresizing::apply(header, kWidthAndTop);

    auto* logo = new QLabel(bar);
    logo->setPixmap(qui::namedImage("header_logo.png"));
    logo->setScaledContents(true);
    const qui::PointRect bounds = qui::boundsOf(bar);
    qui::setFrame(logo, {bounds.width / 2 - 97, bounds.height / 2 - 20, 194, 40});
    qui::Autoresizing::apply(logo, kWidthAndTop);

    std::array<KLWindowButton*, 3> buttons{};
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        auto* button = KLWindowButton::windowButtonWithSize({14, 14}, {}, bar);
        giveImages(*button, QLatin1String(kButtons[i].prefix));
        qui::setFrame(button, {kButtons[i].x, 14, 14, 14});
        QObject::connect(button, &QAbstractButton::clicked, &window, kButtons[i].action);
        button->show();
        buttons[i] = button;
    }
    window.setCloseButton(buttons[0]);
    if (WAYAppStoreWindow::isYosemiteOrGreater(window.systemVersion())) {
        for (const auto kind : {WAYAppStoreWindow::StandardButton::Close,
                                WAYAppStoreWindow::StandardButton::Miniaturize,
                                WAYAppStoreWindow::StandardButton::Zoom})
            window.standardWindowButton(kind)->hide();
    }

    auto* page = new QLabel(QStringLiteral("content"));
    page->setAlignment(Qt::AlignCenter);
    page->setAutoFillBackground(true);
    page->setPalette(QColor(246, 246, 246));
    window.setContentWidget(page);
    return buttons;
}

std::unique_ptr<WAYAppStoreWindow> mainWindow(const qcore::SystemVersion& profile) {
    WAYAppStoreWindow::resetClassChoiceForTesting();
    auto window = WAYAppStoreWindow::create(profile);
    window->setWindowTitle(QStringLiteral("Quendrix"));
    return window;
}

void mainWindowShots(const QString& outDir) {
    auto modern = mainWindow(qcore::SystemVersion());
    setUpLikeTheShell(*modern);
    activate(*modern);
    savePixmap(modern->grab(), outDir, "window_main");

    auto older = mainWindow(qcore::SystemVersion(10, 9, 5));
    setUpLikeTheShell(*older);
    activate(*older);
    savePixmap(older->grab(), outDir, "window_main_older_system");
    WAYAppStoreWindow::resetClassChoiceForTesting();
}

// The self-drawn bar alone: active and inactive, on 10.9 (noise, highlight) and 10.6.
void titleBarShots(const QString& outDir) {
    const std::array<qcore::SystemVersion, 2> profiles{qcore::SystemVersion(10, 9, 5),
                                                       qcore::SystemVersion(10, 6, 8)};
    QPixmap sheet(420, 4 * 46);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    int row = 0;
    for (const auto& profile : profiles) {
        for (const bool active : {true, false}) {
            qtk::KLAppStoreWindow window(profile);
            window.setWindowTitle(QStringLiteral("Quendrix"));
            window.setShowsTitle(true);
            window.setFrame({100, 100, 420, 120}, false);
            window.setTitleBarHeight(40);
            activate(window);
            QWidget other;
            if (!active) activate(other);
            painter.drawPixmap(0, row++ * 46, window.titleBarView()->grab());
        }
    }
    painter.end();
    savePixmap(sheet, outDir, "window_titlebar_drawn");
}

// Rows close, minimize, zoom; columns active, not key, inactive, pressed, roll-over. Drawn
// four times larger so the 14-point images can be seen.
void windowButtonShots(const QString& outDir) {
    constexpr int kScale = 4;
    constexpr int kCell = 24;
    const QStringList states{"active", "not key", "inactive", "pressed", "roll-over"};
    QPixmap sheet(kCell * 5 * kScale, kCell * 3 * kScale);
    sheet.fill(QColor(214, 214, 214));
    QPainter painter(&sheet);
    for (std::size_t r = 0; r < kButtons.size(); ++r) {
        for (int c = 0; c < states.size(); ++c) {
            QWidget host;
            host.resize(kCell, kCell);
            auto* button = KLWindowButton::windowButtonWithSize(
                {14, 14}, QStringLiteral("shots.%1.%2").arg(r).arg(c), &host);
            button->move(5, 5);
            giveImages(*button, QLatin1String(kButtons[r].prefix));
            activate(host);
            QWidget other;
            switch (c) {
            case 0:
                button->updateImage();
                break;
            case 1:
                activate(other);
                break;
            case 2:
                button->setEnabled(false);
                break;
            case 3:
                button->updateImage();
                button->setDown(true);
                break;
            case 4:
                button->mouseEntered();
                break;
            }
            const QPixmap shot = button->grab();
            painter.drawPixmap(QRect((c * kCell + 5) * kScale,
                                     (static_cast<int>(r) * kCell + 5) * kScale, 14 * kScale,
                                     14 * kScale),
                               shot);
            if (c == 4) button->mouseExited();
        }
    }
    painter.end();
    savePixmap(sheet, outDir, "window_buttons_states");
}

// The home-folder style sheet: a box centred on the dark overlay over the content area.
void sheetShots(const QString& outDir) {
    auto window = mainWindow(qcore::SystemVersion());
    setUpLikeTheShell(*window);
    activate(*window);

    qtk::CustomSheetWindow sheet({0, 0, 10, 10});
    const QSize area = window->contentView()->size();
    sheet.setContentSize(area);
    auto* overlay = new qtk::BlackView(sheet.contentView());
    overlay->setTTag(qtk::BlackView::kOverlayTag);
    overlay->setGeometry(QRect(QPoint(), area));

    auto* box = new QWidget(overlay);
    box->setAutoFillBackground(true);
    box->setPalette(QColor(250, 250, 250));
    box->resize(460, 170);
    box->move((area.width() - box->width()) / 2, (area.height() - box->height()) / 2);
    auto* text = new QLabel(QStringLiteral("Please confirm your home folder to continue."), box);
    text->setFont(qui::systemFont(13));
    text->setGeometry(20, 20, 420, 40);
    auto* path = new QLineEdit(QStringLiteral("/home/user"), box);
    path->setGeometry(20, 70, 420, 26);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), box);
    cancel->setGeometry(250, 120, 90, 30);
    auto* ok = new QPushButton(QStringLiteral("Confirm"), box);
    ok->setGeometry(350, 120, 90, 30);
    sheet.setBackgroundColor(Qt::transparent);
    sheet.beginSheet(window.get());

    QTimer::singleShot(0, [&] {
        savePixmap(window->grab(), outDir, "window_sheet_overlay");
        sheet.endSheet(1000);
    });
    sheet.runModal();
    WAYAppStoreWindow::resetClassChoiceForTesting();
}

void renderWindowShots(const QString& outDir) {
    mainWindowShots(outDir);
    titleBarShots(outDir);
    windowButtonShots(outDir);
    sheetShots(outDir);
}

} // namespace

QUENDRIX_REGISTER_SHOTS(renderWindowShots);
