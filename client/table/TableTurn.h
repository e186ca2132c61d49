#pragma once
// The local player's hold of the table: whether the table takes the keys (active), whether the player may strike
// (control enabled), and whether the cue follows the aiming camera (the local player holds the table and may call
// a pocket; another player's aim comes from the relayed aim state instead).
//
// Threads: only a screen's entries call it (client/app/Scene.h).
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
