#pragma once

#include "engine/OutlineViewNode.h"

#include <cstdint>

namespace qengine {

// A group row of the duplicates list: one set of identical copies.
class DupOVNode : public OutlineViewNode {
public:
    DupOVNode() = default;

    OutlineViewNode::Ptr clone() const override;

    // Index among the group's children of the copy kept unticked; -1 when none is chosen.
    std::int32_t indexToRetain() const { return indexToRetain_; }
    void setIndexToRetain(std::int32_t index) { indexToRetain_ = index; }

private:
    DupOVNode(const DupOVNode&) = default;
    std::int32_t indexToRetain_ = -1;
};

} // namespace qengine
