#include "client/table/TablePensAndMarks.h"

#include <algorithm>
#include <optional>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/math/Camera.h"
#include "QuillLib/math/Transform.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/rules/TablePhysics.h"
#include "client/table/ScreenProjection.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableConnection.h"
#include "client/table/TableMessages.h"
#include "client/table/TableServices.h"
#include "client/table/TruncateToInt.h"

namespace kestrovan {
namespace {

using quill::ScopedLock;
using quill::Vec3;

constexpr float kPenLift = 4.0f;       // a pen point off the bed floats this far above the balls' centres
constexpr float kPenOverhang = 20.0f;  // and stays within this distance of the bed
constexpr float kMarkTurn = 0.05f;

}  // namespace

TablePensAndMarks::TablePensAndMarks(const TableServices& services, TablePhysics& physics,
                                     const TableCameraRig& cameras)
    : services_(services), physics_(physics), cameras_(cameras) {}

// --- pen strokes ---

void TablePensAndMarks::AddPenPoint(int32_t slot, int32_t cursorX, int32_t cursorY) {
    const auto unit = static_cast<float>(physics_.GetHalfTableSize());
    const float radius = physics_.BallRadius();
    Vec3 point;
    if (!cameras_.UnprojectCursor(static_cast<float>(cursorX), static_cast<float>(cursorY), radius,
                                  services_.ClientWidth(), services_.ClientHeight(), point)) {
        return;
    }
    const bool onBed = point.x >= -4.0f * unit && point.x <= 4.0f * unit && point.y >= -2.0f * unit &&
                       point.y <= 2.0f * unit;
    point.z = onBed ? radius : radius + kPenLift;
    point.y = std::clamp(point.y, -2.0f * unit - kPenOverhang, 2.0f * unit + kPenOverhang);
    point.x = std::clamp(point.x, -4.0f * unit - kPenOverhang, 4.0f * unit + kPenOverhang);
    const std::optional<uint8_t> stroke = penStrokes_.AddLocalPoint(slot, point);
    TableConnection* connection = services_.connection;
    if (!stroke.has_value() || connection == nullptr) {
        return;
    }
    quill::Packet* packet = connection->AllocPacket();
    if (packet == nullptr) {
        return;  // the pool stayed empty: the others miss this point
    }
    TableMessages::WritePenPoint(*packet, *stroke, point);
    connection->SendPacket(packet);
    connection->FreePacket(packet);
}

bool TablePensAndMarks::ReceivePenPoint(int8_t slot, quill::Packet& packet, int32_t* screenX, int32_t* screenY) {
    PenPointMessage message;
    if (!TableMessages::ReadPenPoint(packet, message)) {
        quill::TheLog().LogError(u"WARNING : PEN POINT MESSAGE TOO SHORT\n");
        return false;
    }
    if (!penStrokes_.AddRemotePoint(slot, message.stroke, message.position)) {
        quill::TheLog().LogError(u"WARNING : PEN POINT OUT OF RANGE %d %d\n", slot, message.stroke);
        return false;
    }
    quill::Camera* camera = cameras_.GetCamera().CurrentCamera();
    if (camera == nullptr) {
        return true;
    }
    quill::Matrix4 viewProjection;
    {
        ScopedLock holdCamera(camera->GetLock());
        camera->GetViewProjectionMatrix(viewProjection);
    }
    // Only the point's position is wanted, not a size on the screen: no focal factor.
    const ScreenPoint point =
        ScreenProjection(viewProjection, 0.0f, services_.ClientWidth(), services_.ClientHeight())
            .Project(message.position);
    if (screenX != nullptr) {
        *screenX = TruncateToInt32(point.x);
    }
    if (screenY != nullptr) {
        *screenY = TruncateToInt32(point.y);
    }
    return true;
}

void TablePensAndMarks::StartPenStroke(int32_t cursorX, int32_t cursorY) {
    penStrokes_.StartNextStroke(penSlot_);
    AddPenPoint(penSlot_, cursorX, cursorY);
}

void TablePensAndMarks::DrawPenStrokes(TableLineDrawer& drawer) const {
    for (int32_t slot = 0; slot < PenStrokes::kSlotCount; ++slot) {
        for (int32_t stroke = 1; stroke <= penStrokes_.CurrentStroke(slot); ++stroke) {
            if (const LineList* line = penStrokes_.Stroke(slot, stroke); line != nullptr) {
                line->Draw(drawer);
            }
        }
    }
}

// --- the server's marks ---

bool TablePensAndMarks::ReadTableMarks(quill::Packet& packet) {
    if (!marks_.Read(packet, static_cast<float>(physics_.GetHalfTableSize()))) {
        quill::TheLog().LogError(u"WARNING : TABLE MARKS MESSAGE TOO SHORT\n");
        return false;
    }
    return true;
}

void TablePensAndMarks::CheckMarkHits() {
    if (!marks_.IsShown() || markBall_ >= std::min<uint32_t>(physics_.BallCount(), quill::kMaxBalls)) {
        return;
    }
    for (uint32_t mark : marks_.TakeHits(physics_.CachedPosition(markBall_))) {
        if (services_.sound != nullptr) {
            services_.sound->PlaySound(kMarkHitSound, 1.0f);
        }
        if (services_.host != nullptr) {
            services_.host->PostEvent(quill::AppEventId::TableMarkHit, mark, 0, 0);
        }
    }
}

void TablePensAndMarks::DrawMarks(D3D9RenderDevice& device) {
    if (!marks_.IsShown() || markModel_ == nullptr) {
        return;
    }
    markAngle_ += kMarkTurn;
    quill::Transform placement;
    placement.rotation.FromAxisAngle(markAngle_, {0.0f, 0.0f, 1.0f});
    for (uint32_t i = 0; i < marks_.LaidOutCount(); ++i) {
        if (marks_.IsMarked(i)) {
            placement.position = marks_.PointAt(i);
            markModel_->SetTransform(placement);
            markModel_->Draw(device, 1.0f);
        }
    }
}

}  // namespace kestrovan
