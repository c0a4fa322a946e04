#include "engine/DupOVNode.h"

namespace qengine {

OutlineViewNode::Ptr DupOVNode::clone() const {
    auto copy = std::shared_ptr<DupOVNode>(new DupOVNode(*this));
    copy->deepCopyChildren();
    return copy;
}

} // namespace qengine
