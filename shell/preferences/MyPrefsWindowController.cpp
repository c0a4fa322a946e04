#include "shell/preferences/MyPrefsWindowController.h"

#include "shell/delegate/PellorAppDelegate.h"
#include "shell/preferences/MyPrefsPanes.h"
#include "shell/preferences/PreferenceController.h"

#include <QCoreApplication>

namespace qshell {

namespace {

std::unique_ptr<MyPrefsWindowController>& sharedInstance() {
    static std::unique_ptr<MyPrefsWindowController> instance;
    return instance;
}

std::string homeFolder() {
    if (const PellorAppDelegate* delegate = PellorAppDelegate::shared();
        delegate && !delegate->strHomeDirectory().isEmpty())
        return delegate->strHomeDirectory().toStdString();
    return RealHomeDirectory().toStdString();
}

} // namespace

MyPrefsWindowController::MyPrefsWindowController(PrefsTexts texts, Environment environment,
                                                 QWidget* parent)
    : DBPrefsWindowController(std::move(texts), parent) {
    setObjectName(QString::fromStdString(MyPrefsPanes::kNibName));
    model_ =
        std::make_unique<PreferenceModel>(*environment.defaults, environment.home, this->texts(),
                                          *environment.center, std::move(environment.isDirectory));
    controller_ =
        new PreferenceController(*model_, *environment.defaults, environment.formatListDict, this);
}

MyPrefsWindowController::~MyPrefsWindowController() = default;

MyPrefsWindowController& MyPrefsWindowController::sharedPrefsWindowController() {
    std::unique_ptr<MyPrefsWindowController>& instance = sharedInstance();
    if (!instance) {
        const qcore::Bundle& bundle = qcore::Bundle::main();
        Environment environment;
        environment.home = homeFolder();
        environment.formatListDict = formatListFor(bundle);
        instance =
            std::make_unique<MyPrefsWindowController>(PrefsTexts(bundle), std::move(environment));
        // Widgets must go before the application object does.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp,
                         &MyPrefsWindowController::releaseSharedPrefsWindowController);
    }
    return *instance;
}

void MyPrefsWindowController::releaseSharedPrefsWindowController() {
    sharedInstance().reset();
}

qcore::Dictionary MyPrefsWindowController::formatListFor(const qcore::Bundle& bundle) {
    const auto path = bundle.pathForResource("SettingsList", "plist");
    if (!path) return {};
    const auto table = qcore::Value::fromPlistFile(*path);
    if (!table || !table->dictionary()) return {};
    const auto language = table->dictionary()->find("EN");
    if (language == table->dictionary()->end() || !language->second.dictionary()) return {};
    return *language->second.dictionary();
}

void MyPrefsWindowController::setupToolbar() {
    PrefsToolbarModel panes;
    MyPrefsPanes::setupToolbar(panes, texts());
    for (const MyPrefsPanes::Pane& pane : MyPrefsPanes::panes()) {
        const PrefsToolbarModel::Item* item = panes.item(pane.moduleKey);
        if (item)
            addView(controller_->paneView(pane.viewName), item->identifier, item->label,
                    item->image);
    }
}

} // namespace qshell
