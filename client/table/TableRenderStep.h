#pragma once
// The table's render step and draw passes, with what they show: the render step's copy of the balls, the shown
// models (the aim and target markers and the current cue's model) and the current cue, the cue of the player
// whose turn it is.
//
// Threads: see the table in client/app/Scene.h; the render step and the draw passes run on the main thread.
#include <array>
#include <cstdint>

#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/math/Transform.h"
#include "QuillLib/math/Vec3.h"
#include "client/table/CueModelEntry.h"
#include "client/table/TableModelNode.h"
#include "client/table/TableRenderSnapshot.h"

namespace kestrovan {

class D3D9RenderDevice;
class GameTable;

class TableRenderStep {
public:
    // The shown models: the two markers and the current cue model.
    enum ShownModel : uint32_t { kAimMarker, kTargetMarker, kCueModel, kShownModelCount };

    // What the shot records take of the current cue: its item and, for a stock cue, 0xFFFF in every part.
    struct CueIdentity {
        bool present = false;
        uint16_t itemId = 0;
        CueModelEntry::PartIds parts{};
    };

    explicit TableRenderStep(GameTable& table) : table_(table) {}
    TableRenderStep(const TableRenderStep&) = delete;
    TableRenderStep& operator=(const TableRenderStep&) = delete;

    // --- the render step and the draw passes (main thread) ---
    // Takes the balls and the aim for drawing, switches the cue model, applies the camera and cue events the game
    // thread posted; with draw also lets the camera follow the cue ball, places the ball models and hands the
    // table's models to the static batches.
    void Render3D(bool draw);
    // The cue pose, the table environment, the cue and the pocketed-ball strip; returns 0.
    int32_t RenderOverlay(D3D9RenderDevice& device);
    // Shadows, balls, lines, markers, effects and marks, after the scene and RenderOverlay.
    void DrawScene(D3D9RenderDevice& device, int32_t passFlag);
    // While a shot runs and the camera follows the cue ball, the aim drag orbits even during a camera move.
    bool DragOverride() const { return dragOverride_; }
    void ClearDragOverride() { dragOverride_ = false; }

    // --- the current cue and the shown models ---
    // Marks the cue dirty when it changes; the new cue.
    CueModelEntry* SetCurrentCue(CueModelEntry* cue);
    CueModelEntry* CurrentCue() const { return currentCue_; }
    bool IsCueDirty() const { return cueDirty_; }
    CueIdentity CurrentCueIdentity() const;
    // The current cue and the shown cue model let go of an entry whose model goes.
    void ForgetCueModel(CueModelEntry& entry, bool entryGoes);
    // The aim and target markers the draw passes show (nullptr: none); the models load them.
    void SetMarkers(TableModelNode* aim, TableModelNode* target);
    // Shows or hides the table's markers and cue together; what the draw passes and the ambient effect follow.
    void SetVisible(bool visible);
    bool IsVisible() const { return visible_; }
    // Shows or hides every shown model; the cue model alone.
    void ShowShownModels(bool visible);
    void ShowCue();
    void HideMarkers();
    void SetCueTransform(const quill::Transform& placement);
    // The cue model placed and shown or hidden, the aim marker at the aim point.
    void PoseShownModels(const quill::Transform& cue, bool cueVisible, const quill::Vec3& aimPoint);

private:
    void TakeRenderSnapshot();
    void SwitchCueModel();
    void FollowCueBall();
    void PlaceBallModels();
    void PrepareModelsForView();
    void UploadStaticModels();
    bool BallOnTable(uint32_t ball) const;
    void DrawShadows(D3D9RenderDevice& device);
    void DrawBalls(D3D9RenderDevice& device, bool skipped, float alpha);
    bool IsInZoomSight(uint32_t ball) const;
    void DrawLines(D3D9RenderDevice& device);
    void DrawMarkers(D3D9RenderDevice& device);
    void DrawEffects(D3D9RenderDevice& device);
    void DrawCue(D3D9RenderDevice& device);
    void DrawPocketMarkers(D3D9RenderDevice& device);
    bool ShotMayBeAimed() const;
    bool CueDrawnWithBalls() const;

    GameTable& table_;
    TableRenderSnapshot snapshot_;
    quill::Vec3 previousCueBall_;
    bool dragOverride_ = false;
    std::array<TableModelNode*, kShownModelCount> shownModels_{};
    CueModelEntry* currentCue_ = nullptr;
    bool cueDirty_ = false;
    // Whether the table is shown; set by the screens' handlers and the shot restore, read by the draw passes.
    bool visible_ = true;
};

}  // namespace kestrovan
