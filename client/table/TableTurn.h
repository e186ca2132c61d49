#pragma once
// The local player's hold of the table: whether the table takes the keys (active), whether the player may strike
// (control enabled), and whether the cue follows the aiming camera (the local player holds the table and may call
// a pocket; another player's aim comes from the relayed aim state instead).
//
// Threads: set by the screens' turn handling (main, game or dispatch thread, with the widget-tree lock held,
// Scene.h) and by the table's input and stroke (under the table lock); read by the input, the update, the aim and
// the draw passes. No lock of its own: three flags, each read and written whole.
namespace kestrovan {

class TableTurn {
public:
    bool IsActive() const { return active_; }
    void SetActive(bool active) { active_ = active; }
    bool IsControlEnabled() const { return controlEnabled_; }
    void SetControlEnabled(bool enabled) { controlEnabled_ = enabled; }
    bool AimFollowsCamera() const { return aimFollowsCamera_; }
    void SetAimFollowsCamera(bool on) { aimFollowsCamera_ = on; }

private:
    bool active_ = false;
    bool controlEnabled_ = false;
    bool aimFollowsCamera_ = false;
};

}  // namespace kestrovan
