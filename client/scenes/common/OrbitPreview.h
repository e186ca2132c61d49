#pragma once
// The camera of a live 3D preview widget and the input that moves it: the camera turns slowly by itself on
// the preview's own millisecond clock, a draggable preview also turns it while the left button drags inside
// the rectangle, and the wheel inside the rectangle moves it nearer or farther. The item previews and the cue
// workshop's part previews are built on it; each places the camera for its model and says what a drag does.
//
// Threads: see the table in client/app/Scene.h; the mouse handling and the camera's moves run on the main thread.
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

#include "QuillLib/math/Camera.h"
#include "client/ui/Widget.h"

namespace kestrovan {

class OrbitPreview : public Widget {
public:
    static constexpr float kWheelStep = 20.0f;

    // Moves the camera nearer by step (farther for a negative step), within the preview's limits.
    void Zoom(float step);
    void SetZoomEnabled(bool enabled) { zoom_ = enabled; }
    // The millisecond clock of the automatic turn (the system's when empty); for tests.
    void SetClock(std::function<uint32_t()> clock) { clock_ = std::move(clock); }

    bool IsDragging() const { return dragging_; }
    // The camera while a model is loaded; for tests and owners that place it.
    const quill::Camera* GetCamera() const { return camera_ ? &*camera_ : nullptr; }

    // Left button down inside a draggable preview starts a drag (handled); a move while dragging turns the
    // camera, button up ends the drag, the wheel inside the rectangle zooms (none of these handled).
    bool OnMouse(uint32_t msg, WParam wParam, LParam lParam) override;

    // visit(preview) on every Preview in the tree under root; with shownOnly, only in its shown part.
    template <class Preview, class Visit>
    static void ForEach(Widget& root, bool shownOnly, const Visit& visit) {
        if (shownOnly && !root.IsVisible()) return;
        if (auto* preview = dynamic_cast<Preview*>(&root)) visit(*preview);
        for (Widget* child : root.GetChildren()) ForEach<Preview>(*child, shownOnly, visit);
    }

protected:
    explicit OrbitPreview(bool draggable) : draggable_(draggable) {}

    // What a drag of (dx, dy) pixels since the last mouse position does to the camera.
    virtual void Drag(quill::Camera& camera, int32_t dx, int32_t dy) = 0;
    // The distance the wheel asks for, brought within the preview's own limits.
    virtual float LimitDistance(float distance) const { return distance; }

    uint32_t Now() const;
    // Starts the automatic turn's clock at now.
    void StartTurn() { lastTick_ = Now(); }
    // The milliseconds since the automatic turn last looked, which it now takes.
    uint32_t TakeElapsed();

    std::optional<quill::Camera> camera_;
    std::atomic<bool> dragging_{false};

private:
    std::function<uint32_t()> clock_;
    const bool draggable_;
    bool zoom_ = true;
    uint32_t lastTick_ = 0;
    int32_t lastMouseX_ = 0;
    int32_t lastMouseY_ = 0;
};

}  // namespace kestrovan
