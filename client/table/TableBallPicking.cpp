#include "client/table/TableBallPicking.h"

#include <algorithm>
#include <span>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/math/Camera.h"
#include "client/physics/TableGeometry.h"
#include "client/rules/TablePhysics.h"
#include "client/table/BallPicking.h"
#include "client/table/ScreenProjection.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableServices.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {
namespace {

using quill::ScopedLock;
using quill::Vec3;

constexpr float kPocketPickRadius = 10.0f;

}  // namespace

TableBallPicking::TableBallPicking(const TableServices& services, TablePhysics& physics,
                                   const TableCameraRig& cameras)
    : services_(services), physics_(physics), cameras_(cameras) {}

uint32_t TableBallPicking::BallCount() const {
    return std::min<uint32_t>(physics_.BallCount(), quill::kMaxBalls);
}

void TableBallPicking::ProjectBalls() {
    quill::Camera* camera = cameras_.GetCamera().CurrentCamera();
    if (camera == nullptr) {
        return;
    }
    const uint32_t count = BallCount();
    std::array<Vec3, quill::kMaxBalls> centres{};
    float radius = 0.0f;
    {
        // The game thread moves the balls while the render step projects them.
        ScopedLock holdPhysics(physics_.GetLock());
        for (uint32_t i = 0; i < count; ++i) {
            centres[i] = physics_.CachedPosition(i);
        }
        radius = physics_.BallRadius();
    }
    std::array<BallScreenInfo, quill::kMaxBalls> records{};
    {
        ScopedLock holdCamera(camera->GetLock());
        quill::Matrix4 viewProjection;
        quill::Matrix4 projection;
        camera->GetViewProjectionMatrix(viewProjection);
        camera->GetProjectionMatrix(projection);
        const ScreenProjection screen(viewProjection, projection.m[0], services_.ClientWidth(), services_.ClientHeight());
        for (uint32_t i = 0; i < count; ++i) {
            const ScreenPoint point = screen.Project(centres[i]);
            records[i] = {static_cast<int32_t>(i), camera->DepthOf(centres[i]), point.x, point.y,
                          screen.ScreenRadius(radius, point.w)};
        }
    }
    WidgetToolkit::CheckTreeAccess("TableBallPicking::ProjectBalls");
    std::copy_n(records.begin(), count, ballScreenInfo_.begin());
}

void TableBallPicking::SortBallScreenInfo() {
    WidgetToolkit::CheckTreeAccess("TableBallPicking::SortBallScreenInfo");
    const uint32_t count = BallCount();
    kestrovan::SortBallScreenInfo(std::span(ballScreenInfo_.data(), count));
    const auto cue = static_cast<int32_t>(physics_.CueBall());
    for (uint32_t i = 0; i < count; ++i) {
        if (ballScreenInfo_[i].index == cue) {
            cueBallScreenInfo_ = static_cast<int32_t>(i);
            break;
        }
    }
}

BallScreenInfo TableBallPicking::ScreenInfoAt(uint32_t index) const {
    return ballScreenInfo_[index % quill::kMaxBalls];
}

std::optional<BallScreenInfo> TableBallPicking::CueBallScreenInfo() const {
    if (cueBallScreenInfo_ < 0) {
        return std::nullopt;
    }
    return ballScreenInfo_[static_cast<uint32_t>(cueBallScreenInfo_)];
}

int32_t TableBallPicking::PickBallAt(int32_t x, int32_t y) {
    ProjectBalls();
    const uint32_t count = BallCount();
    if (count == 0) {
        return -1;
    }
    WidgetToolkit::CheckTreeAccess("TableBallPicking::PickBallAt");
    const PickedBall picked =
        kestrovan::PickBallAt(std::span(ballScreenInfo_.data(), count), x, y, placementArea_, physics_.GetTableState());
    if (picked.index >= 0) {
        grabOffsetX_ = picked.grabOffsetX;
        grabOffsetY_ = picked.grabOffsetY;
    }
    return picked.index;
}

void TableBallPicking::ClearBallInHand(int32_t /*ignored*/) {
    placementArea_ = 0;
    heldBall_ = -1;
}

PlacementBounds TableBallPicking::Bounds() const {
    PlacementBounds bounds;
    if (physics_.Model() != nullptr) {
        bounds.halfLength = physics_.Model()->Geometry().noseMaxX;
        bounds.halfWidth = physics_.Model()->Geometry().noseMaxY;
    }
    bounds.unit = static_cast<float>(physics_.GetHalfTableSize());
    return bounds;
}

void TableBallPicking::ComputePocketPositions() {
    if (physics_.Model() == nullptr) {
        return;
    }
    const TableGeometry& g = physics_.Model()->Geometry();
    const float length = g.noseMaxX;
    const float width = g.noseMaxY;
    const float corner = g.cornerPocketOffset;
    const float middle = g.middlePocketOffset;
    pocketPositions_ = {{{-length - corner, -width - corner},
                         {0.0f, -width - middle},
                         {length + corner, -width - corner},
                         {-length - corner, width + corner},
                         {0.0f, width + middle},
                         {length + corner, width + corner}}};
}

int32_t TableBallPicking::PickPocketAt(int32_t x, int32_t y) {
    quill::Camera* camera = cameras_.GetCamera().CurrentCamera();
    if (camera == nullptr) {
        return -1;
    }
    quill::Matrix4 viewProjection;
    quill::Matrix4 projection;
    {
        ScopedLock holdCamera(camera->GetLock());
        camera->GetViewProjectionMatrix(viewProjection);
        camera->GetProjectionMatrix(projection);
    }
    const ScreenProjection screen(viewProjection, projection.m[0], services_.ClientWidth(), services_.ClientHeight());
    for (uint32_t i = 0; i < pocketPositions_.size(); ++i) {
        const ScreenPoint point = screen.Project({pocketPositions_[i][0], pocketPositions_[i][1], 0.0f});
        if (IsInsideCircle(point.x, point.y, screen.ScreenRadius(kPocketPickRadius, point.w), x, y)) {
            return static_cast<int32_t>(i) + 1;
        }
    }
    return -1;
}

bool TableBallPicking::DragHeldBall(int32_t x, int32_t y) {
    if (heldBall_ < 0 || static_cast<uint32_t>(heldBall_) >= BallCount()) {
        return false;
    }
    const auto held = static_cast<uint32_t>(heldBall_);
    Vec3 candidate;
    if (!cameras_.UnprojectCursor(static_cast<float>(x - grabOffsetX_), static_cast<float>(y - grabOffsetY_),
                                  physics_.CachedPosition(held).z, services_.ClientWidth(), services_.ClientHeight(),
                                  candidate)) {
        return true;
    }
    const quill::GameType gameMode = physics_.GameTypeOfTable();
    const PlacementBounds bounds = Bounds();
    const float radius = physics_.BallRadius();
    ClampToPlacementArea(candidate, bounds, radius, 0.01f, placementArea_, gameMode);
    std::array<Vec3, quill::kMaxBalls> positions{};
    const uint32_t count = BallCount();
    for (uint32_t i = 0; i < count; ++i) {
        positions[i] = physics_.CachedPosition(i);
    }
    const std::optional<Vec3> drop = ResolveHeldBallDrop(candidate, held, std::span(positions.data(), count), bounds,
                                                         radius, placementArea_, gameMode);
    if (drop.has_value()) {
        ScopedLock hold(physics_.GetLock());
        physics_.SetBallPosition(held, drop->x, drop->y, drop->z);
    }
    return true;
}

}  // namespace kestrovan
