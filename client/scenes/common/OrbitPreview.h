#pragma once
// The camera of a live 3D preview widget and the input that moves it: the camera turns slowly by itself on
// the preview's own millisecond clock, a draggable preview also turns it while the left button drags from a
// press inside the rectangle, and the wheel inside the rectangle moves it nearer or farther. The item previews
// and the cue workshop's part previews are built on it; each places the camera for its model and says what a
// drag does.
//
// The mouse reaches a preview through the widget routing like any control. A draggable preview takes its
// press, so the window around it does not start its own drag, and stays pressed while the drag lasts, so that
// the routing hands it every mouse message until the release, wherever the pointer goes. A preview that cannot
// be dragged takes no message and leaves every click to what lies under it (the card or slot that owns it).
// The wheel over any preview zooms it and, unless a drag holds the mouse, goes on as not taken: a list's or
// grid's scroll bar, the window around the preview and the screen beneath still see it as before.
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

    // Left button down inside the rectangle of a draggable preview starts a drag; a move while dragging turns
    // the camera, the release ends the drag. The messages of a drag are handled: nothing under the preview (the
    // window's own drag, a table behind) sees them too. The wheel inside the rectangle zooms, and is handled only
    // while a drag holds the mouse (the routing would end the drag of a pressed widget that refused it).
    bool OnMouse(uint32_t msg, WParam wParam, LParam lParam) override;
    // The drag lasts while the widget is pressed: whatever lets go of the press (the routing, hiding, disabling)
    // ends it.
    void SetState(int32_t state) override;

    // visit(preview) on every Preview in the tree under root; with shownOnly, only in its shown part.
    template <class Preview, class Visit>
    static void ForEach(Widget& root, bool shownOnly, const Visit& visit) {
        if (shownOnly && !root.IsVisible()) return;
        if (auto* preview = dynamic_cast<Preview*>(&root)) visit(*preview);
        for (Widget* child : root.GetChildren()) ForEach<Preview>(*child, shownOnly, visit);
    }

protected:
    explicit OrbitPreview(bool draggable);

    // What a drag of (dx, dy) pixels since the last mouse position does to the camera.
    virtual void Drag(quill::Camera& camera, int32_t dx, int32_t dy) = 0;
    // The distance the wheel asks for, brought within the preview's own limits.
    virtual float LimitDistance(float distance) const { return distance; }

    // Ends a drag in progress (a new model is shown).
    void EndDrag();

    uint32_t Now() const;
    // Starts the automatic turn's clock at now.
    void StartTurn() { lastTick_ = Now(); }
    // The milliseconds since the automatic turn last looked, which it now takes.
    uint32_t TakeElapsed();

    std::optional<quill::Camera> camera_;

private:
    void StartDrag(int32_t x, int32_t y);

    std::atomic<bool> dragging_{false};
    std::function<uint32_t()> clock_;
    const bool draggable_;
    bool zoom_ = true;
    uint32_t lastTick_ = 0;
    int32_t lastMouseX_ = 0;
    int32_t lastMouseY_ = 0;
};

}  // namespace kestrovan
