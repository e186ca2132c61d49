#pragma once
// A short ambient touch of the table: one model shown for two seconds after a stroke, swinging back and forth
// about a random, nearly downward axis. The table restarts it and advances it every frame.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <functional>

#include "QuillLib/math/Transform.h"
#include "QuillLib/math/Vec3.h"
#include "client/table/TableModelNode.h"

namespace kestrovan {

class AmbientEffect {
public:
    static constexpr float kDuration = 2.0f;

    // The effect's model, not owned; it is hidden at once. random (0 to 32767) chooses the axis, the runtime's
    // rand when empty.
    explicit AmbientEffect(TableModelNode& model, std::function<int()> random = {});
    AmbientEffect(const AmbientEffect&) = delete;
    AmbientEffect& operator=(const AmbientEffect&) = delete;

    // A new random axis; the model is shown.
    void Restart();
    // Ends the swing at once (the model is hidden).
    void Hide();
    // While shown: advances the swing by dt seconds and places the model; after two seconds it is hidden.
    void Update(float dt);
    bool IsShown() const { return model_.IsVisible(); }

    // The placement the swing is combined with.
    void SetOwnerTransform(const quill::Transform& owner) { owner_ = owner; }
    float Elapsed() const { return elapsed_; }
    const quill::Vec3& Axis() const { return axis_; }

    // The millisecond value of the table's last update that advanced the effect.
    uint32_t lastTime = 0;

private:
    TableModelNode& model_;
    std::function<int()> random_;
    quill::Transform owner_;
    float elapsed_ = 0.0f;
    quill::Vec3 axis_{0.0f, 0.0f, -1.0f};
};

}  // namespace kestrovan
