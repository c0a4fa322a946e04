#pragma once

#include "toolkit/WindowDelegate.h"

#include <vector>

namespace qtk {

// The callbacks a delegate proxy is forwarding right now, innermost last. Entries compare by
// identity; nothing is owned.
class WAYSelectorStack {
public:
    using Selector = WindowDelegate::Callback;

    bool containsSelector(Selector selector) const;
    void pushSelector(Selector selector) { entries_.push_back(selector); }
    // Removes and returns the innermost entry; the stack must not be empty.
    Selector pop();
    bool isEmpty() const { return entries_.empty(); }
    std::size_t count() const { return entries_.size(); }

private:
    std::vector<Selector> entries_;
};

} // namespace qtk
