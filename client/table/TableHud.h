#pragma once
// The table's own HUD over the 3D view: the power gauge at the left edge, a panel beside the cue ball with the
// live power, a strip of pocketed-ball icons at the bottom, an overlay image, and the aiming cursor that stands
// in for the system cursor while the player strokes with the mouse. The elements are images cut from the HUD
// atlas (texture 14) and two text labels, each placed relative to its parent; the layout is computed here and
// the drawing is handed to a HudDrawer.
//
// Threads: built and laid out on the game thread, drawn on the main thread. The cursor lock guards the aiming
// cursor; only the thread that first called SetAimCursor (the main thread, which owns the window) touches the
// system cursor.
#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/WString.h"
#include "client/table/BallScreenInfo.h"
#include "client/table/HudDrawer.h"
#include "client/table/TableHost.h"
#include "platform/system/Thread.h"

namespace kestrovan {

// What the power gauge shows: the table's power values and modes of the moment.
struct PowerGaugeInputs {
    float shownPower = 0.0f;  // the power the gauge draws, 0 to 1
    float power = 0.0f;       // the live stroke power
    float strokeDeviation = 0.0f;
    int32_t powerDisplayMode = 1;  // 0 trembles, 1 and 2 show the power figures
    bool controlEnabled = false;
    bool strokeKeyHeld = false;
    bool strokeFinishing = false;
    bool aimFollowsCamera = false;
    bool showPowerFigures = false;
    const BallScreenInfo* cueBall = nullptr;  // where the cue ball is on the screen, when known
};

class TableHud {
public:
    static constexpr uint32_t kAtlasTexture = 14;
    static constexpr int32_t kPocketIconCount = 21;

    // The elements, in the order they are built.
    enum Part : int32_t {
        kPowerPanel,
        kPowerBar,
        kDeviationBar,
        kPowerLabel,
        kCueBallPanel,
        kCueBallGauge,
        kCueBallMarker,
        kCueBallValue,
        kPocketStrip,
        kFirstPocketIcon,
        kOverlayPanel = kFirstPocketIcon + kPocketIconCount,
        kOverlayBar,
        kAimCursor,
        kPartCount
    };

    // Anchor modes (as the widget toolkit numbers them): horizontal 1 left, 2 right, 5 centred; vertical 3 top,
    // 4 bottom, 6 centred; 0 not anchored. Offsets from the right or the bottom are negative.
    struct Anchor {
        int32_t horizontalMode = 0;
        int32_t horizontalOffset = 0;
        int32_t verticalMode = 0;
        int32_t verticalOffset = 0;
    };

    struct Element {
        int32_t parent = -1;  // -1: the HUD panel, which covers the window
        int32_t x = 0;        // relative to the parent
        int32_t y = 0;
        int32_t width = 0;
        int32_t height = 0;
        HudRect source;  // the atlas rectangle; an empty one draws no image
        float opacity = 1.0f;
        bool visible = true;
        float scaleX = 1.0f;
        float scaleY = 1.0f;
        float pivotX = 0.0f;
        float pivotY = 0.0f;
        float rotation = 0.0f;  // radians about the pivot
        Anchor anchor;
        bool isText = false;
        int32_t fontStyle = 0;
        quill::WString text;
    };

    // Builds the elements; random (0 to 32767) makes the gauge tremble, the runtime's rand when empty.
    explicit TableHud(std::function<int()> random = {});
    TableHud(const TableHud&) = delete;
    TableHud& operator=(const TableHud&) = delete;

    // Re-applies the anchors for a window of that size and centres the pocket strip on the bottom edge (10 pixels
    // higher in windows 1280 or more wide).
    void LayoutHud(int32_t width, int32_t height);
    // Re-anchors the power panel 6 from the left and offset from the bottom.
    void SetHudBottomOffset(int32_t offset);
    void UpdatePowerGauge(const PowerGaugeInputs& inputs);
    // Between the system cursor and the aiming cursor (see the class comment); frame chooses the cursor's image.
    void SetAimCursor(TableHost* host, bool restore, bool warpBack, int32_t frame);
    // One icon per object ball still on the table, side by side from x 16; ballFlags holds the ball set's
    // pocketed bytes (0: on the table), the cue ball first.
    void ShowPocketedBalls(std::span<const uint8_t> ballFlags);
    void SetVisible(int32_t part, bool visible);
    // Moves an element within its parent.
    void Place(int32_t part, int32_t x, int32_t y);
    void SetText(int32_t part, quill::WString text);
    // Turns an image about its pivot (radians): the elevation dial.
    void SetRotation(int32_t part, float radians);

    void Draw(HudDrawer& drawer) const;

    const Element& GetElement(int32_t part) const { return elements_[part]; }
    // The element's rectangle in window pixels.
    HudRect ScreenRect(int32_t part) const;
    bool IsSystemCursorShown() const { return systemCursorShown_; }

private:
    void Build();
    void Add(Part part, int32_t parent, int32_t x, int32_t y, int32_t width, int32_t height, int32_t atlasX,
             int32_t atlasY);
    void AddText(Part part, int32_t parent, int32_t x, int32_t y, int32_t width, int32_t height, int32_t fontStyle);
    void ApplyAnchor(Element& element) const;
    void Resize(int32_t part, int32_t width, int32_t height);
    bool IsShown(int32_t part) const;
    int Random() const;
    // The bar height of power p, trembling when asked; never above 120 nor below 0.
    int32_t PowerBarHeight(float p, bool tremble) const;
    void UpdateCueBallPanel(const PowerGaugeInputs& inputs);

    std::function<int()> random_;
    std::array<Element, kPartCount> elements_{};
    int32_t screenWidth_ = 0;
    int32_t screenHeight_ = 0;

    mutable quill::CriticalSectionLock cursorLock_;
    platform::ThreadId mainThreadId_ = platform::kNoThread;
    int32_t savedCursorX_ = 0;
    int32_t savedCursorY_ = 0;
    bool systemCursorShown_ = true;
};

}  // namespace kestrovan
