#pragma once
// The chalk that flies off the cue tip at the strike: one particle burst for each kind of chalk (4901, 4902 and
// any other), the one the last shot's chalk chose, and its clock. The burst moves on every fourth update.
//
// Threads: see the table in client/app/Scene.h.
#include <array>
#include <cstdint>
#include <memory>

#include "QuillLib/math/Camera.h"
#include "QuillLib/math/Transform.h"
#include "client/table/ParticleBurst.h"

namespace kestrovan {

class D3D9RenderDevice;

class TableChalkBursts {
public:
    static constexpr uint32_t kKindCount = 3;

    TableChalkBursts() = default;
    TableChalkBursts(const TableChalkBursts&) = delete;
    TableChalkBursts& operator=(const TableChalkBursts&) = delete;

    // kind 0 for chalk 4901, 1 for 4902, 2 for any other chalk.
    void SetChalkBurst(uint32_t kind, std::unique_ptr<ParticleBurst> burst);
    // The burst of a shot's chalk item, made current; null when that burst was not made.
    ParticleBurst* SelectChalkBurst(uint16_t chalkItemId);
    ParticleBurst* CurrentChalkBurst() const { return currentBurst_; }
    // Deletes every burst.
    void ClearChalkBursts();
    // The current burst was started at time (the clock of the last update).
    void SetBurstTime(uint32_t time) { lastBurstTime_ = time; }
    // One update at time (the frame clock): every fourth call moves the active burst.
    void Tick(uint32_t time);
    // The current burst through the camera.
    void Draw(D3D9RenderDevice& device, const quill::Camera& camera);


private:
    ParticleBurst* currentBurst_ = nullptr;
    std::array<std::unique_ptr<ParticleBurst>, kKindCount> chalkBursts_;
    uint32_t burstCalls_ = 0;
    uint32_t lastBurstTime_ = 0;
};

}  // namespace kestrovan
