#pragma once
// The push button, check box and radio button of the toolkit, drawn from a strip of frames in one texture
// (frame k is the source rectangle moved down, or right, by k of its sizes), with an optional caption, a hot
// key (the widget's value, a virtual-key code), press and hover sounds, its own double-click timing and
// optional hover events.
//
// Events raised at the listener: a click (check flag after the click, 1 for a right click); the hot key's
// release (0, 0); a second release within 300 ms instead of a click (1027, 0); with hover events, the mouse
// entering (1028, 0) and leaving (1029, 0).
//
// Threads: see the table in client/app/Scene.h.
#include <atomic>
#include <cstdint>

#include "client/ui/Widget.h"

namespace kestrovan {

class TextLabel;

class Button : public Widget {
public:
    static constexpr int32_t kDoubleClickEvent = 1027;
    static constexpr int32_t kEnterEvent = 1028;
    static constexpr int32_t kLeaveEvent = 1029;
    static constexpr uint32_t kDoubleClickMs = 300;
    static constexpr uint32_t kPressSound = 17;
    static constexpr uint32_t kHoverSound = 18;

    Button();

    // Selects the frame of the state (and check flag) and shows it.
    void SetState(int32_t state) override;
    bool OnMouse(uint32_t msg, WParam wParam, LParam lParam) override;
    bool OnKey(uint32_t msg, WParam wParam, LParam lParam) override;

    // A checked radio button cannot be pressed again; a click always leaves it checked.
    void SetRadio();
    // A click flips the check flag.
    void SetCheckBox();
    void SetChecked(bool checked);
    bool IsChecked() const { return checked_; }
    void SetFrameCount(int32_t count) { frameCount_ = count; }
    int32_t GetFrameCount() const { return frameCount_; }
    void SetHorizontalFrames(bool horizontal) { horizontalFrames_ = horizontal; }
    void SetRightButton(bool enabled) { rightButton_ = enabled; }
    void SetHoverSound(bool enabled) { hoverSound_ = enabled; }
    void SetHoverEvents(bool enabled) { hoverEvents_ = enabled; }
    bool IsHovered() const { return hovered_; }

    // The caption at (-margin, 0), as wide as the button plus both margins.
    void AddLabel(const FontDesc* font, uint32_t alignment, uint32_t color, uint32_t color2, int32_t margin);
    void SetCaption(platform::WStringView text);
    void SetCaptionAlignment(uint32_t flags);
    TextLabel* GetCaption() const { return caption_; }
    // The frame of the current state, after folding by the frame count.
    int32_t GetFrame() const;
    // Where the last hover, click or double click happened.
    int32_t GetLastX() const { return lastX_; }
    int32_t GetLastY() const { return lastY_; }

    // The click: updates the check flag and raises (this, check flag, right) at the parent.
    void Report(int32_t x, int32_t y, bool right);

private:
    bool HitTest(int32_t x, int32_t y) const;
    bool IsCheckedRadio() const { return radio_ && checked_; }
    bool OnMouseOutside(uint32_t msg);
    bool OnMouseMoveInside(int32_t x, int32_t y);
    bool OnPress();
    bool OnRelease(int32_t x, int32_t y, bool right);
    void RaiseAtParent(int32_t a, int32_t b);
    void ShowFrame(int32_t frame);

    bool radio_ = false;
    bool checkBox_ = false;
    // Set by the thread that handles a message or a click, read by the one that shows or draws the button.
    std::atomic<bool> checked_{false};
    bool horizontalFrames_ = false;
    TextLabel* caption_ = nullptr;
    int32_t frameCount_ = 4;
    uint32_t lastReleaseTime_ = 0;
    bool rightButton_ = false;
    bool hoverSound_ = true;
    bool pressSound_ = true;
    bool hoverEvents_ = false;
    bool hovered_ = false;
    int32_t lastX_ = 0;
    int32_t lastY_ = 0;
};

}  // namespace kestrovan
