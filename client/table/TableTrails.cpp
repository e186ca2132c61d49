#include "client/table/TableTrails.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/core/ScopedLock.h"
#include "client/physics/PhysicsModel.h"
#include "client/rules/TablePhysics.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::ScopedLock;

constexpr uint32_t kTrailBase = 0x20ffffff;
constexpr uint32_t kTrailWindow = 200;
constexpr uint32_t kTrailLength = 800;
constexpr uint32_t kColouredTrailAlpha = 0x20000000;
constexpr uint32_t kColouredTrailWindow = 20;
constexpr uint32_t kColouredTrailLength = 100;
constexpr uint32_t kTrailPointAlpha = 0x80000000;
constexpr uint32_t kSnookerLineColour = 0xff000000;

uint32_t PocketGameColour(uint32_t ball) {
    static constexpr uint32_t kColours[9] = {0xffffff, 0xffff00, 0x0000ff, 0xff0000, 0x800080,
                                             0xff8000, 0x008000, 0xc06000, 0x000000};
    if (ball >= 9 && ball <= 15) {
        return kColours[ball - 8];
    }
    return ball < 9 ? kColours[ball] : 0xffffff;
}

uint32_t SnookerColour(uint32_t ball) {
    static constexpr uint32_t kColours[6] = {0xebce00, 0x346103, 0x6b3f00, 0x003b99, 0xff7daa, 0x000000};
    if (ball >= 1 && ball <= 15) {
        return 0xff0000;
    }
    return ball >= 16 && ball <= 21 ? kColours[ball - 16] : 0xffffff;
}

}  // namespace

TableTrails::TableTrails() {
    for (auto& trail : ballTrails_) {
        trail = std::make_unique<LineList>();
        trail->SetFade(kTrailBase, kTrailWindow, kTrailLength);
    }
    for (auto& line : guideLines_) {
        line = std::make_unique<LineList>();
    }
    guideLines_[0]->SetFade(kGuideLineColour, 0, 0);
}

uint32_t TableTrails::GetBallColour(quill::GameType gameMode, uint32_t ball) {
    if (gameMode >= 0 && gameMode < type::kSixBalls) {
        static constexpr uint32_t kCarom[4] = {0xffff00, 0xffffff, 0xff0000, 0xff0000};
        return ball < 4 ? kCarom[ball] : 0xffffff;
    }
    if (gameMode == type::kSixBalls) {
        static constexpr uint32_t kSix[6] = {0xffffff, 0xffffff, 0x000000, 0xff0000, 0xffff00, 0x0000ff};
        return ball < 6 ? kSix[ball] : 0xffffff;
    }
    if (gameMode == type::kSnooker) {
        return SnookerColour(ball);
    }
    return quill::IsCaromGame(gameMode) ? 0xffffff : PocketGameColour(ball);
}

void TableTrails::ColourTrails(quill::GameType gameMode) {
    for (uint32_t i = 0; i < quill::kMaxBalls; ++i) {
        ballTrails_[i]->SetFade(kColouredTrailAlpha | GetBallColour(gameMode, i), kColouredTrailWindow,
                                kColouredTrailLength);
    }
}

void TableTrails::ClearTrails() {
    for (const auto& trail : ballTrails_) {
        trail->Clear();
    }
}

void TableTrails::AppendTrailPoints(TablePhysics& physics, quill::GameType gameMode) {
    ScopedLock hold(physics.GetLock());
    const PhysicsModel* model = physics.Model();
    if (model == nullptr) {
        return;
    }
    const uint32_t cueBall = physics.CueBall();
    const uint32_t count = std::min<uint32_t>(physics.BallCount(), quill::kMaxBalls);
    for (uint32_t i = 0; i < count; ++i) {
        if (model->Ball(static_cast<uint16_t>(i)).velocity.Length() == 0.0f || (!showAllTrails_ && i != cueBall)) {
            continue;
        }
        LineList& trail = *ballTrails_[i];
        trail.AddPointLimited(physics.CachedPosition(i), kTrailPointAlpha | GetBallColour(gameMode, i));
    }
}

void TableTrails::DrawSnookerD(quill::GameType gameMode, float unit) {
    guideLines_[1]->Clear();
    if (gameMode != type::kSnooker) {
        return;
    }
    const float radius = 0.6569f * unit;
    const float baulk = -2.342f * unit;
    LineList& line = *guideLines_[1];
    for (int32_t angle = 0; angle <= 180; angle += 2) {
        const float radians = static_cast<float>(angle) * 3.14159f / 180.0f;
        line.AddPointXY(-radius * std::sin(radians) + baulk, radius * std::cos(radians), kSnookerLineColour);
    }
    line.AddPointXY(baulk, -2.0f * unit - 5.0f, kSnookerLineColour);
    line.AddPointXY(baulk, 2.0f * unit + 5.0f, kSnookerLineColour);
}

void TableTrails::DrawTrails(TableLineDrawer& drawer) const {
    if (!trailsShown_ && !showAllTrails_) {
        return;
    }
    for (const auto& trail : ballTrails_) {
        trail->Draw(drawer);
    }
}

}  // namespace kestrovan
