#pragma once
// The table's HUD and the values it shows: the HUD's widgets (TableHud), the power and deviation shown once a
// stroke is made, how the power is displayed, whether the figures are shown, and the values the screens keep
// with the table and give their own meaning.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "QuillLib/gamedata/GameTypes.h"
#include "client/table/TableHud.h"

namespace kestrovan {

class TableHudValues {
public:
    // Values the table only keeps (and clears where it says); the screens give them their meaning.
    struct ScreenValues {
        bool demoHold = false;    // the login screen's demonstration holds the table still
        bool demoSecond = false;  // the demonstration's second flag
        bool breakAgain = false;  // the room: the break is to be taken again; cleared at every shot start
        int32_t foulCount = 0;    // the room: fouls that reset the points; cleared with every rack
        bool masterOption = false;  // the room: the master owns the table option item (4145)
        bool goldCue = false;       // the room: the gold-cue switch (item 4150), toggled as a practice aid
        bool goldCueInUse = false;  // the room: the second switch of item 4150, set once the item is in use
        uint16_t shortValue = 1;
        uint32_t word = 0;
        uint32_t wordA = 0;
        uint32_t wordB = 0;
        float extraPower = 0.0f;
    };

    TableHudValues() = default;
    TableHudValues(const TableHudValues&) = delete;
    TableHudValues& operator=(const TableHudValues&) = delete;

    TableHud& Hud() { return hud_; }
    void LayoutHud(int32_t width, int32_t height) { hud_.LayoutHud(width, height); }
    void SetHudBottomOffset(int32_t offset) { hud_.SetHudBottomOffset(offset); }
    // The 2D pass (main thread).
    void DrawHud() { hud_.Draw(); }
    // The pocketed-ball strip shows in the pocket games but snooker.
    void ShowPocketStripForMode(quill::GameType gameMode);
    // The power label beside the gauge, with the shot's power in per cent.
    void ShowShotPower(float power);

    ScreenValues& ForScreens() { return screenValues_; }
    bool ShowsPowerFigures() const { return showPowerFigures_; }
    void SetStrokeDeviation(float deviation) { strokeDeviation_ = deviation; }
    float StrokeDeviation() const { return strokeDeviation_; }
    void SetShownPower(float power) { shownPower_ = power; }
    float ShownPower() const { return shownPower_; }
    // 1 (the application's power display option) or 0; 2 is a screen's own.
    void SetPowerDisplayMode(int32_t mode) { powerDisplayMode_ = mode; }
    int32_t PowerDisplayMode() const { return powerDisplayMode_; }

private:
    TableHud hud_;
    ScreenValues screenValues_;
    bool showPowerFigures_ = false;
    float shownPower_ = 0.0f;
    float strokeDeviation_ = 0.0f;
    int32_t powerDisplayMode_ = 1;
};

}  // namespace kestrovan
