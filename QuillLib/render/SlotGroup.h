#pragma once
// A group with a fixed number of child slots, visited in slot order. A child lives while it holds something:
// a removal through it that reports the child empty deletes it.
//
// Threads: the thread that drives the scenes.
#include <array>
#include <cstddef>
#include <memory>

#include "QuillLib/render/Node.h"
#include "QuillLib/render/NodeGroup.h"

namespace quill {

template <size_t N>
class SlotGroup : public NodeGroup {
public:
    using NodeGroup::NodeGroup;

    bool Accept(NodeVisitor& visitor) override {
        for (auto& child : slots_) {
            if (child && !child->Accept(visitor)) return false;
        }
        return true;
    }
    bool IsEmpty() const override {
        for (const auto& child : slots_) {
            if (child) return false;
        }
        return true;
    }
    void PruneEmpty() override {
        for (auto& child : slots_) {
            if (child && child->IsEmpty()) child.reset();
        }
    }
    Node* Slot(size_t index) const { return slots_[index].get(); }

protected:
    // Calls remove on the child of the slot, deletes the child when it reports itself empty, and answers
    // whether the group is empty.
    template <class Remove>
    bool RemoveThrough(size_t index, Remove remove) {
        if (slots_[index] && remove(*slots_[index])) slots_[index].reset();
        return IsEmpty();
    }

    std::array<std::unique_ptr<Node>, N> slots_;
};

}  // namespace quill
