#pragma once
// A model the table shows, hides and places in the 3D scene: a ball, the markers, the cue, the ambient effect.
// The render tree's model objects implement it once they are wired (removing themselves from the static batches
// when destroyed); tests record the calls.
//
// Threads: shown and placed from the game thread and the main thread under the table's locks.
#include "QuillLib/math/Transform.h"

namespace kestrovan {

class TableModelNode {
public:
    virtual ~TableModelNode() = default;
    // Shows or hides the model and its children.
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
    // Places the model (its world transform).
    virtual void SetTransform(const quill::Transform& transform) = 0;
};

}  // namespace kestrovan
