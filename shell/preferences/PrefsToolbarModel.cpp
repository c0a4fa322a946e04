#include "shell/preferences/PrefsToolbarModel.h"

#include <algorithm>
#include <stdexcept>

namespace qshell {

void PrefsToolbarModel::addView(const std::string& moduleKey, const PrefsTexts& texts) {
    addView(moduleKey, texts.getModuleName(moduleKey, true), moduleKey);
}

void PrefsToolbarModel::addView(const std::string& identifier, const std::string& label,
                                const std::string& image) {
    if (identifier.empty())
        throw std::invalid_argument("Attempted to add a pane without an identifier.");
    identifiers_.push_back(identifier);
    items_.push_back({identifier, label, image});
}

void PrefsToolbarModel::clear() {
    items_.clear();
    identifiers_.clear();
    current_.reset();
}

const PrefsToolbarModel::Item& PrefsToolbarModel::beginShowing() {
    if (items_.empty())
        throw std::logic_error("No items were added to the toolbar in setupToolbar().");
    current_.reset();
    displayViewForIdentifier(items_.front().identifier);
    return items_.front();
}

std::optional<PrefsToolbarModel::Item>
PrefsToolbarModel::displayViewForIdentifier(const std::string& identifier) {
    const Item* next = item(identifier);
    if (!next || current_ == identifier) return std::nullopt;
    current_ = identifier;
    return *next;
}

std::string PrefsToolbarModel::windowTitle() const {
    const Item* shown = current_ ? item(*current_) : nullptr;
    return shown ? shown->label : std::string();
}

const PrefsToolbarModel::Item* PrefsToolbarModel::item(const std::string& identifier) const {
    // A key added twice keeps its last pane, as a keyed table would.
    const auto it = std::find_if(items_.rbegin(), items_.rend(),
                                 [&](const Item& i) { return i.identifier == identifier; });
    return it == items_.rend() ? nullptr : &*it;
}

PrefsFrame PrefsToolbarModel::frameForView(const PrefsFrame& windowFrame, double contentHeight,
                                           double paneWidth, double paneHeight) {
    const double chrome = windowFrame.height - contentHeight;
    PrefsFrame frame = windowFrame;
    frame.width = paneWidth;
    frame.height = paneHeight + chrome;
    frame.y = windowFrame.y + windowFrame.height - frame.height;
    return frame;
}

double PrefsToolbarModel::paneOriginY(double holderHeight, double paneHeight) {
    return holderHeight - paneHeight;
}

} // namespace qshell
