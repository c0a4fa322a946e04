#include "shell/preferences/DBPrefsWindowController.h"

#include "platform/ui/CloseShortcuts.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/ImageCache.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QScreen>
#include <QToolBar>

#include <stdexcept>

namespace qshell {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Toolbar items use the 32-point image of the module when there is one.
QIcon toolbarIcon(const std::string& image) {
    QPixmap pixmap = qui::namedImage(qs(image + "_32"));
    if (pixmap.isNull()) pixmap = qui::namedImage(qs(image));
    return QIcon(pixmap);
}

} // namespace

DBPrefsWindowController::DBPrefsWindowController(PrefsTexts texts, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                              Qt::WindowMinimizeButtonHint),
      texts_(std::move(texts)) {
    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName(qs(PrefsToolbarModel::kToolbarIdentifier));
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar_->setIconSize(QSize(32, 32));
    toolbar_->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, toolbar_);
    setContextMenuPolicy(Qt::PreventContextMenu); // no toolbar customisation

    contentSubview_ = new QWidget(this);
    contentSubview_->setObjectName(QStringLiteral("contentSubview"));
    setCentralWidget(contentSubview_);
    stash_ = new QWidget(this);
    stash_->hide();
    const int side = static_cast<int>(PrefsToolbarModel::kInitialContentSize);
    resize(side, side + toolbarHeight());
    qui::CloseShortcuts::install(*this);
}

DBPrefsWindowController::~DBPrefsWindowController() = default;

void DBPrefsWindowController::addView(QWidget* view, const std::string& moduleKey) {
    addView(view, moduleKey, texts_.getModuleName(moduleKey, true), moduleKey);
}

void DBPrefsWindowController::addView(QWidget* view, const std::string& identifier,
                                      const std::string& label, const std::string& image) {
    if (!view) throw std::invalid_argument("Attempted to add a nil view when calling addView().");
    model_.addView(identifier, label, image);
    toolbarViews_[identifier] = view;
    if (view != current_) {
        view->hide();
        view->setParent(stash_);
    }
}

void DBPrefsWindowController::showWindow() {
    model_.clear();
    toolbarViews_.clear();
    setupToolbar();
    rebuildToolbar();
    displayView(model_.beginShowing());

    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
}

void DBPrefsWindowController::rebuildToolbar() {
    toolbar_->clear();
    // The group owns its items, so the previous set goes with it.
    if (toolbarItems_) toolbarItems_->deleteLater();
    // The window keeps exactly one item checked itself (checkToolbarItem), so the group only
    // owns the items.
    toolbarItems_ = new QActionGroup(this);
    toolbarItems_->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (const PrefsToolbarModel::Item& item : model_.items()) {
        auto* action = new QAction(toolbarIcon(item.image), qs(item.label), toolbarItems_);
        action->setObjectName(qs(item.identifier));
        action->setCheckable(true);
        toolbar_->addAction(action);
        const std::string identifier = item.identifier;
        const auto follow = [this, identifier](bool checked) {
            toolbarItemToggled(identifier, checked);
        };
        connect(action, &QAction::toggled, this, follow);
        // An assistive tool toggles the item's button, which does not pass it on to the action.
        if (auto* button = qobject_cast<QAbstractButton*>(toolbar_->widgetForAction(action)))
            connect(button, &QAbstractButton::toggled, this, follow);
    }
}

void DBPrefsWindowController::toolbarItemToggled(const std::string& identifier, bool checked) {
    if (checkingItems_) return;
    // A checked item shows its pane; the shown pane's item cannot be cleared.
    if (checked)
        toggleActivePreferenceView(identifier);
    else if (model_.current())
        checkToolbarItem(*model_.current());
}

void DBPrefsWindowController::toggleActivePreferenceView(const std::string& identifier) {
    if (const auto item = model_.displayViewForIdentifier(identifier)) displayView(*item);
    if (model_.current()) checkToolbarItem(*model_.current());
}

void DBPrefsWindowController::displayView(const PrefsToolbarModel::Item& item) {
    const auto found = toolbarViews_.find(item.identifier);
    QWidget* const view = found == toolbarViews_.end() ? nullptr : found->second.data();
    if (!view) return;
    if (view != current_) {
        if (current_) {
            current_->hide();
            current_->setParent(stash_);
        }
        resizeToView(view);
        view->setParent(contentSubview_);
        const double y = PrefsToolbarModel::paneOriginY(contentSubview_->height(), view->height());
        qui::setFrame(
            view, {0, y, static_cast<double>(view->width()), static_cast<double>(view->height())});
        view->show();
        view->setFocus();
        current_ = view;
    }
    setWindowTitle(qs(model_.windowTitle()));
    checkToolbarItem(item.identifier);
}

int DBPrefsWindowController::toolbarHeight() const {
    return toolbar_->isVisible() ? toolbar_->height() : toolbar_->sizeHint().height();
}

void DBPrefsWindowController::resizeToView(const QWidget* view) {
    const qui::PointRect now = qui::frameOf(this);
    const PrefsFrame frame = PrefsToolbarModel::frameForView({now.x, now.y, now.width, now.height},
                                                             now.height - toolbarHeight(),
                                                             view->width(), view->height());
    // The window is not resizable by the user: each pane fixes its size.
    setFixedSize(static_cast<int>(frame.width), static_cast<int>(frame.height));
    qui::setFrame(this, {frame.x, frame.y, frame.width, frame.height});
    contentSubview_->resize(view->size());
}

void DBPrefsWindowController::checkToolbarItem(const std::string& identifier) {
    const QScopedValueRollback quiet(checkingItems_, true);
    for (QAction* action : toolbar_->actions()) {
        const bool shown = action->objectName() == qs(identifier);
        action->setChecked(shown);
        if (auto* button = qobject_cast<QAbstractButton*>(toolbar_->widgetForAction(action)))
            button->setChecked(shown);
    }
}

} // namespace qshell
