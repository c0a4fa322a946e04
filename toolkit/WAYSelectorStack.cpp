#include "toolkit/WAYSelectorStack.h"

#include <algorithm>
#include <cassert>

namespace qtk {

bool WAYSelectorStack::containsSelector(Selector selector) const {
    return std::find(entries_.begin(), entries_.end(), selector) != entries_.end();
}

WAYSelectorStack::Selector WAYSelectorStack::pop() {
    assert(!entries_.empty());
    const Selector last = entries_.back();
    entries_.pop_back();
    return last;
}

} // namespace qtk
