#pragma once
// The table's own HUD over the 3D view, a panel of widgets covering the window: the power gauge at the left
// edge, a panel beside the cue ball with the live power, a strip of pocketed-ball icons at the bottom, an
// overlay with the elevation dial, and the aiming cursor that stands in for the system cursor while the player
// strokes with the mouse. The images are cut from the HUD atlas (texture 14); two text labels show figures.
// The HUD needs the widget toolkit installed.
//
// Threads: see the table in client/app/Scene.h; only the thread that first called SetAimCursor (the main thread, which
// owns the window) touches the system cursor.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "QuillLib/core/WString.h"
#include "client/table/BallScreenInfo.h"
#include "client/table/TableHost.h"
#include "client/ui/Panel.h"
#include "platform/system/Thread.h"

namespace kestrovan {

class HudDial;
class TextLabel;
struct FontDesc;

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
    static constexpr int32_t kAtlasTexture = 14;
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

    // Builds the widgets; random (0 to 32767) makes the gauge tremble, the runtime's rand when empty.
    explicit TableHud(std::function<int()> random = {});
    ~TableHud();
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
    // The text of a label (the power label, the cue-ball value).
    void SetText(int32_t part, quill::WStringView text);
    // Turns the elevation dial (radians); other parts do not turn.
    void SetRotation(int32_t part, float radians);

    // Fetches the atlas and the labels' fonts (the table's model loading calls it).
    bool LoadGraphics(uint32_t arg);
    // The 2D pass: the whole HUD (main thread).
    void Draw();

    Widget& GetWidget(int32_t part) const { return *parts_[static_cast<size_t>(part)]; }
    Panel& Root() const { return *root_; }
    HudDial& Dial() const;
    bool IsSystemCursorShown() const { return systemCursorShown_; }

private:
    void Build();
    Panel* AddPanel(Part part, Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t atlasX,
                    int32_t atlasY);
    void AddImage(Part part, Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t atlasX,
                  int32_t atlasY);
    void AddLabel(Part part, Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h);
    void AddDial(Widget& parent);
    TextLabel* Label(int32_t part) const;
    // w x h pixels (0 allowed): the widgets count sizes as extents minus one.
    void Resize(int32_t part, int32_t width, int32_t height);
    int Random() const;
    // The bar height of power p, trembling when asked; never above 120 nor below 0.
    int32_t PowerBarHeight(float p, bool tremble) const;
    void UpdateCueBallPanel(const PowerGaugeInputs& inputs);

    std::function<int()> random_;
    std::unique_ptr<Panel> root_;
    std::array<Widget*, kPartCount> parts_{};

    platform::ThreadId mainThreadId_ = platform::kNoThread;
    int32_t savedCursorX_ = 0;
    int32_t savedCursorY_ = 0;
    bool systemCursorShown_ = true;
};

}  // namespace kestrovan
