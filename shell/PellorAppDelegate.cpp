#include "shell/PellorAppDelegate.h"

namespace qshell {

namespace {
PellorAppDelegate* sharedDelegate = nullptr;
}

PellorAppDelegate::PellorAppDelegate(QObject* parent) : QObject(parent) {
    sharedDelegate = this;
}

PellorAppDelegate::~PellorAppDelegate() {
    if (sharedDelegate == this) sharedDelegate = nullptr;
}

PellorAppDelegate* PellorAppDelegate::shared() { return sharedDelegate; }

} // namespace qshell
