#pragma once
// Selects one of count positions with two step buttons, a draggable thumb and the mouse wheel; list dialogs
// scroll their rows by the positions it reports: (this, position + 1, 0) at the listener, raised by the
// step buttons, the wheel, a drag or a notifying SetPosition. The wheel also works over a list area next to
// the bar (the second rectangle, in parent coordinates).
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <memory>

#include "client/ui/Widget.h"

namespace kestrovan {

class Button;
class Image;
struct ScrollBarArt;
struct ScrollBarPlace;

class ScrollBar : public Widget {
public:
    static constexpr int32_t kVertical = 1;
    static constexpr int32_t kDecButtonId = 1;
    static constexpr int32_t kIncButtonId = 2;

    ScrollBar();

    // The track is the whole bar until buttons and thumb take their share; the bar has a sprite of its own
    // (a background) only with withSprite.
    using Widget::Create;
    void Create(int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t orientation, int32_t count,
                bool withSprite);
    // The step buttons and the thumb, cut from the bar's texture; each shortens the track by its length.
    void AddDecButton(int32_t srcX, int32_t srcY, int32_t w, int32_t h, int32_t value);
    void AddIncButton(int32_t srcX, int32_t srcY, int32_t w, int32_t h, int32_t value);
    void AddThumb(int32_t srcX, int32_t srcY, int32_t w, int32_t h, int32_t cross);
    // Wears the art: the track as the bar's picture, then the step buttons and the thumb.
    void Dress(const ScrollBarArt& art);
    // Makes a bar at place, adds it to parent as a shown child and dresses it: how a list gets its bar.
    static ScrollBar* AddTo(Widget& parent, const ScrollBarPlace& place, const ScrollBarArt& art);

    // Stores the count; a position beyond it is clamped without notifying.
    void SetRange(int32_t count);
    // Clamps to 0 .. count - 1 and moves the thumb; raises the event when notify is set and it changed.
    void SetPosition(int32_t position, bool notify);
    int32_t GetPosition() const { return position_; }
    int32_t GetCount() const { return count_; }
    int32_t GetTrackLength() const { return trackLength_; }
    bool IsVertical() const { return orientation_ == kVertical; }
    Image* GetThumb() const { return thumb_; }

    // Step buttons move the position by one; their events go no further.
    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    bool OnMouse(uint32_t msg, WParam wParam, LParam lParam) override;
    void SetThumbHover();
    // The thumb follows the mouse along the bar and the position follows the thumb.
    void DragThumbTo(int32_t x, int32_t y);

private:
    // Length along the bar of a part (0 when absent).
    int32_t AlongLength(const Widget* part) const;
    int32_t ThumbStart() const;
    void MoveThumbBy(int32_t delta);
    bool OnMouseInside(uint32_t msg, WParam wParam, int32_t x, int32_t y);
    bool OnMouseOutside(uint32_t msg, WParam wParam, int32_t x, int32_t y);
    // Moves by one wheel step; false when the position is at the end the step points to.
    bool StepByWheel(WParam wParam);
    bool InWheelArea(int32_t x, int32_t y) const;
    void Notify();

    int32_t orientation_ = 0;
    int32_t position_ = 0;
    int32_t thumbOffset_ = 0;
    int32_t trackLength_ = 0;
    int32_t count_ = 1;
    bool drawsItself_ = false;
    Button* decButton_ = nullptr;
    Button* incButton_ = nullptr;
    Image* thumb_ = nullptr;
};

// Where a new bar stands and what it selects: the arguments of ScrollBar::Create.
struct ScrollBarPlace {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;
    int32_t id = -1;
    int32_t orientation = ScrollBar::kVertical;
    int32_t count = 1;
    bool withSprite = true;
};

// A bar's pictures on its texture, in this order: the track (the bar's own picture, drawn at its size), the
// decrease and increase buttons and the thumb.
struct ScrollBarArt {
    struct Cut {
        int32_t x = 0;
        int32_t y = 0;
        int32_t w = 0;
        int32_t h = 0;
    };
    int32_t texture = 0;
    Cut track = {};
    Cut dec = {};
    Cut inc = {};
    Cut thumb = {};  // no thumb when its width is 0
    int32_t thumbCross = 0;
};

}  // namespace kestrovan
