#pragma once
// The table's ambient touch: the local player's chalk model swinging above the cue ball for two seconds
// (AmbientEffect), the model it swings, and the request to build it anew at the next drawn frame once the chalk
// has changed.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <functional>
#include <memory>

#include "QuillLib/math/Vec3.h"
#include "client/table/AmbientEffect.h"
#include "client/table/TableModelNode.h"

namespace kestrovan {

class D3D9RenderDevice;

class TableAmbient {
public:
    TableAmbient() = default;
    TableAmbient(const TableAmbient&) = delete;
    TableAmbient& operator=(const TableAmbient&) = delete;

    AmbientEffect* GetAmbientEffect() const { return ambientEffect_.get(); }
    // The effect swinging on the model; random (0 to 32767) chooses its axes.
    void Install(std::unique_ptr<TableModelNode> model, std::function<int()> random);
    // Deletes the effect and its model.
    void Clear();
    TableModelNode* Model() const { return ambientModel_.get(); }

    // Restarts the effect above ownerPosition when it exists and is not showing already.
    void Restart(uint32_t now, const quill::Vec3& ownerPosition);
    void HideAmbientEffect();
    bool IsShown() const;
    // The effect's clock follows the table's (a shot starts).
    void SetLastTime(uint32_t time);
    // One update at time (the frame clock): advances the swing while it shows.
    void Tick(uint32_t time);
    void Draw(D3D9RenderDevice& device);

    // The next drawn frame rebuilds the ambient effect (after the player's chalk changed).
    void RequestAmbientRebuild() { rebuildPending_ = true; }
    // Whether a rebuild was asked for; the request is taken.
    bool TakeRebuildRequest();


private:
    std::unique_ptr<AmbientEffect> ambientEffect_;
    std::unique_ptr<TableModelNode> ambientModel_;
    bool rebuildPending_ = false;
};

}  // namespace kestrovan
