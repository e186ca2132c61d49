#pragma once
// The table's keys and mouse: the five keys that switch the table's modes (Shift the zoom view, Ctrl the stroke,
// Space the overview, 'V' the view down the cue, 'Z' the pen), the mouse buttons that aim, drag the view, zoom,
// pick a ball in hand or call a pocket and may stand in for Ctrl and Shift, the controls the screen allows, and
// the mouse speed put aside while the mouse strokes.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <optional>

#include "client/table/TableHost.h"
#include "platform/window/Message.h"

namespace kestrovan {

class GameTable;

class TableInput {
public:
    // The first word of the saved mouse speed while none is saved.
    static constexpr int32_t kNothingSaved = -1;

    // The input-mode flags, set and cleared by the keys, the mouse and the stroke.
    struct InputFlags {
        bool aimDragHeld = false;         // the left button drags the view
        bool strokeKeyHeld = false;       // Ctrl (or the left button for it): the stroke is being charged
        bool leftButtonAsCtrl = false;    // the left button stands in for Ctrl
        bool rightButtonAsShift = false;  // the right button stands in for Shift
        bool strokeFinishing = false;     // the follow-through after the strike
        bool zoomKeyHeld = false;         // Shift
        bool overviewKeyHeld = false;     // Space
        bool mouseAimHeld = false;        // the left button drags in Shift or 'V' mode: look down the cue
        bool rightButtonZoom = false;     // the right button zooms
        bool cueViewKeyHeld = false;      // 'V'
        bool extra = false;
    };

    explicit TableInput(GameTable& table) : table_(table) {}
    TableInput(const TableInput&) = delete;
    TableInput& operator=(const TableInput&) = delete;

    InputFlags& Flags() { return flags_; }
    const InputFlags& Flags() const { return flags_; }
    // A new game or rack: every mode let go and no mouse speed kept aside.
    void ResetModes();

    // --- keys (main thread) ---
    // Shift, Ctrl, Space, 'V' and 'Z' pressed or released; false for any other key. The refusals of the key poll
    // are not tested here.
    bool OnKey(uint32_t virtualKey, bool down);
    // Presses the first key that is down and allowed now (see the refusals in the source); whether one was.
    // With pressedKey, only that key may be pressed: a key-down starts its own key's mode and no other, as a
    // key whose press went to a window over the table is down as well, and its release goes to that window.
    bool PollKeyPresses(std::optional<uint32_t> pressedKey = std::nullopt);
    // Releases the first held key whose key is up.
    bool PollKeyReleases();
    // With focus false (the window lost the keyboard) every held key is released.
    void ReleaseHeldKeys(bool focus);
    // The screen stops taking input (another screen follows, the window lost the focus, the program ends): every
    // key and mouse button the table holds is let go of as at its release, so that no mode stays on without
    // them: a ball held in hand is put down where it is; the cursor shows and the mouse is given back.
    void ReleaseHeldInput();
    // The screen's window messages; whether the table took the message (a table mode is active).
    bool HandleInput(uint32_t message, platform::WParam wParam, platform::LParam lParam);
    // Once per frame while the table is active: presses and releases by the keys' state.
    bool PollKeys();
    bool IsKeyDown(int virtualKey) const;
    // The pitch in degrees the zoom view (Shift) moves to, for a cue raised by cueElevation degrees.
    static float ZoomPitch(float cueElevation);

    // --- the mouse ---
    // The cursor-move handler while the table owns the mouse: pen points, and the held ball dragged on the bed.
    void MoveHeldBall(uint32_t flags, uint32_t packedCursor);
    bool StartMouseAim();
    bool EndMouseAim();
    // The overview's line from the cue ball toward the aim point, while Space is held on the local turn.
    void DrawOverviewGuideLine();
    // The mouse speed put aside when the stroke began, back.
    void RestoreMouseSpeed();

    // --- what the screen allows ---
    // The mouse buttons may stand in for Ctrl and Shift (the screen's choice).
    void SetButtonShortcuts(bool on) { buttonShortcuts_ = on; }
    // In table state 4 a click may pick up the ball in hand.
    void SetPlacingEnabled(bool on) { placingEnabled_ = on; }
    int32_t KeyMask() const { return keyMask_; }
    void SetKeyMask(int32_t mask) { keyMask_ = mask; }
    uint32_t LastSpecialKey() const { return lastSpecialKey_; }

    float GuideLineLength() const { return guideLineLength_; }
    // The gauge item was in use when the stroke began.
    bool GaugeFlag() const { return gaugeFlag_; }

private:
    bool PressShift();
    void ReleaseShift();
    bool PressCtrl();
    void ReleaseCtrl();
    bool PressSpace();
    void ReleaseSpace();
    bool PressCueView();
    void ReleaseCueView();
    bool PressPen();
    void ReleasePen();
    void RefreshAimCursor();
    void ForgetEarlierMotion();
    bool RefusedLikeShift(bool testControl, bool testBallInHand) const;
    bool OnKeyUpMessage(uint32_t key);
    bool OnCharMessage(uint32_t character);
    bool OnLeftButtonDown(int32_t x, int32_t y);
    void OnLeftButtonUp();
    // The ball in hand put down where it is, as the left button's release puts it.
    void PlaceHeldBall();
    bool OnRightButtonDown();
    void OnRightButtonUp();
    bool AnyTableModeActive() const;

    GameTable& table_;
    InputFlags flags_;
    bool buttonShortcuts_ = false;  // the mouse buttons may stand in for Ctrl and Shift
    bool placingEnabled_ = false;   // in state 4 a click picks up the ball in hand
    int32_t keyMask_ = -1;
    uint32_t lastSpecialKey_ = 0;
    bool altDisplay_ = false;  // toggled with 'B'
    MouseSpeed savedMouseSpeed_{kNothingSaved, 0, 0};
    float guideLineLength_ = 0.0f;
    bool gaugeFlag_ = false;  // the gauge item was in use when the stroke began
};

}  // namespace kestrovan
