#pragma once
// A walk over a render tree (Node::Accept): Enter is called on a node before its children and decides whether
// to descend into them, Leave after them. A false from either ends the whole walk. The base visitor descends
// everywhere and does nothing.
//
// Threads: the thread that drives the scenes.

namespace quill {

class Node;

class NodeVisitor {
public:
    virtual ~NodeVisitor() = default;
    virtual bool Enter(Node& /*node*/, bool& descend) {
        descend = true;
        return true;
    }
    virtual bool Leave(Node& /*node*/) { return true; }
};

}  // namespace quill
